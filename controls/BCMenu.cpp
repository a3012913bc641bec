#include "controls/BCMenu.h"

#include "platform/win/Resources.h"

#include <algorithm>
#include <cctype>

namespace {

// Every pop-up that belongs to an owner-drawn menu (menus of the user-interface thread only).
std::vector<const CMenu*>& ownedMenus()
{
    static std::vector<const CMenu*> menus;
    return menus;
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

} // namespace

BCMenu::BCMenu() = default;

BCMenu::~BCMenu() { DestroyMenu(); }

BOOL BCMenu::IsMenu(const CMenu* menu)
{
    const auto& all = ownedMenus();
    return menu && std::find(all.begin(), all.end(), menu) != all.end();
}

void BCMenu::Forget()
{
    auto& all = ownedMenus();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
}

void BCMenu::Fill(const void* templateItems)
{
    const auto& items = *static_cast<const std::vector<win::MenuTemplateItem>*>(templateItems);
    ownedMenus().push_back(this);
    for (const auto& it : items) {
        BCMenuData data;
        data.text = it.text;
        data.flags = (it.checked ? MF_CHECKED : 0) | (it.grayed ? MF_GRAYED : 0);
        if (it.separator) {
            data.flags |= MF_SEPARATOR;
            AppendMenu(MF_SEPARATOR);
        } else if (it.popup) {
            auto sub = std::make_unique<BCMenu>();
            sub->CreatePopupMenu();
            sub->Fill(&it.children);
            sub->m_bLoaded = true;
            data.flags |= MF_POPUP;
            data.submenu = sub.get();
            m_submenus.push_back(std::move(sub));
            // The layer's menu shows the pop-up through a plain menu of the same items.
            auto shown = std::make_unique<CMenu>();
            shown->CreatePopupMenu();
            for (const auto& child : m_submenus.back()->m_items) {
                if (child.flags & MF_SEPARATOR)
                    shown->AppendMenu(MF_SEPARATOR);
                else if (!(child.flags & MF_POPUP))
                    shown->AppendMenu(child.flags | MF_STRING, child.command, child.text.c_str());
            }
            AppendMenu(data.flags, std::move(shown), it.text.c_str());
        } else {
            data.command = it.id;
            AppendMenu(data.flags | MF_STRING, it.id, it.text.c_str());
        }
        m_items.push_back(std::move(data));
    }
}

BOOL BCMenu::LoadMenu(UINT resourceId)
{
    const std::vector<win::MenuTemplateItem>* tpl = win::FindMenuTemplate(resourceId);
    if (!tpl)
        return FALSE;
    DestroyMenu();
    if (!CreateMenu())
        return FALSE;
    Fill(tpl);
    m_bLoaded = true;
    return TRUE;
}

BOOL BCMenu::DestroyMenu()
{
    Forget();
    for (auto& sub : m_submenus)
        sub->DestroyMenu();
    m_submenus.clear();
    m_items.clear();
    m_bLoaded = false;
    return CMenu::DestroyMenu();
}

BCMenu* BCMenu::GetSubMenu(int position) const
{
    if (position < 0 || size_t(position) >= m_items.size())
        return nullptr;
    return static_cast<BCMenu*>(m_items[size_t(position)].submenu);
}

std::string BCMenu::GetItemText(UINT idOrPosition, UINT flags) const
{
    if (flags & MF_BYPOSITION)
        return idOrPosition < m_items.size() ? m_items[idOrPosition].text : std::string();
    for (const BCMenuData& item : m_items) {
        if (item.command == idOrPosition && !(item.flags & (MF_POPUP | MF_SEPARATOR)))
            return item.text;
        if (auto* sub = static_cast<const BCMenu*>(item.submenu)) {
            std::string text = sub->GetItemText(idOrPosition, flags);
            if (!text.empty())
                return text;
        }
    }
    return {};
}

LRESULT BCMenu::FindKeyboardShortcut(UINT character, UINT flags, CMenu* menu)
{
    if (!(flags & MF_POPUP) || !IsMenu(menu))
        return 0;
    const auto* owner = static_cast<const BCMenu*>(menu);
    const std::string key = std::string("&") + char(std::tolower(int(character & 0xff)));
    for (size_t i = 0; i < owner->m_items.size(); ++i)
        if (lower(owner->m_items[i].text).find(key) != std::string::npos)
            return LRESULT(MAKELONG(WORD(i), WORD(MNC_EXECUTE)));
    return 0;
}

COLORREF BCMenu::LightenColor(COLORREF color, double factor)
{
    if (factor <= 0.0 || factor > 1.0)
        return color;
    auto up = [factor](int c) { return int(c + (255 - c) * factor); };
    return RGB(up(GetRValue(color)), up(GetGValue(color)), up(GetBValue(color)));
}
