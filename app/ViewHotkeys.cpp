#include "app/ViewHotkeys.h"
#include "store/ResourceIds.h"
#include "controls/ToolWindowInfos.h"
#include "options/OptionTables.h"

#include "store/AppGlobals.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "store/CppSQLite3.h"

#include <array>

namespace {

constexpr int kSinkId = IDC_FOCUS_SINK;
constexpr int kListId = 1277;

const char* const kFixedLines[] = {
    "F1 - Open the helpfile",
    "F2-5 - Change choreography level",
    "F6 - Change lyrics window",
    "F8 - Play sound 1",
    "F9 - Play sound 2",
    "SPACE - Play/Pause the music",
    "Arrow Up/Down - Scroll lyrics/choreography",
    "PgUp/PgDn - Scroll lyrics/choreography",
    "HOME - Jump to top of the document",
    "END - Jump to the end of the document",
    "TAB - Switch winow focus",
};

constexpr const char* kBreak = "\r\n";

} // namespace

BEGIN_MESSAGE_MAP(CViewHotkeys, CToolDialog)
    ON_EN_CHANGE(kSinkId, OnSinkChange)
END_MESSAGE_MAP()

CViewHotkeys::CViewHotkeys(CWnd* parent) : CToolDialog(IDD, toolwindows::kHotkeys, parent) {}

std::string CViewHotkeys::FunctionName(int function)
{
    // One table of names with the hotkeys options page; a number stored by a
    // newer or damaged table names nothing the dispatcher runs.
    return options::HotkeyFunctionText(function);
}

std::string CViewHotkeys::FunctionLine(int function, const std::string& key)
{
    return key + " - " + FunctionName(function);
}

void CViewHotkeys::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Text(dx, kSinkId, m_sink);
    DDX_Text(dx, kListId, m_list);
}

BOOL CViewHotkeys::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    ApplyDialogColor();
    PlaceWindow();
    BuildText();
    ParkFocus();
    return TRUE;
}

void CViewHotkeys::BuildText()
{
    std::string text;
    for (const char* line : kFixedLines)
        text += std::string(line) + kBreak;

    struct Key {
        const char* row;  // row name in table hotkeys
        const char* shown;
    };
    static const Key keys[] = {
        {"a", "A"}, {"b", "B"}, {"c", "C"}, {"d", "D"}, {"e", "E"}, {"f", "F"}, {"g", "G"},
        {"h", "H"}, {"i", "I"}, {"j", "J"}, {"k", "K"}, {"l", "L"}, {"m", "M"}, {"n", "N"},
        {"o", "O"}, {"p", "P"}, {"q", "Q"}, {"r", "R"}, {"s", "S"}, {nullptr, nullptr},
        {"u", "U"}, {"v", "V"}, {"w", "W"}, {"x", "X"}, {"y", "Y"}, {"z", "Z"},
        {"comma", ","}, {"dot", "."}, {"minus", "-"},
    };
    try {
        m_db.BeginBatch();
        bool first = true;
        for (const Key& k : keys) {
            if (!first)
                text += kBreak;
            first = false;
            // T has no assignment: it always shows the lyrics.
            text += k.row ? FunctionLine(m_db.GetHotkey(k.row, 0), k.shown) : std::string("T - Show lyrics");
        }
        m_db.CommitBatch();
    } catch (const CppSQLite3Exception&) {
        // The batch is rolled back and closed already; the view keeps the lines it could read.
    }
    m_list = text;
    ParkFocus();
}

void CViewHotkeys::ApplyDialogColor()
{
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
}

void CViewHotkeys::PlaceWindow()
{
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    int width = 260, height = 580;
    if (g_largeLayout) {
        width = 300;
        height = screenH < 710 ? screenH : 710;
        if (g_hotkeysPosX > screenW - 300)
            g_hotkeysPosX = screenW - 300;
        if (g_hotkeysPosY > screenH - 710)
            g_hotkeysPosY = screenH - 710;
    } else {
        if (g_hotkeysPosX > screenW - 260)
            g_hotkeysPosX = screenW - 260;
        // The margin below the window stays as the program always had it.
        if (g_hotkeysPosY > screenH - 610)
            g_hotkeysPosY = screenH - 610;
    }
    MakePlaceUsable({width, height});
    SetWindowPos(&wndTop, g_hotkeysPosX, g_hotkeysPosY, width, height, SWP_SHOWWINDOW);
    ParkFocus();
}

void CViewHotkeys::OnSinkChange()
{
    UpdateData(TRUE);
    m_sink.clear();
    ParkFocus();
}
