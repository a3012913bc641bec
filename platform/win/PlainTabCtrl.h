#pragma once
// A plain tab control that hosts child windows, one per tab: it shows the
// selected tab's window in its windows area under the tab strip and hides
// the others. It offers the operations the main window uses of the
// program's own tab control, which takes its place in the control kit.
#include "platform/win/Wnd.h"

#include <memory>
#include <string>
#include <vector>

class QTabBar;

class CPlainTabCtrl : public CWnd {
public:
    struct Item;
    using HTAB = Item*; // a tab, valid until it is deleted

    // The notification receiver and the look; this control needs nothing of either.
    struct Notify {
        virtual ~Notify() = default;
    };
    struct Style {
        virtual ~Style() = default;
    };

    CPlainTabCtrl();
    ~CPlainTabCtrl() override;

    bool Create(CWnd* parent, DWORD style, const RECT& rect, UINT id);
    using CWnd::Create;

    // Appends a tab for a child window; the first tab becomes the selected one.
    HTAB AddTab(HWND wnd, const char* text, int image);
    // Removes a tab; its window is hidden, not destroyed.
    void DeleteTab(HTAB tab);
    void SetTabText(HTAB tab, const char* text);
    std::string GetTabText(HTAB tab) const;
    // Shows the tab's window and hides the previous one.
    void SelectTab(HTAB tab);
    HTAB GetSelectedTab() const { return m_selected; }
    int GetTabIndex(HTAB tab) const;
    int GetCount() const { return int(m_tabs.size()); }
    HTAB GetTab(int index) const;
    HWND GetTabWnd(HTAB tab) const;
    bool IsTabExist(HTAB tab) const { return GetTabIndex(tab) >= 0; }

    void EnableDragging(bool enable);
    void SetNotifyManager(Notify* receiver) { m_notify = receiver; }
    void InstallStyle(Style* style) { m_style = style; }
    // 0: tabs shrink to fit; 1: the strip scrolls.
    void SetBehavior(int behavior);
    // Lays the control out again and repaints it when asked.
    void Update(bool redraw = true);
    // Where the selected tab's window goes, in client coordinates.
    CRect GetWindowsArea() const;

protected:
    DECLARE_MESSAGE_MAP()
    void OnSize(UINT type, int cx, int cy);
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;

private:
    void syncBar();

    std::vector<std::unique_ptr<Item>> m_tabs;
    HTAB m_selected = nullptr;
    QTabBar* m_bar = nullptr;
    Notify* m_notify = nullptr;
    Style* m_style = nullptr;
    bool m_syncing = false;
};
