#include "texts/CueSheet.h"

#include "texts/GetFromMusicDb.h"
#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "store/DataFile.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"
#include "platform/win/DataExchange.h"
#include "platform/win/FileDialog.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WholeFile.h"

#include <iterator>

namespace {

// Line and mark controls of each part, lines 1 to 8.
constexpr int kLineIds[4][CCueSheet::kLines] = {
    {1092, 1093, 1096, 1097, 1094, 1095, 1098, 1099},
    {1110, 1111, 1112, 1113, 1114, 1115, 1116, 1117},
    {1118, 1119, 1120, 1121, 1122, 1123, 1124, 1125},
    {1126, 1127, 1128, 1129, 1100, 1130, 1131, 1132},
};
constexpr int kMarkIds[4][CCueSheet::kLines] = {
    {1174, 1377, 1378, 1379, 1381, 1382, 1383, 1384},
    {1386, 1380, 1387, 1388, 1389, 1390, 1391, 1392},
    {1394, 1395, 1396, 1397, 1398, 1399, 1400, 1401},
    {1402, 1403, 1404, 1405, 1385, 1406, 1407, 1408},
};
constexpr int kLayoutList = 1530;
constexpr int kPatternListIds[3] = {1433, 1434, 1435};
constexpr int kHeadingIds[3] = {1460, 1466, 1467};
constexpr int kLabel = 1461;
constexpr int kTitle = 1086;
constexpr int kCaller = 1009;
constexpr int kTag = 1133;
constexpr int kTagMark = 1409;
constexpr int kLyrics = 1101;
constexpr int kLyricsMark = 1393;
constexpr int kSevenFigures = 1325;

constexpr UINT kEraserIcon = 373;
constexpr UINT kCopyIcon = 516;
constexpr UINT kDatabaseIcon = 381;
constexpr UINT kScreenIcon = 147;
constexpr UINT kSaveIcon = 176;

struct ButtonInfo {
    int id;
    UINT icon;
    const char* tip;
};
constexpr ButtonInfo kButtons[10] = {
    {1103, kEraserIcon, "Clear all lines in the part below"},
    {1102, kEraserIcon, "Clear all lines in the part below"},
    {1091, kEraserIcon, "Clear all lines in the part below"},
    {1089, kEraserIcon, "Clear all lines in the part below"},
    {1104, kCopyIcon, "Copy Opener to Middle Break"},
    {1090, kCopyIcon, "Copy Opener to Closer"},
    {1085, kDatabaseIcon, "Get information about the records in the database"},
    {1084, kEraserIcon, "Clear the cuesheet"},
    {1088, kScreenIcon, "View the cuesheet"},
    {1087, kSaveIcon, "Save the cuesheet to a file"},
};

// Pattern indexes of the opener's list; the other two lists have two "Same as" entries first.
enum { kCircleLeft = 0, kGrandSquare = 1, kLadiesChain = 2, kEmpty = 3 };
constexpr int kSameEntries = 2;

// Middle-break and closer list entries 0 and 1.
constexpr int kSameAsOpener = 0;
constexpr int kSameAsOther = 1; // "Same as Closer" for the middle break, "Same as Middle Break" for the closer

bool ownLines(int index) { return index >= kSameEntries && index <= kSameEntries + kEmpty; }

const char* const kFigureDefaults[6] = {
    "Heads Square Thru count 'em 4 hands round",
    "You make a Right Hand Star",
    "The Heads Star Left, roll it one time and then",
    "Same pair and do a Dosado",
    "Swing Thru and then the Boys Trade",
    "Swing the corner lady round and Promenade",
};

constexpr const char* kTableStart = "<TABLE height=\"50%\" border=\"0\" cellspacing=\"10\"><TR><TD valign=\"top\">";
constexpr const char* kNextCell = "</TD><TD valign=\"top\">";
constexpr const char* kTableEnd = "</TD></TR></TABLE>";

} // namespace

BEGIN_MESSAGE_MAP(CCueSheet, CDialogEx)
    ON_BN_CLICKED(1103, OnClearOpener)
    ON_BN_CLICKED(1102, OnClearFigure)
    ON_BN_CLICKED(1091, OnClearMiddleBreak)
    ON_BN_CLICKED(1089, OnClearCloser)
    ON_BN_CLICKED(1104, OnCopyToMiddleBreak)
    ON_BN_CLICKED(1090, OnCopyToCloser)
    ON_BN_CLICKED(1085, OnDatabase)
    ON_BN_CLICKED(1084, OnClearAll)
    ON_BN_CLICKED(1088, OnView)
    ON_BN_CLICKED(1087, OnSave)
    ON_BN_CLICKED(kSevenFigures, OnSevenFigures)
    ON_CONTROL_RANGE(BN_CLICKED, 1174, 1409, OnLyricsMark)
    ON_CBN_SELCHANGE(1433, OnOpenerPattern)
    ON_CBN_SELCHANGE(1434, OnMiddleBreakPattern)
    ON_CBN_SELCHANGE(1435, OnCloserPattern)
    ON_CONTROL_RANGE(EN_KILLFOCUS, 1009, 1461, OnEditDone)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CCueSheet::CCueSheet(CWnd* parent) : CDialogEx(IDD, parent) {}

CCueSheet::~CCueSheet() = default;

void CCueSheet::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kLayoutList, m_layoutList);
    for (int i = 0; i < 3; ++i)
        DDX_Control(dx, kPatternListIds[i], m_patternList[i]);
    for (int i = 0; i < 10; ++i)
        DDX_Control(dx, kButtons[i].id, m_buttons[i]);
    DDX_Text(dx, kLabel, m_label);
    DDX_Text(dx, kTitle, m_title);
    DDX_Text(dx, kCaller, m_caller);
    for (int p = 0; p < 4; ++p) {
        for (int i = 0; i < kLines; ++i) {
            DDX_Text(dx, kLineIds[p][i], m_parts[p].text[i]);
            DDX_Check(dx, kMarkIds[p][i], m_parts[p].mark[i]);
        }
    }
    for (int i = 0; i < 3; ++i)
        DDX_Text(dx, kHeadingIds[i], m_heading[i]);
    DDX_Text(dx, kTag, m_tag);
    DDX_Check(dx, kTagMark, m_tagMark);
    DDX_Text(dx, kLyrics, m_lyrics);
    DDX_Check(dx, kLyricsMark, m_lyricsMark);
    DDX_Check(dx, kSevenFigures, m_sevenFigures);
}

BOOL CCueSheet::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_tooltip.Create(this, TRUE);
    m_tooltip.SetShadow(10, 10, 50, TRUE, 7, 7);
    for (int i = 0; i < 10; ++i) {
        m_buttons[i].SetIcon(kButtons[i].icon);
        m_tooltip.AddTool(&m_buttons[i], kButtons[i].tip);
    }
    m_tooltip.AddTool(GetDlgItem(kSevenFigures), "Option to have 7 figures for the cuesheets");
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));

    for (const char* name : {"1 column", "2 columns", "2/3/4 columns"})
        m_layoutList.AddString(name);
    const char* const patterns[] = {"Circle Left", "Grand Square", "4 Ladies Chain", "(Empty)"};
    for (const char* name : patterns)
        m_patternList[0].AddString(name);
    m_patternList[1].AddString("Same as Opener");
    m_patternList[1].AddString("Same as Closer");
    m_patternList[2].AddString("Same as Opener");
    m_patternList[2].AddString("Same as Middle Break");
    for (int list = 1; list < 3; ++list)
        for (const char* name : patterns)
            m_patternList[list].AddString(name);
    m_layoutList.SetCurSel(0);
    for (CComboBox& list : m_patternList)
        list.SetCurSel(0);
    m_sevenFigures = 0;

    m_lyricsFolder = m_settings.GetSetting("lyrics - pathglobal", 1);

    OnClearAll();
    UpdateData(FALSE);
    return TRUE;
}

BOOL CCueSheet::PreTranslateMessage(MSG* msg)
{
    if (g_tooltipsOn && m_tooltip.m_hWnd)
        m_tooltip.RelayEvent(msg);
    // Enter presses no button and never closes the window; the lyrics box takes it as a new line.
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        return FALSE;
    return CDialogEx::PreTranslateMessage(msg);
}

void CCueSheet::OnCancel() { SendCommand(CMD_CUESHEET_CLOSED); }

BOOL CCueSheet::OnHelpInfo(HELPINFO*)
{
    SendCommand(CMD_HELP);
    return TRUE;
}

// ---- editing ----------------------------------------------------------------------------------

CComboBox& CCueSheet::PatternList(Part part)
{
    return m_patternList[part == kOpener ? 0 : part == kMiddleBreak ? 1 : 2];
}

int CCueSheet::HeadingIndex(Part part) const { return part == kOpener ? 0 : part == kMiddleBreak ? 1 : 2; }

void CCueSheet::ApplyPattern(Part part, int pattern)
{
    static const char* const kCircleLeftLines[6] = {"", "", "Left Allemande the corner, Dosado you own",
                                                    "Left Allemande and Weave The Ring", "",
                                                    "Swing your girl around and Promenade"};
    static const char* const kGrandSquareLines[6] = {"", "", "", "", "Four Ladies Promenade one time",
                                                     "Swing your girl around and Promenade"};
    static const char* const kLadiesChainLines[6] = {"Four Ladies Chain, you turn that girl and then",
                                                     "You Rollaway, Circle Left go round",
                                                     "Four Ladies roll away, Circle Left and go",
                                                     "Left Allemande and Weave The Ring", "",
                                                     "Swing your girl around and Promenade"};
    static const char* const kEmptyLines[6] = {"", "", "", "", "", ""};
    struct Pattern {
        const char* heading;
        const char* const* lines;
        int marks[kLines];
    };
    static const Pattern kPatterns[4] = {
        {"Circle Left", kCircleLeftLines, {1, 1, 0, 0, 1, 0, 1, 1}},
        {"Grand Square", kGrandSquareLines, {1, 1, 1, 1, 0, 0, 1, 1}},
        {"", kLadiesChainLines, {0, 0, 0, 0, 1, 0, 1, 1}},
        {"", kEmptyLines, {0, 0, 0, 0, 0, 0, 1, 1}},
    };
    const Pattern& p = kPatterns[pattern];
    m_heading[HeadingIndex(part)] = p.heading;
    Lines& lines = m_parts[part];
    for (int i = 0; i < 6; ++i)
        lines.text[i] = p.lines[i];
    for (int i = 0; i < kLines; ++i)
        lines.mark[i] = p.marks[i];
    UpdateData(FALSE);
}

void CCueSheet::ApplyCircleLeft(Part part) { ApplyPattern(part, kCircleLeft); }
void CCueSheet::ApplyGrandSquare(Part part) { ApplyPattern(part, kGrandSquare); }
void CCueSheet::ApplyLadiesChain(Part part) { ApplyPattern(part, kLadiesChain); }
void CCueSheet::ApplyEmptyPattern(Part part) { ApplyPattern(part, kEmpty); }

void CCueSheet::EnablePart(Part part, bool enable)
{
    for (int i = 0; i < kLines; ++i) {
        if (CWnd* w = GetDlgItem(kLineIds[part][i]))
            w->EnableWindow(enable);
        if (CWnd* w = GetDlgItem(kMarkIds[part][i]))
            w->EnableWindow(enable);
    }
}

void CCueSheet::OnOpenerPattern()
{
    const int index = m_patternList[0].GetCurSel();
    if (index >= kCircleLeft && index <= kEmpty)
        ApplyPattern(kOpener, index);
}

void CCueSheet::OnMiddleBreakPattern()
{
    const int index = m_patternList[1].GetCurSel();
    if (index == kSameAsOpener || index == kSameAsOther) {
        EnableMiddleBreak(false);
    } else if (ownLines(index)) {
        EnableMiddleBreak(true);
        ApplyPattern(kMiddleBreak, index - kSameEntries);
    }
}

void CCueSheet::OnCloserPattern()
{
    const int index = m_patternList[2].GetCurSel();
    if (index == kSameAsOpener || index == kSameAsOther) {
        EnableCloser(false);
    } else if (ownLines(index)) {
        EnableCloser(true);
        ApplyPattern(kCloser, index - kSameEntries);
    }
}

void CCueSheet::OnLyricsMark(UINT id)
{
    const int control = int(id);
    int* mark = nullptr;
    for (int p = 0; p < 4 && !mark; ++p)
        for (int i = 0; i < kLines; ++i)
            if (kMarkIds[p][i] == control)
                mark = &m_parts[p].mark[i];
    if (control == kTagMark)
        mark = &m_tagMark;
    else if (control == kLyricsMark)
        mark = &m_lyricsMark;
    if (!mark)
        return;
    *mark = *mark ? 0 : 1;
    UpdateData(FALSE);
}

void CCueSheet::OnSevenFigures()
{
    m_sevenFigures = m_sevenFigures ? 0 : 1;
    UpdateData(FALSE);
}

void CCueSheet::ClearPart(Part part)
{
    Lines& lines = m_parts[part];
    for (int i = 0; i < kLines; ++i) {
        lines.text[i].clear();
        lines.mark[i] = i >= 6 ? 1 : 0;
    }
    UpdateData(FALSE);
}

void CCueSheet::CopyOpenerTo(Part target)
{
    m_parts[target] = m_parts[kOpener];
    static const char* const kHeadings[4] = {"Circle Left", "Grand Square", "", ""};
    const int opener = m_patternList[0].GetCurSel();
    if (opener >= kCircleLeft && opener <= kEmpty) {
        PatternList(target).SetCurSel(opener + kSameEntries);
        m_heading[HeadingIndex(target)] = kHeadings[opener];
    }
    EnablePart(target, true);
    UpdateData(FALSE);
}

void CCueSheet::OnClearAll()
{
    for (Part part : {kOpener, kMiddleBreak, kCloser})
        for (std::string& text : m_parts[part].text)
            text.clear();
    m_tag.clear();
    m_lyrics.clear();
    m_label.clear();
    m_title.clear();
    m_caller.clear();
    Lines& figure = m_parts[kFigure];
    for (int i = 0; i < kLines; ++i) {
        figure.text[i] = i < 6 ? kFigureDefaults[i] : "";
        figure.mark[i] = i >= 6 ? 1 : 0;
    }
    for (Part part : {kMiddleBreak, kCloser})
        for (int& mark : m_parts[part].mark)
            mark = 0;
    m_tagMark = 1;
    m_lyricsMark = 1;
    for (CComboBox& list : m_patternList)
        list.SetCurSel(0);
    OnOpenerPattern();
    OnMiddleBreakPattern();
    OnCloserPattern();
    UpdateData(FALSE);
}

void CCueSheet::OnDatabase()
{
    UpdateData(TRUE);
    CGetFromMusicDb picker(0, this);
    if (picker.DoModal() == IDOK) {
        m_label = picker.GetLabel();
        m_title = picker.GetTitle();
        m_caller = picker.GetCaller();
    }
    UpdateData(FALSE);
}

// ---- saving and viewing -----------------------------------------------------------------------

bool CCueSheet::CheckProperties()
{
    if (m_label.empty()) {
        ::MessageBox(m_hWnd, "Write the label and number!", "Mirtal", MB_OK);
        return false;
    }
    if (m_title.empty()) {
        ::MessageBox(m_hWnd, "Write the Title of the song!", "Mirtal", MB_OK);
        return false;
    }
    return true;
}

bool CCueSheet::WriteHtmlFile(const std::string& path, const std::string& html)
{
    // A failed write must not cost the file that was there.
    if (!win::WriteWholeFile(path, CDataFile::ToDiskText(html) + "\r\n")) {
        ::MessageBox(m_hWnd, ("Can't write the cuesheet " + path + ".").c_str(), "Mirtal", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void CCueSheet::OnSave()
{
    UpdateData(TRUE);
    if (!CheckProperties())
        return;
    const std::string proposed = m_fn.AddBackslash(m_lyricsFolder) + m_label + " - " + m_title;
    CFileDialog dialog(FALSE, "html", proposed.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Web Page (*.html)|*.html||", this);
    if (dialog.DoModal() != IDOK)
        return;
    BeginWaitCursor();
    WriteHtmlFile(dialog.GetPathName(), BuildHtml());
    EndWaitCursor();
    UpdateData(FALSE);
}

void CCueSheet::OnView()
{
    UpdateData(TRUE);
    const std::string path = m_fn.AddBackslash(g_baseFolder) + "tempsheet.html";
    if (WriteHtmlFile(path, BuildHtml())) {
        g_htmlPath = path;
        SendCommand(CMD_SHOW_HTML);
    }
    UpdateData(FALSE);
}

// ---- the page ---------------------------------------------------------------------------------

std::string CCueSheet::BuildHtml()
{
    for (int i = 0; i < 3; ++i)
        m_pattern[i] = m_patternList[i].GetCurSel();
    m_layout = m_layoutList.GetCurSel();

    std::string html = WriteHead();
    const std::string figure = WriteFigure();
    switch (m_layout) {
    case 0:
        html += WriteOpener(kOpener) + figure;
        if (m_sevenFigures)
            html += figure;
        html += WriteMiddleBreak(kMiddleBreak);
        if (m_sevenFigures)
            html += figure + figure;
        html += WriteCloser() + WriteTagAndLyrics();
        break;
    case 1:
        html += std::string(kTableStart) + "<br><P CLASS=\"hdr\">" + WriteOpener(kOpener) +
                WriteMiddleBreak(kMiddleBreak) + WriteCloser() + WriteTagAndLyrics() + kNextCell + figure;
        if (m_sevenFigures)
            html += figure + figure + figure;
        html += kTableEnd;
        break;
    case 2:
        html += std::string(kTableStart) + "<br><P CLASS=\"hdr\">" + WriteOpener(kOpener) + WriteTagAndLyrics() +
                kNextCell + WriteMiddleBreak(kMiddleBreak) + kNextCell + WriteCloser() + kNextCell + figure;
        if (m_sevenFigures)
            for (int i = 0; i < 3; ++i) {
                html += kNextCell;
                html += figure;
            }
        html += kTableEnd;
        break;
    default: break; // no layout chosen: the head and the end only
    }
    html += WriteEnd();
    return html;
}

std::string CCueSheet::WriteHead() const
{
    return "<HTML><HEAD><TITLE>\n" + m_title + " - " + m_label + "</TITLE>\n" +
           "<LINK rel=\"STYLESHEET\" type=\"text/css\" HREF=\"cuesheet2.css\"> </HEAD>\n" + "<BODY>\n" +
           "<FONT CLASS=\"title\">" + m_title + "</FONT>\n" + "&nbsp;&nbsp;<NOBR>\n" + "<FONT CLASS=\"label\">(" +
           m_label + ")</FONT></NOBR>&nbsp;&nbsp;<NOBR>" + "<FONT CLASS=\"artist\">" + m_caller +
           "</FONT></NOBR><br>";
}

std::string CCueSheet::FormatLine(const std::string& text, int mark)
{
    if (text.empty())
        return {};
    if (mark)
        return "<FONT CLASS=\"lyrics\"><L>" + text + "<br>\n</L></FONT>";
    return text + "<br>\n";
}

std::string CCueSheet::PartLines(Part part) const
{
    std::string out;
    for (int i = 0; i < kLines; ++i)
        out += FormatLine(m_parts[part].text[i], m_parts[part].mark[i]);
    return out;
}

std::string CCueSheet::PatternLine(Part part) const
{
    int pattern = m_pattern[HeadingIndex(part)];
    if (part != kOpener)
        pattern -= kSameEntries;
    if (part != kOpener && !ownLines(m_pattern[HeadingIndex(part)]))
        return {};
    if (pattern == kCircleLeft)
        return "Circle Left<br>\n";
    if (pattern == kGrandSquare)
        return "Grand Square<br>\n";
    return {};
}

std::string CCueSheet::TableParagraph() const
{
    return m_layout == 1 || m_layout == 2 ? "<P CLASS=\"table\">" : "";
}

CCueSheet::Source CCueSheet::MiddleBreakSource() const
{
    const int middle = m_pattern[1];
    const int closer = m_pattern[2];
    if (ownLines(middle))
        return Source::Own;
    if (middle == kSameAsOther) {
        // "Same as Closer": the closer's own lines, else (the closer repeats the opener, or
        // names the middle break back) the opener's.
        return ownLines(closer) ? Source::Closer : Source::Opener;
    }
    return middle == kSameAsOpener || middle == -1 ? Source::Opener : Source::Nothing;
}

std::string CCueSheet::PartHeading(Part part) const
{
    const int middle = m_pattern[1];
    const int closer = m_pattern[2];
    const bool middleIsOpener = middle == kSameAsOpener || (middle == kSameAsOther && !ownLines(closer));
    switch (part) {
    case kOpener: {
        std::string heading = "OPENER";
        if (middleIsOpener)
            heading += " - MIDDLE BREAK";
        if (closer == kSameAsOpener || (middleIsOpener && closer == kSameAsOther))
            heading += " - CLOSER";
        return heading;
    }
    case kMiddleBreak: return closer == kSameAsOther ? "MIDDLE BREAK - CLOSER" : "MIDDLE BREAK";
    default:
        // A middle break "Same as Closer" is the closer's lines: its heading names both.
        return !m_sevenFigures && middle == kSameAsOther && ownLines(closer) ? "MIDDLE BREAK - CLOSER" : "CLOSER";
    }
}

std::string CCueSheet::WriteOpener(Part kind) const
{
    std::string heading;
    if (m_sevenFigures)
        heading = kind == kOpener ? "OPENER" : kind == kMiddleBreak ? "MIDDLE BREAK" : "CLOSER";
    else
        heading = PartHeading(kOpener);
    return "<br><P CLASS=\"hdr\">" + heading + "</P><br><br>\n" + PatternLine(kOpener) + PartLines(kOpener) +
           "<br>\n";
}

std::string CCueSheet::WriteFigure() const
{
    return "<P CLASS=\"hdr\">FIGURE</P><br><br>\n" + TableParagraph() + PartLines(kFigure) + "\n";
}

std::string CCueSheet::WriteMiddleBreak(Part kind) const
{
    switch (MiddleBreakSource()) {
    case Source::Own: {
        std::string heading;
        if (m_sevenFigures)
            heading = kind == kCloser ? "CLOSER" : "MIDDLE BREAK";
        else
            heading = PartHeading(kMiddleBreak);
        return "<br><P CLASS=\"hdr\">" + heading + "</P><br><br>\n" + TableParagraph() + PatternLine(kMiddleBreak) +
               PartLines(kMiddleBreak) + "<br>\n";
    }
    case Source::Opener: return m_sevenFigures ? WriteOpener(kind) : std::string();
    case Source::Closer:
        // Written with the closer's own lines; without seven figures the closer's piece names it.
        if (!m_sevenFigures)
            return {};
        return "<br><P CLASS=\"hdr\">" + std::string(kind == kCloser ? "CLOSER" : "MIDDLE BREAK") +
               "</P><br><br>\n" + TableParagraph() + PatternLine(kCloser) + PartLines(kCloser) + "<br>\n";
    case Source::Nothing: break;
    }
    return {};
}

std::string CCueSheet::WriteCloser() const
{
    const int closer = m_pattern[2];
    if (ownLines(closer)) {
        return "<P CLASS=\"hdr\">" + PartHeading(kCloser) + "</P><br><br>\n" + TableParagraph() +
               PatternLine(kCloser) + PartLines(kCloser) + "<br>\n";
    }
    if (!m_sevenFigures)
        return {};
    if (closer == kSameAsOpener)
        return WriteOpener(kCloser);
    // A middle break "Same as Closer" then stands for the opener (MiddleBreakSource).
    if (closer == kSameAsOther)
        return WriteMiddleBreak(kCloser);
    return {};
}

std::string CCueSheet::WriteTagAndLyrics() const
{
    std::string out;
    if (!m_tag.empty())
        out += "<P CLASS=\"hdr\">TAG</P><br><br>\n" + FormatLine(m_tag, m_tagMark) + "<br>\n";
    if (!m_lyrics.empty())
        out += "<P CLASS=\"hdr\">ADDITIONAL LYRICS</P><br><br>\n" + FormatLine(m_lyrics, m_lyricsMark) + "<br>\n";
    return out;
}
