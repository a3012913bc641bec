#include "app/Global.h"

#include "controls/FolderPicker.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Shell.h"
#include "platform/win/ShellLink.h"
#include "store/AppGlobals.h"
#include "store/StoreGlobals.h"

namespace {

constexpr int kLyricsFolderField = 1286;
constexpr int kLyricsBrowse = 1285;
constexpr int kMusicFolderField = 1296;
constexpr int kMusicBrowse = 1297;
constexpr int kShortcut = 1295;
constexpr COLORREF kMagenta = RGB(255, 0, 255);

// The radio buttons: the first of each group and the place of each in its group.
struct Radio {
    int id;
    int CGlobal::*value;
    int index;
};

} // namespace

BEGIN_MESSAGE_MAP(CGlobal, CDialogEx)
    ON_BN_CLICKED(1097, OnOkButton)
    ON_BN_CLICKED(1098, OnCancelButton)
    ON_BN_CLICKED(1099, OnDefault)
    ON_BN_CLICKED(kLyricsBrowse, OnBrowseLyrics)
    ON_BN_CLICKED(kMusicBrowse, OnBrowseMusic)
    ON_BN_CLICKED(kShortcut, OnShortcut)
    ON_CONTROL_RANGE(BN_CLICKED, 1137, 1303, OnRadio)
END_MESSAGE_MAP()

CGlobal::CGlobal(CWnd* parent) : CDialogEx(IDD, parent) {}

void CGlobal::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kLyricsBrowse, m_lyricsBrowse);
    DDX_Control(dx, kMusicBrowse, m_musicBrowse);
    DDX_Radio(dx, 1292, m_naming);
    DDX_Radio(dx, 1303, m_musicChoice);
    DDX_Text(dx, kMusicFolderField, m_musicFolder);
    DDX_Radio(dx, 1302, m_lyricsChoice);
    DDX_Text(dx, kLyricsFolderField, m_lyricsFolder);
    DDX_Radio(dx, 1287, m_searchOrder);
    DDX_Radio(dx, 1291, m_searchKey);
    DDX_Check(dx, kShortcut, m_shortcut);
}

std::string CGlobal::DataFolder(const char* name) const { return m_fn.AddBackslash(g_baseFolder) + name; }

BOOL CGlobal::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_shortcut = 0;

    m_db.BeginBatch();
    m_naming = m_db.GetSettingInt("music - colnameglobal", 0);
    m_searchOrder = m_db.GetSettingInt("lyrics - searchorder", 0);
    m_searchKey = m_db.GetSettingInt("lyrics - searchforglobal", 0);
    m_lyricsFolder = m_db.GetSetting("lyrics - pathglobal", 0);
    m_musicChoice = m_db.GetSettingInt("music - usedefaultmusicfolder", 0);
    m_musicFolder = m_db.GetSetting("music - pathdefaultmusicfolder", 0);
    m_db.CommitBatch();
    // The default folder is the data folder's "text", the folder the default paths name.
    m_lyricsChoice = m_lyricsFolder == DataFolder("text") ? 1 : 0;

    for (CButtonST* button : {&m_lyricsBrowse, &m_musicBrowse}) {
        button->SetBitmaps(417, kMagenta);
        button->OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        button->SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        button->DrawTransparent(TRUE);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CGlobal::OnRadio(UINT id)
{
    static const Radio radios[] = {
        {1292, &CGlobal::m_naming, 0},      {1293, &CGlobal::m_naming, 1},      {1294, &CGlobal::m_naming, 2},
        {1303, &CGlobal::m_musicChoice, 0}, {1138, &CGlobal::m_musicChoice, 1}, {1302, &CGlobal::m_lyricsChoice, 0},
        {1137, &CGlobal::m_lyricsChoice, 1}, {1287, &CGlobal::m_searchOrder, 0}, {1288, &CGlobal::m_searchOrder, 1},
        {1289, &CGlobal::m_searchOrder, 2}, {1290, &CGlobal::m_searchOrder, 3}, {1291, &CGlobal::m_searchKey, 0},
        {1148, &CGlobal::m_searchKey, 1},   {1149, &CGlobal::m_searchKey, 2},
    };
    for (const Radio& r : radios)
        if (r.id == int(id)) {
            this->*r.value = r.index;
            UpdateData(FALSE);
            return;
        }
}

void CGlobal::OnShortcut()
{
    m_shortcut = m_shortcut ? 0 : 1;
    UpdateData(FALSE);
}

void CGlobal::Browse(std::string& folder, int& choice, int chosen)
{
    CFolderPicker picker;
    const std::string picked = picker.BrowseEx(this, "Select a folder:", 0, folder, BIF_NEWDIALOGSTYLE);
    // A cancelled choice keeps the folder.
    if (!picked.empty()) {
        choice = chosen;
        folder = picked;
    }
    UpdateData(FALSE);
}

void CGlobal::OnBrowseLyrics() { Browse(m_lyricsFolder, m_lyricsChoice, 0); }

void CGlobal::OnBrowseMusic() { Browse(m_musicFolder, m_musicChoice, 1); }

void CGlobal::OnDefault()
{
    m_shortcut = 0;
    m_naming = 0;
    m_searchOrder = 0;
    m_searchKey = 2;
    m_lyricsChoice = 1;
    m_musicChoice = 0;
    m_lyricsFolder = DataFolder("text");
    m_musicFolder = DataFolder("mp3");
    UpdateData(FALSE);
}

void CGlobal::OnOkButton()
{
    UpdateData(TRUE);
    m_db.BeginBatch();
    m_db.SetSetting("music - colnameglobal", std::to_string(m_naming), 0);
    m_db.SetSetting("music - usedefaultmusicfolder", std::to_string(m_musicChoice), 0);
    for (const char* key : {"music - colname1", "music - colname2", "music - colname3"})
        m_db.SetSetting(key, "3", 0);
    m_db.SetSetting("lyrics - searchorder", std::to_string(m_searchOrder), 0);
    m_db.SetSetting("lyrics - searchforglobal", std::to_string(m_searchKey), 0);
    for (const char* key : {"lyrics - searchfor1", "lyrics - searchfor2", "lyrics - searchfor3"})
        m_db.SetSetting(key, "3", 0);
    m_db.SetSetting("lyrics - pathglobal", m_lyricsFolder, 0);
    m_db.SetSetting("music - pathdefaultmusicfolder", m_musicFolder, 0);
    for (const char* key : {"lyrics - path1", "lyrics - path2", "lyrics - path3"})
        m_db.SetSetting(key, "Global", 0);
    m_db.SetSetting("music - col1nameglobal", "Label", 0);
    m_db.SetSetting("music - col2nameglobal", "Title", 0);
    m_db.CommitBatch();
    if (m_shortcut)
        CreateDesktopShortcut(this, win::ProgramPath(), 0x0653);
    CDialogEx::OnOK();
}

std::string CGlobal::ShortcutPath(CWnd* owner)
{
    char desktop[MAX_PATH] = {};
    if (!SHGetSpecialFolderPath(owner ? owner->m_hWnd : nullptr, desktop, CSIDL_DESKTOP, FALSE))
        return {};
    return MyFunctions().AddBackslash(desktop) + "mirtal.desktop";
}

bool CGlobal::CreateDesktopShortcut(CWnd* owner, const std::string& target, WORD hotKey)
{
    const std::string path = ShortcutPath(owner);
    if (path.empty())
        return false;
    win::ShellLink link;
    link.target = target;
    link.description = "Mirtal for Square Dance Callers";
    link.hotKey = hotKey;
    link.workingDirectory = g_baseFolder;
    return win::SaveShellLink(link, path);
}
