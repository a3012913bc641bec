#pragma once
// Draws a text written in a small HTML-like markup on a device context: bold,
// italic and coloured runs, fonts, alignment, rules, tabs and breaks, links
// that react to the pointer, bitmaps, icons and animated image strips, strings
// from the resources, and tables with spans, borders and fills.
//
// Each text takes two passes over the same code: PrepareOutput measures it
// (recording lines, tables, link areas and animations), DrawPreparedOutput
// replays those records to place and draw it. The markup is untrusted text:
// every value is clamped and nesting is bounded, so no input can crash the
// drawer, make it hang or start a program (a link opens through the desktop's
// open service as one argument).
//
// The drawer is split by section: PPHtmlDrawer.cpp (the object, passes,
// links, animation), PPHtmlDrawerMarkup.cpp (entities, tokens, tags, style
// stack), PPHtmlDrawerValues.cpp (colours, lengths, keywords, style sheets),
// PPHtmlDrawerLayout.cpp (runs, wrapping, lines, rules, breaks, tabs),
// PPHtmlDrawerImages.cpp (images and resource strings) and
// PPHtmlDrawerTables.cpp (tables).
#include "controls/PPDrawManager.h"
#include "platform/win/Dc.h"
#include "platform/win/ImageList.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CWnd;

// Sent to the repaint window when the link under the pointer changes
// (wParam: the hot link index, -2 for none; lParam: the registered value).
constexpr UINT UWM_HTML_HOTLINK_CHANGED = 1125;

// The text style every run is drawn with.
struct HtmlStyle {
    std::string name;
    int fontHeight = 16;
    int weight = 400;
    int italic = 0;
    int underline = 0;
    int strikeout = 0;
    int overline = 0;
    std::string face = "Verdana";
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF borderLight = RGB(0, 0, 0);
    COLORREF borderDark = RGB(0, 0, 0);
    COLORREF bkMidColor = RGB(255, 255, 255);
    COLORREF bkEndColor = RGB(255, 255, 255);
    int bkMode = 1;      // 1 transparent, 2 opaque
    int bkEffect = -1;   // -1 none, else a CPPDrawManager fill effect
    std::string bkImage; // background image spec of tables
    int hAlign = 0;      // 0 left, 1 center, 2 right, 3 justify
    int vAlign = 3;      // 0 top, 1 middle, 2 bottom, 3 baseline
    int borderStyle = 0; // 0 none, 1 solid, 2 dashed, 3 dotted, 6 double
    int borderWidth = 0;
    int width = 0;       // requested size of a table cell
    int height = 0;
    int textTransform = 0; // 0 none, 1 upper, 2 lower, 3 capitalize
    int margin = 2;        // inset of a table cell's content
    int spacing = 0;       // space between table cells
    int linkKind = 0;      // 0 none, 1 href, 2 msg
    std::string linkTarget;
};

// One output line, written by the measuring pass and read by the drawing pass.
struct HtmlLineInfo {
    int width = 0;
    int height = 0;
    int descent = 0;
    int percentWidth = 0;
    int align = 0;
    int spaceCount = 0;
    int wrapped = 0;
};

struct HtmlLinkArea {
    RECT rect{};
    int kind = 0; // 1 href, 2 msg
    int index = 0;
    std::string target;
};

struct HtmlAnimation {
    int frame = 0;
    int frames = 0;
    int tick = 0;
    int speed = 0;
};

struct HtmlTableCell {
    int colspan = 0;
    int rowspan = 0;
    int contentWidth = 0;
    int contentHeight = 0;
    int outerWidth = 0;
    int outerHeight = 0;
    int fixedWidth = 0;
};

struct HtmlTableInfo {
    int rows = 0;
    int columns = 0;
    std::vector<HtmlTableCell> cells; // rows x columns, row by row
    std::vector<int> columnWidths;
    std::vector<int> rowHeights;
    std::vector<int> fixedColumns;
    HtmlTableCell& cell(int row, int column) { return cells[size_t(row) * size_t(columns) + size_t(column)]; }
    const HtmlTableCell& cell(int row, int column) const
    {
        return cells[size_t(row) * size_t(columns) + size_t(column)];
    }
};

struct HtmlImageAttributes {
    int index = 0;
    int idres = 0;
    int iddll = 0;
    int cx = 0;
    int cy = 0;
    int width = 100;
    int height = 100;
    bool widthPercent = true;
    bool heightPercent = true;
    int speed = 0;
    DWORD style = 0;
    DWORD hotStyle = 0;
    bool useMask = false;
    COLORREF maskColor = RGB(255, 0, 255);
    std::string file;
    std::string srcdll;
};

struct HtmlTagEntry {
    int kind = 0;
    std::string styleName;
};

// How the drawer measures and writes text. The default uses the device
// context; tests put in fixed font metrics to check the layout exactly.
class HtmlTextDevice {
public:
    virtual ~HtmlTextDevice() = default;
    virtual SIZE Extent(CDC* dc, const std::string& text);
    virtual void Metrics(CDC* dc, TEXTMETRIC* tm);
    virtual void Justify(CDC* dc, int extra, int breaks);
    virtual void Output(CDC* dc, int x, int y, const std::string& text);
};

class CPPHtmlDrawer {
public:
    // Tag kinds.
    enum {
        TAG_NONE = 0, TAG_BOLD, TAG_ITALIC, TAG_UNDERLINE, TAG_STRIKEOUT, TAG_FONT, TAG_HLINE, TAG_NEWLINE,
        TAG_TABULATION, TAG_LEFT, TAG_CENTER, TAG_RIGHT, TAG_JUSTIFY, TAG_BASELINE, TAG_TOP, TAG_VCENTER,
        TAG_BOTTOM, TAG_BITMAP, TAG_ICON, TAG_IMAGELIST, TAG_STRING, TAG_NEWSTYLE, TAG_SPAN, TAG_HYPERLINK
    };
    // Bounds that keep any markup cheap: pixel values, font heights, image
    // sizes, break and tab counts, table grids and nesting.
    static constexpr int kMaxLength = 32767;
    static constexpr int kMaxCoord = 1 << 24;
    static constexpr int kMaxFontHeight = 400;
    static constexpr int kMaxImageSide = 2048;
    static constexpr int kMaxRepeat = 1000;
    static constexpr int kMaxTableColumns = 64;
    static constexpr int kMaxTableRows = 512;
    static constexpr int kMaxTableDepth = 16;

    CPPHtmlDrawer();
    virtual ~CPPHtmlDrawer();
    CPPHtmlDrawer(const CPPHtmlDrawer&) = delete;
    CPPHtmlDrawer& operator=(const CPPHtmlDrawer&) = delete;

    // Settings; every setter returns the drawer.
    CPPHtmlDrawer& SetMaxWidth(int width);
    int GetMaxWidth() const { return m_maxWidth; }
    CPPHtmlDrawer& SetTabSize(int size);
    CPPHtmlDrawer& SetEnabled(BOOL enabled);
    CPPHtmlDrawer& SetDisabledColor(COLORREF color);
    CPPHtmlDrawer& SetLineBreakConversion(BOOL convert);
    CPPHtmlDrawer& SetImageShadow(int offsetX, int offsetY, int darkness, BOOL blurred, int depthX, int depthY);
    // Null loads the system hand cursor again.
    CPPHtmlDrawer& SetHyperlinkCursor(HCURSOR cursor);
    CPPHtmlDrawer& SetDefaultCursor();
    // Null loads the default style sheet.
    CPPHtmlDrawer& SetCssStyles(const char* text);
    CPPHtmlDrawer& SetDefaultCssStyles();
    // The image list of "ilst" tags without a source (the caller keeps it).
    CPPHtmlDrawer& SetImageList(HIMAGELIST list, int frameCx, int frameCy);
    CPPHtmlDrawer& SetCallbackRepaint(HWND wnd, UINT message, LPARAM value);
    CPPHtmlDrawer& SetCallbackMessage(HWND wnd, UINT message, LPARAM value);
    // Measuring and drawing in place of the device context's (null: the device context's).
    CPPHtmlDrawer& SetTextDevice(HtmlTextDevice* device);

    // Measuring pass: the size the drawing pass needs (1 pixel more each way).
    void PrepareOutput(CDC* dc, const std::string& text, SIZE* size);
    // Drawing pass of the text given to the last PrepareOutput.
    void DrawPreparedOutput(CDC* dc, const RECT* rect);

    // The point is in the drawing's coordinates.
    BOOL OnSetCursor(POINT point);
    void JumpToHyperlink(POINT point);
    // One animation tick; TRUE when a frame changed and the text must be drawn again.
    BOOL OnTimer();
    // Opens a link target with the desktop's open service; the shell's result.
    INT_PTR OpenLink(const std::string& target, int showCommand);

    CPPDrawManager* GetDrawManager() { return &m_drawManager; }
    // Line `line` (from 0) of a string resource split at line feeds.
    std::string GetStringFromResource(UINT id, int line) const;

    // Values and style sheets.
    COLORREF ParseColor(const std::string& value, COLORREF current) const;
    COLORREF GetColorByName(const std::string& name, COLORREF def) const;
    int ParseLength(const std::string& value, int current, bool htmlSize) const;
    void SetCssRule(const std::string& selector, const std::string& declarations);
    void ApplyCssRule(const std::string& selector, HtmlStyle& style) const;
    void ParseCssDeclarations(const std::string& declarations, HtmlStyle& style) const;
    const std::map<std::string, std::string>& CssRules() const { return m_cssRules; }
    static int ParseFontStyle(const std::string& value, int current);
    static int ParseFontWeight(const std::string& value, int current);
    static int ParseHorzAlign(const std::string& value, int current);
    static int ParseVertAlign(const std::string& value, int current);
    static int ParseTextTransform(const std::string& value, int current);
    static int ParseBorderStyle(const std::string& value, int current);
    int ParseBorderWidth(const std::string& value, int current) const;
    int ParseBackgroundEffect(const std::string& value, int current) const;
    static void ParseTextDecoration(const std::string& value, HtmlStyle& style);

    // Markup.
    std::string PrepareText(const std::string& text) const;
    static std::string GetNextTag(const std::string& text, size_t& pos, std::string& tag);
    static std::string SplitTag(std::string& tag);
    static std::string GetNextProperty(const std::string& attributes, size_t& pos, std::string& name);
    // Calls visit(name, value) for each attribute in order, up to the first without a name.
    template <class Visit>
    static void ForEachAttribute(const std::string& attributes, Visit&& visit)
    {
        size_t pos = 0;
        std::string name;
        while (pos < attributes.size()) {
            const std::string value = GetNextProperty(attributes, pos, name);
            if (name.empty())
                break;
            visit(name, value);
        }
    }
    int GetTagId(std::string name, std::string& styleName, bool& closing) const;
    static bool SearchTag(const std::string& text, size_t& pos, const std::string& name);
    bool PushOrPopStyle(bool closing, const std::string& styleName);

    // What the last passes recorded (for the tooltip and tests).
    const std::vector<HtmlLineInfo>& Lines() const { return m_lines; }
    const std::vector<HtmlLinkArea>& LinkAreas() const { return m_linkAreas; }
    const std::vector<HtmlTableInfo>& Tables() const { return m_tables; }
    const std::vector<HtmlAnimation>& Animations() const { return m_animations; }
    int HotLinkIndex() const { return m_hotLink; }
    const HtmlStyle& CurrentStyle() const { return m_style; }

    // Image attributes and style letters.
    void ParseImageAttributes(const std::string& attributes, HtmlImageAttributes& image) const;
    DWORD ParseImageStyleLetters(const std::string& value) const;

protected:
    // The passes.
    void DrawHtml(SIZE* size, const RECT& rect);
    void DrawHtmlString(const std::string& part, const RECT& rect, SIZE* size);
    void SelectNewFont();
    int StartLine(int x);
    void NewLine(int count);
    std::string WrapText(std::string& text, int lineWidth, int& room);
    void TabStop(int count);
    void AddLinkArea(int left, int top, int right, int bottom);
    int VerticalTextPlace(int h);
    int VerticalImagePlace(int h);
    void PlaceRun(std::string run);
    void DoHorzLine(const std::string& attributes);
    void DoBreakOrTab(int kind, const std::string& attributes);
    void ApplyStyleTag(int kind, const std::string& styleName, bool closing, const std::string& attributes);

    // Images and resource strings.
    void DoImage(int kind, const std::string& attributes);
    void DoString(const std::string& attributes);
    void PlaceImage(int boxW, int boxH, int w, int h, const std::function<void(int x, int y)>& draw);
    DWORD ImageEffect(const HtmlImageAttributes& image) const;
    void DrawBackgroundImage(CDC* dc, int x, int y, int cx, int cy, const std::string& spec);

    // Tables.
    void DrawTable(const std::string& text, const RECT& rect, SIZE* size);
    void DrawTableRow(const std::string& text, const RECT& rect, HtmlTableInfo& table, int row);
    void DrawTableCell(const std::string& text, const RECT& rect, HtmlTableCell& cell);
    std::pair<int, int> MeasureTableGrid(const std::string& text) const;
    static void FindEndOfTable(const std::string& text, size_t& pos);
    static void FindEndOfRow(const std::string& text, size_t& pos);
    static void FindEndOfCell(const std::string& text, size_t& pos);
    std::pair<int, int> ParseTableAttributes(const std::string& attributes, HtmlStyle& style, bool table) const;
    void PopStyleNamed(const std::string& name);

private:
    void BuildTables();
    void SendRepaint();
    int FindLinkArea(POINT point) const;
    SIZE Extent(const std::string& text);
    void ReadMetrics();
    static int Clamp(long long v, int limit = kMaxCoord);

    // Settings.
    int m_maxWidth = 0;
    int m_tabSize = 32;
    bool m_enabled = true;
    COLORREF m_disabledColor = 0;
    bool m_lineBreakConversion = true;
    int m_shadowDx = 4, m_shadowDy = 4, m_shadowDarkness = 50;
    bool m_shadowBlurred = true;
    int m_shadowDepthX = 7, m_shadowDepthY = 7;
    COLORREF m_shadowColor = RGB(128, 128, 128);
    HWND m_repaintWnd = nullptr;
    UINT m_repaintMsg = 0;
    LPARAM m_repaintValue = 0;
    HWND m_messageWnd = nullptr;
    UINT m_messageMsg = 0;
    LPARAM m_messageValue = 0;
    HCURSOR m_linkCursor = nullptr;
    HIMAGELIST m_imageList = nullptr;
    int m_imageListCx = 0, m_imageListCy = 0;
    CPPDrawManager m_drawManager;
    std::map<std::string, HtmlTagEntry> m_tags;
    std::map<std::string, COLORREF> m_colors;
    std::map<std::string, std::string> m_cssRules;
    std::string m_cssText;
    HtmlTextDevice m_defaultDevice;
    HtmlTextDevice* m_device = &m_defaultDevice;

    // The text and what its measuring pass recorded.
    std::string m_text;
    std::vector<HtmlTableInfo> m_tables;
    std::vector<HtmlLineInfo> m_lines;
    std::vector<HtmlLinkArea> m_linkAreas;
    std::vector<HtmlAnimation> m_animations;
    int m_hotLink = -2;

    // One pass.
    CDC* m_dc = nullptr;
    RECT m_outRect{};
    bool m_measuring = true;
    HtmlStyle m_style;
    std::vector<HtmlStyle> m_styleStack;
    std::unique_ptr<CFont> m_font;
    CFont* m_oldFont = nullptr;
    TEXTMETRIC m_tm;
    HtmlLineInfo m_line;
    int m_lineIndex = 0;
    int m_tableIndex = -1;
    int m_linkIndex = -1;
    int m_animationIndex = -1;
    int m_tableDepth = 0;
    int m_x = 0, m_y = 0;
    int m_lineStartX = 0;
    int m_widest = 0;
    int m_lineRoom = 0;   // drawing: content width still to come on the line
    int m_lineSpaces = 0; // drawing: blanks still to come on the line
    COLORREF m_partShadowColor = 0;
};
