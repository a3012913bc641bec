#pragma once
// Menus: the menu bar of a window (loaded from a menu resource), its pop-ups,
// and the window's system menu. Choosing an item sends WM_COMMAND with its id
// to the window (WM_SYSCOMMAND for the system menu). On this platform the
// system menu opens from the menu bar's context menu (right click).
#include "platform/win/Wnd.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QMenu;
class QAction;
class QWidget;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;

// TrackPopupMenu flags
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

class CMenu {
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    BOOL LoadMenu(UINT resourceId);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr);
    // Appends a pop-up; the menu takes ownership of it.
    BOOL AppendMenu(UINT flags, std::unique_ptr<CMenu> popup, const char* text);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, const char* text = nullptr);
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR newId = 0, const char* text = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);
    BOOL RemoveMenu(UINT position, UINT flags) { return DeleteMenu(position, flags); }

    // Previous state (MF_CHECKED or MF_UNCHECKED), or 0xFFFFFFFF when there is no such item.
    UINT CheckMenuItem(UINT idOrPosition, UINT flags);
    UINT EnableMenuItem(UINT idOrPosition, UINT flags);
    UINT GetMenuState(UINT idOrPosition, UINT flags) const;
    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    int GetMenuString(UINT idOrPosition, std::string& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const;
    // Opens the menu at a screen point and waits for the user's choice. With
    // TPM_RETURNCMD the chosen command is returned (0: none) and nothing is
    // sent; otherwise the choice goes to the window as WM_COMMAND. A test
    // answers through win::SetPopupMenuAnswerer; headless and unanswered the
    // menu closes without a choice.
    UINT TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd);

    // Window-layer internals.
    void AttachTo(CWnd* owner);
    QWidget* BarWidget(QWidget* frame, CWnd* owner);
    void CreateSystemMenu(CWnd* owner);
    QMenu* qmenu() const;
    // Chooses an item as the user would (tests and keyboard shortcuts).
    BOOL Choose(UINT id);

private:
    struct Item;
    Item* find(UINT idOrPosition, UINT flags, CMenu** owner = nullptr) const;
    void addItem(size_t position, UINT flags, UINT_PTR id, std::unique_ptr<CMenu> popup, const char* text);
    void syncAction(Item& item);
    void choose(const Item& item);
    CMenu* root();

    std::vector<std::unique_ptr<Item>> m_items;
    std::unique_ptr<QMenu> m_menu;
    CMenu* m_parent = nullptr;
    HWND m_owner = nullptr;
    bool m_system = false;
};

namespace win {

struct PopupMenuRequest {
    CMenu* menu = nullptr;
    POINT at{};
    HWND owner = nullptr;
};
// The command to choose (0 closes the menu without a choice), or nothing to
// let the menu open as usual.
using PopupMenuAnswerer = std::function<std::optional<UINT>(const PopupMenuRequest&)>;
// Installs (or, with an empty function, removes) the answerer; returns the previous one.
PopupMenuAnswerer SetPopupMenuAnswerer(PopupMenuAnswerer answerer);

} // namespace win
