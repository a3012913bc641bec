#pragma once
// The status bar: a row of panes along the bottom edge of its parent, laid
// out by the parent's RepositionBars. A pane shows one line of text; the
// stretching pane takes the width the others leave.
#include "platform/win/Wnd.h"

#include <string>
#include <vector>

constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr DWORD CBRS_BOTTOM = 0x8000;

constexpr UINT SBPS_NORMAL = 0x0000;    // sunken
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;    // raised
constexpr UINT SBPS_STRETCH = 0x0800;

class CStatusBar : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
    // One pane per id; ID_SEPARATOR gives an empty pane, other ids the text of their string.
    BOOL SetIndicators(const UINT* ids, int count);
    void SetPaneInfo(int index, UINT id, UINT style, int width);
    void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
    BOOL SetPaneText(int index, const std::string& text, BOOL update = TRUE);
    std::string GetPaneText(int index) const;
    int CommandToIndex(UINT id) const;
    int GetCount() const { return int(m_panes.size()); }
    // Pane rectangles in the bar's client coordinates.
    void GetItemRect(int index, LPRECT rect) const;
    int GetBarHeight() const;

protected:
    DECLARE_MESSAGE_MAP()
public:
    void OnPaint();

private:
    struct Pane {
        UINT id = 0;
        UINT style = SBPS_NORMAL;
        int width = 0;
        std::string text;
    };
    std::vector<Pane> m_panes;
};
