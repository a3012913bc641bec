#pragma once
// The owner-drawn menu of the kit, as far as the image button uses it: a
// pop-up menu loaded from a menu resource whose items keep their records
// (text, flags, command) for the keyboard-shortcut lookup, and a list that
// tells whether a menu belongs to one of these menus. On this platform the
// items themselves are drawn by the window layer's menus.
#include "platform/win/Menu.h"

#include <memory>
#include <string>
#include <vector>

struct BCMenuData {
    std::string text;
    UINT flags = 0;
    UINT command = 0;      // 0 for a separator or a pop-up
    CMenu* submenu = nullptr;
};

class BCMenu : public CMenu {
public:
    BCMenu();
    ~BCMenu();

    // False when the resource is missing or the menu cannot be made.
    BOOL LoadMenu(UINT resourceId);
    BOOL DestroyMenu();
    BCMenu* GetSubMenu(int position) const;
    // The text of an item by command (or, with MF_BYPOSITION, by position); empty when none.
    std::string GetItemText(UINT idOrPosition, UINT flags = MF_BYCOMMAND) const;
    const std::vector<BCMenuData>& Items() const { return m_items; }
    bool IsLoaded() const { return m_bLoaded; }

    // Whether the menu belongs to one of the owner-drawn menus.
    static BOOL IsMenu(const CMenu* menu);
    // The answer to WM_MENUCHAR: the first item of a pop-up owner-drawn menu
    // whose text has "&" before the character (either case) is executed:
    // its position with MNC_EXECUTE in the high word; otherwise 0.
    static LRESULT FindKeyboardShortcut(UINT character, UINT flags, CMenu* menu);
    // Each channel moved towards white by the factor (0 < factor <= 1).
    static COLORREF LightenColor(COLORREF color, double factor);

private:
    void Fill(const void* templateItems);
    void Forget();

    std::vector<BCMenuData> m_items;
    std::vector<std::unique_ptr<BCMenu>> m_submenus;
    bool m_bLoaded = false;
};
