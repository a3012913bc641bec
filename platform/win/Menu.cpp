#include "platform/win/Menu.h"

#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

struct CMenu::Item {
    UINT id = 0;
    std::string text;
    UINT flags = 0;
    std::unique_ptr<CMenu> popup;
    QAction* action = nullptr;
};

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    m_items.clear();
    m_menu.reset();
}

QMenu* CMenu::qmenu() const { return m_menu.get(); }

BOOL CMenu::CreateMenu()
{
    if (m_menu)
        return FALSE;
    m_menu = std::make_unique<QMenu>();
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() { return CreateMenu(); }

BOOL CMenu::DestroyMenu()
{
    if (!m_menu)
        return FALSE;
    m_items.clear();
    m_menu.reset();
    return TRUE;
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    const std::vector<win::MenuTemplateItem>* tpl = win::FindMenuTemplate(resourceId);
    if (!tpl || m_menu)
        return FALSE;
    CreateMenu();
    struct Loader {
        static void fill(CMenu& menu, const std::vector<win::MenuTemplateItem>& items)
        {
            for (const auto& it : items) {
                UINT flags = (it.checked ? MF_CHECKED : 0) | (it.grayed ? MF_GRAYED : 0);
                if (it.separator) {
                    menu.AppendMenu(MF_SEPARATOR);
                } else if (it.popup) {
                    auto sub = std::make_unique<CMenu>();
                    sub->CreatePopupMenu();
                    fill(*sub, it.children);
                    menu.AppendMenu(flags | MF_POPUP, std::move(sub), it.text.c_str());
                } else {
                    menu.AppendMenu(flags | MF_STRING, it.id, it.text.c_str());
                }
            }
        }
    };
    Loader::fill(*this, *tpl);
    return TRUE;
}

void CMenu::addItem(size_t position, UINT flags, UINT_PTR id, std::unique_ptr<CMenu> popup, const char* text)
{
    if (!m_menu)
        CreateMenu();
    auto item = std::make_unique<Item>();
    item->id = (flags & MF_POPUP) ? 0xFFFFFFFF : UINT(id);
    item->text = text ? text : "";
    item->flags = flags;
    QAction* before = position < m_items.size() ? m_items[position]->action : nullptr;
    if (flags & MF_SEPARATOR) {
        item->action = new QAction(m_menu.get());
        item->action->setSeparator(true);
    } else if (popup) {
        popup->m_parent = this;
        item->action = popup->qmenu()->menuAction();
        item->popup = std::move(popup);
    } else {
        item->action = new QAction(m_menu.get());
        Item* raw = item.get();
        QObject::connect(item->action, &QAction::triggered, [this, raw] {
            win::detail::Guarded(root()->m_owner, WM_COMMAND, [this, raw] { choose(*raw); });
        });
    }
    m_menu->insertAction(before, item->action);
    syncAction(*item);
    m_items.insert(m_items.begin() + std::min(position, m_items.size()), std::move(item));
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const char* text)
{
    if (flags & MF_POPUP)
        return FALSE; // pop-ups come with their menu object
    addItem(m_items.size(), flags, id, nullptr, text);
    return TRUE;
}

BOOL CMenu::AppendMenu(UINT flags, std::unique_ptr<CMenu> popup, const char* text)
{
    if (!popup || !popup->qmenu())
        return FALSE;
    popup->qmenu()->setTitle(QString::fromStdString(text ? text : ""));
    addItem(m_items.size(), flags | MF_POPUP, 0, std::move(popup), text);
    return TRUE;
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, const char* text)
{
    if (flags & MF_POPUP)
        return FALSE;
    size_t at = m_items.size();
    if (flags & MF_BYPOSITION) {
        at = std::min<size_t>(position, m_items.size());
    } else {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i]->id == position && !(m_items[i]->flags & MF_POPUP))
                at = i;
    }
    addItem(at, flags & ~MF_BYPOSITION, id, nullptr, text);
    return TRUE;
}

CMenu::Item* CMenu::find(UINT idOrPosition, UINT flags, CMenu** owner) const
{
    if (flags & MF_BYPOSITION) {
        if (idOrPosition >= m_items.size())
            return nullptr;
        if (owner)
            *owner = const_cast<CMenu*>(this);
        return m_items[idOrPosition].get();
    }
    for (const auto& it : m_items) {
        if (!(it->flags & (MF_POPUP | MF_SEPARATOR)) && it->id == idOrPosition) {
            if (owner)
                *owner = const_cast<CMenu*>(this);
            return it.get();
        }
        if (it->popup)
            if (Item* found = it->popup->find(idOrPosition, flags, owner))
                return found;
    }
    return nullptr;
}

BOOL CMenu::ModifyMenu(UINT position, UINT flags, UINT_PTR newId, const char* text)
{
    Item* it = find(position, flags);
    if (!it)
        return FALSE;
    if (!(it->flags & MF_POPUP))
        it->id = UINT(newId);
    if (text)
        it->text = text;
    const UINT keep = it->flags & MF_POPUP;
    it->flags = (flags & ~MF_BYPOSITION & ~MF_POPUP) | keep;
    syncAction(*it);
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    CMenu* owner = nullptr;
    Item* it = find(position, flags, &owner);
    if (!it)
        return FALSE;
    auto& items = owner->m_items;
    for (auto i = items.begin(); i != items.end(); ++i) {
        if (i->get() == it) {
            owner->m_menu->removeAction(it->action);
            if (!it->popup)
                delete it->action;
            items.erase(i);
            break;
        }
    }
    return TRUE;
}

UINT CMenu::CheckMenuItem(UINT idOrPosition, UINT flags)
{
    Item* it = find(idOrPosition, flags);
    if (!it)
        return 0xFFFFFFFF;
    const UINT previous = it->flags & MF_CHECKED;
    it->flags = (it->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    syncAction(*it);
    return previous;
}

UINT CMenu::EnableMenuItem(UINT idOrPosition, UINT flags)
{
    Item* it = find(idOrPosition, flags);
    if (!it)
        return 0xFFFFFFFF;
    const UINT previous = it->flags & (MF_GRAYED | MF_DISABLED);
    it->flags = (it->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    syncAction(*it);
    return previous;
}

UINT CMenu::GetMenuState(UINT idOrPosition, UINT flags) const
{
    Item* it = find(idOrPosition, flags);
    return it ? it->flags : 0xFFFFFFFF;
}

int CMenu::GetMenuItemCount() const { return m_menu ? int(m_items.size()) : -1; }

UINT CMenu::GetMenuItemID(int position) const
{
    if (position < 0 || size_t(position) >= m_items.size())
        return 0xFFFFFFFF;
    const Item& it = *m_items[size_t(position)];
    if (it.flags & MF_POPUP)
        return 0xFFFFFFFF;
    return (it.flags & MF_SEPARATOR) ? 0 : it.id;
}

int CMenu::GetMenuString(UINT idOrPosition, std::string& text, UINT flags) const
{
    Item* it = find(idOrPosition, flags);
    text = it ? it->text : std::string();
    return int(text.size());
}

CMenu* CMenu::GetSubMenu(int position) const
{
    if (position < 0 || size_t(position) >= m_items.size())
        return nullptr;
    return m_items[size_t(position)]->popup.get();
}

void CMenu::syncAction(Item& item)
{
    QAction* a = item.action;
    if (!a || a->isSeparator())
        return;
    a->setText(QString::fromStdString(item.text));
    a->setEnabled(!(item.flags & (MF_GRAYED | MF_DISABLED)));
    const bool checked = item.flags & MF_CHECKED;
    if (!item.popup) {
        a->setCheckable(checked);
        a->setChecked(checked);
    }
}

CMenu* CMenu::root()
{
    CMenu* m = this;
    while (m->m_parent)
        m = m->m_parent;
    return m;
}

void CMenu::choose(const Item& item)
{
    // The check mark is the program's to set: undo Qt's own toggling.
    syncAction(const_cast<Item&>(item));
    CMenu* r = root();
    const UINT id = item.id;
    if (r->m_system)
        ::SendMessage(r->m_owner, WM_SYSCOMMAND, id, 0);
    else
        ::SendMessage(r->m_owner, WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0);
}

BOOL CMenu::Choose(UINT id)
{
    Item* it = find(id, MF_BYCOMMAND);
    if (!it || (it->flags & (MF_GRAYED | MF_DISABLED)))
        return FALSE;
    choose(*it);
    return TRUE;
}

void CMenu::AttachTo(CWnd* owner) { m_owner = owner ? owner->m_hWnd : nullptr; }

QWidget* CMenu::BarWidget(QWidget* frame, CWnd* owner)
{
    AttachTo(owner);
    auto* bar = new QMenuBar(frame);
    for (auto& it : m_items)
        bar->addAction(it->action);
    // The system menu opens from the menu bar's context menu.
    bar->setContextMenuPolicy(Qt::CustomContextMenu);
    const HWND h = owner->m_hWnd;
    QObject::connect(bar, &QWidget::customContextMenuRequested, [bar, h](const QPoint& p) {
        if (CWnd* w = CWnd::FromHandle(h))
            if (CMenu* sys = w->GetSystemMenu(FALSE))
                sys->qmenu()->popup(bar->mapToGlobal(p));
    });
    return bar;
}

void CMenu::CreateSystemMenu(CWnd* owner)
{
    DestroyMenu();
    CreateMenu();
    m_system = true;
    AttachTo(owner);
    AppendMenu(MF_STRING, SC_RESTORE, "&Restore");
    AppendMenu(MF_STRING, SC_MINIMIZE, "Mi&nimize");
    AppendMenu(MF_STRING, SC_MAXIMIZE, "Ma&ximize");
    AppendMenu(MF_SEPARATOR);
    AppendMenu(MF_STRING, SC_CLOSE, "&Close");
}

namespace {

win::PopupMenuAnswerer& popupAnswerer()
{
    static win::PopupMenuAnswerer answerer;
    return answerer;
}

} // namespace

win::PopupMenuAnswerer win::SetPopupMenuAnswerer(PopupMenuAnswerer answerer)
{
    std::swap(popupAnswerer(), answerer);
    return answerer;
}

UINT CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd)
{
    if (!m_menu)
        return 0;
    UINT chosen = 0;
    const win::PopupMenuRequest request{this, POINT{x, y}, wnd ? wnd->m_hWnd : nullptr};
    if (auto answer = popupAnswerer() ? popupAnswerer()(request) : std::nullopt) {
        chosen = *answer;
        if (chosen) {
            Item* it = find(chosen, MF_BYCOMMAND);
            if (!it || (it->flags & (MF_GRAYED | MF_DISABLED)))
                chosen = 0;
        }
    } else if (!win::IsHeadless()) {
        // The items' own signals stay quiet: the choice is reported once, below.
        std::vector<std::unique_ptr<QSignalBlocker>> quiet;
        std::function<void(CMenu&)> block = [&](CMenu& m) {
            for (auto& it : m.m_items) {
                if (it->popup)
                    block(*it->popup);
                else if (it->action)
                    quiet.push_back(std::make_unique<QSignalBlocker>(it->action));
            }
        };
        block(*this);
        QAction* picked = m_menu->exec(QPoint(x, y));
        std::function<UINT(CMenu&)> idOf = [&](CMenu& m) -> UINT {
            for (auto& it : m.m_items) {
                if (it->popup) {
                    if (UINT id = idOf(*it->popup))
                        return id;
                } else if (picked && it->action == picked) {
                    return it->id;
                }
            }
            return 0;
        };
        chosen = idOf(*this);
    }
    if (chosen && !(flags & TPM_RETURNCMD) && wnd) {
        wnd->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(chosen), 0), 0);
        return TRUE;
    }
    return chosen;
}
