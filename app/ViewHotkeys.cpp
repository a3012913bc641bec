#include "app/ViewHotkeys.h"
#include "store/ResourceIds.h"
#include "app/ToolWindowInfos.h"

#include "store/AppGlobals.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "store/CppSQLite3.h"

#include <array>

namespace {

constexpr int kSinkId = IDC_FOCUS_SINK;
constexpr int kListId = 1277;

const std::array<const char*, CViewHotkeys::kFunctionCount> kNames = {
    "*** No Function ***",
    "View Music Jukebox",
    "View Music Recording",
    "View Music Timer",
    "View Music Markers",
    "View Music Equalizer",
    "View Music Control",
    "View Square Identification",
    "View Computer Cards",
    "View Show Calls",
    "View Hotkeys",
    "Show Calls - Toggle Start/Stop",
    "General - Activate tab 12",
    "General - Activate tab 13",
    "General - Activate tab 14",
    "General - Activate tab 15",
    "General - Activate tab 16",
    "General - Activate tab 17",
    "Choreography - Fullscreen",
    "Choreography - Next file",
    "Choreography - Back file",
    "Choreography - Plus 10 file",
    "Choreography - Minus 10 file",
    "Choreography - Random file",
    "Choreography - Memory file",
    "Music - Fade",
    "Music - Restart music",
    "Music - Toggle Loop",
    "Music - Auto Loop",
    "Music - Play From Queued Tracks",
    "Music - Increase Tempo",
    "Music - Decrease Tempo",
    "Music - Increase Volume",
    "Music - Decrease Volume",
    "Music - Increase Pitch",
    "Music - Decrease Pitch",
    "Music - Increase Speed",
    "Music - Decrease Speed",
    "Music - Fast Rewind",
    "Music - Fast Forward",
    "Music - Toggle 1st Dir/List",
    "Music - Toggle 2nd Dir/List",
    "Music - Toggle 3rd Dir/List",
    "Music - Toggle Autostart",
    "Music - Toggle Tracking",
    "Music - Toggle Lyrics Show On Play",
    "Music - Toggle Lyrics 1st Listbox",
    "Music - Toggle Lyrics 2nd Listbox",
    "Music - Toggle Lyrics 3rd Listbox",
    "Music - Timer Count Up/Down",
    "Music - Reset Timer",
    "Music - Toggle Decrease/Increase Volume",
    "Music - Toggle Queued Lyrics",
    "Music - Lyrics Search",
    "Music - Add 1 min to the Break timer",
    "Music - Subtract 1 min from the Break timer",
    "Markers - Play From Last Marker",
    "Markers - Play From Last Markerzzxx Without Loop",
    "Markers - Play From Next Marker",
    "Markers - Play From Previous Marker",
    "Markers - Add To Markers List",
    "Markers - Toggle Auto Memory",
    "Markers - Toggle Lock",
    "Music - Focus to listbox 1",
    "Music - Focus to listbox 2",
    "Music - Focus to listbox 3",
    "View - Karaoke",
    "Music - Play next song from active list",
    "Music - Play from loop start",
    "Music - Play from loop stop",
    "Music - Flag this song",
    "Music - Play music from counter +/- X sec",
    "Music - Save settings",
    "Music - Play from the middle of the song",
    "Music - Add song from listbox 1 to queued list",
    "Music - Add song from listbox 2 to queued list",
    "Music - Add song from listbox 3 to queued list",
    "View Tags",
    "Music - Load a playlist to the queued list",
    "Music - Play previous song",
    "Open Edit choreography window",
    "Music - Start/Stop music",
    "Music - Decrease Volume variable",
    "Music - Play music F8",
    "Music - Play music F9",
    "General - Toogle tab 1 and 2",
    "Show Calls - Next",
};

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
    // A number stored by a newer or damaged table names nothing the dispatcher runs.
    if (function < 0 || function >= kFunctionCount)
        return kNames[0];
    return kNames[size_t(function)];
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
