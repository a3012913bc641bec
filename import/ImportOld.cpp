#include "import/ImportOld.h"

#include "platform/win/DataExchange.h"
#include "platform/win/MessageBox.h"

BEGIN_MESSAGE_MAP(CImportOld, CDialogEx)
    ON_BN_CLICKED(1179, OnClickedSettings)
    ON_BN_CLICKED(1032, OnClickedMusic)
    ON_BN_CLICKED(1180, OnClickedMarry)
    ON_BN_CLICKED(1175, OnClickedMarked)
    ON_BN_CLICKED(1177, OnClickedTrack)
    ON_BN_CLICKED(1178, OnClickedMemory)
    ON_BN_CLICKED(1184, OnClickedStylesheet)
    ON_BN_CLICKED(1183, OnClickedHotkeys)
    ON_BN_CLICKED(1097, OnClickedOk)
    ON_BN_CLICKED(1098, OnClickedCancel)
END_MESSAGE_MAP()

CImportOld::CImportOld(int mode, CWnd* parent) : CDialogEx(IDD, parent), m_mode(mode) {}

void CImportOld::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Check(dx, 1179, m_importSettings);
    DDX_Check(dx, 1032, m_importMusic);
    DDX_Check(dx, 1180, m_importMarry);
    DDX_Check(dx, 1175, m_importMarked);
    DDX_Check(dx, 1177, m_importTrack);
    DDX_Check(dx, 1178, m_importMemory);
    DDX_Check(dx, 1183, m_importHotkeys);
    DDX_Check(dx, 1184, m_importStylesheet);
    DDX_Control(dx, 1181, m_folderBrowse);
    DDX_Control(dx, 1182, m_fileBrowse);
    DDX_Control(dx, 1097, m_ok);
    DDX_Control(dx, 1098, m_cancel);
    DDX_Text(dx, 1181, m_folderPath);
    DDX_Text(dx, 1182, m_databasePath);
}

BOOL CImportOld::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_folderBrowse.EnableFolderBrowseButton();
    m_fileBrowse.EnableFileBrowseButton();
    m_ok.SetImage(206);
    m_cancel.SetImage(211);
    for (int* flag : {&m_importSettings, &m_importMusic, &m_importMarry, &m_importMarked, &m_importTrack,
                      &m_importMemory, &m_importHotkeys, &m_importStylesheet})
        *flag = 1;
    m_folderPath = "C:\\Mirtal";
    m_databasePath = "C:\\Mirtal\\mirtal.db";
    const bool database = m_mode == 1;
    if (database)
        SetWindowText("Mirtal - Import from Mirtal Database");
    // Each mode hides what belongs to the other: the folder note and edit, or the file
    // hint and edit with the two parts only a database holds.
    for (int id : {1091, 1092, 1093, 1181})
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(database ? SW_HIDE : SW_SHOW);
    for (int id : {1094, 1182, 1184, 1183})
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(database ? SW_SHOW : SW_HIDE);
    UpdateData(FALSE);
    return TRUE;
}

void CImportOld::Toggle(int& flag)
{
    // What the user typed into the edits stays: they are read before the fields are written back.
    GetDlgItemText(1181, m_folderPath);
    GetDlgItemText(1182, m_databasePath);
    flag = flag ? 0 : 1;
    UpdateData(FALSE);
}

void CImportOld::OnClickedOk()
{
    if (!UpdateData(TRUE))
        return;
    if (m_mode == 1) {
        const std::string& p = m_databasePath;
        const std::string end = p.size() >= 3 ? p.substr(p.size() - 3) : p;
        if (end != ".db") {
            MessageBox(m_hWnd, "A database file (.db) is not selected.", kAppCaption, MB_OK | MB_ICONINFORMATION);
            return;
        }
    }
    OnOK();
}
