#include "platform/win/Wnd.h"

#include "platform/win/Gdi.h"
#include "platform/win/Menu.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QIcon>
#include <QLayout>
#include <QWidget>
#include <algorithm>

// Text, dialog item values, fonts, menus and icons of a window.

using namespace win::detail;

// ---- Text -----------------------------------------------------------------------

void CWnd::SetWindowText(const std::string& text)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CWnd::GetWindowText(std::string& text) const { text = GetWindowText(); }

std::string CWnd::GetWindowText() const
{
    auto* self = const_cast<CWnd*>(this);
    const LRESULT length = self->SendMessage(WM_GETTEXTLENGTH);
    if (length <= 0)
        return {};
    std::string text(size_t(length) + 1, '\0');
    const LRESULT n = self->SendMessage(WM_GETTEXT, WPARAM(text.size()), reinterpret_cast<LPARAM>(text.data()));
    text.resize(size_t(std::clamp<LRESULT>(n, 0, length)));
    return text;
}

int CWnd::GetWindowTextLength() const { return int(GetWindowText().size()); }

void CWnd::SetDlgItemText(int id, const std::string& text)
{
    if (CWnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

int CWnd::GetDlgItemText(int id, std::string& text) const
{
    CWnd* item = GetDlgItem(id);
    text = item ? item->GetWindowText() : std::string();
    return int(text.size());
}

void CWnd::SetDlgItemInt(int id, UINT value, BOOL isSigned)
{
    SetDlgItemText(id, isSigned ? std::to_string(int(value)) : std::to_string(value));
}

UINT CWnd::GetDlgItemInt(int id, BOOL* translated, BOOL isSigned) const
{
    std::string text;
    GetDlgItemText(id, text);
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (isSigned && i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    long long v = 0;
    const size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && v <= 0xFFFFFFFFLL)
        v = v * 10 + (text[i++] - '0');
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const long long limit = isSigned ? (negative ? 0x80000000LL : 0x7FFFFFFFLL) : 0xFFFFFFFFLL;
    const bool ok = i > digitsStart && i == text.size() && v <= limit;
    if (translated)
        *translated = ok;
    if (!ok)
        return 0;
    return UINT(negative ? -v : v);
}

void CWnd::CheckDlgButton(int id, UINT check) { SendDlgItemMessage(id, BM_SETCHECK, check); }

UINT CWnd::IsDlgButtonChecked(int id) const
{
    return UINT(const_cast<CWnd*>(this)->SendDlgItemMessage(id, BM_GETCHECK));
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId)
{
    for (CWnd* c : GetChildren()) {
        const int id = c->GetDlgCtrlID();
        if (id >= firstId && id <= lastId)
            c->SendMessage(BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) const
{
    for (CWnd* c : GetChildren()) {
        const int id = c->GetDlgCtrlID();
        if (id >= firstId && id <= lastId && c->SendMessage(BM_GETCHECK) == BST_CHECKED)
            return id;
    }
    return 0;
}

// ---- Fonts, menus and icons ---------------------------------------------------------

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    m_impl->font = font;
    if (QWidget* w = widget(); w && font) {
        w->setFont(font->GetQFont());
        if (redraw)
            w->update();
    }
}

CFont* CWnd::GetFont() const { return m_impl->font; }

CMenu* CWnd::GetMenu() const { return m_impl->menu; }

BOOL CWnd::SetMenu(CMenu* menu)
{
    QWidget* f = frameWidget();
    if (!f || !f->isWindow())
        return FALSE;
    m_impl->menu = menu;
    if (menu)
        menu->AttachTo(this);
    DrawMenuBar();
    return TRUE;
}

void CWnd::DrawMenuBar()
{
    QWidget* f = frameWidget();
    if (!f || !f->isWindow() || !f->layout())
        return;
    if (m_impl->menu)
        f->layout()->setMenuBar(m_impl->menu->BarWidget(f, this));
    else if (QWidget* bar = f->layout()->menuBar()) {
        f->layout()->setMenuBar(nullptr);
        bar->deleteLater();
    }
}

CMenu* CWnd::GetSystemMenu(BOOL revert)
{
    QWidget* f = frameWidget();
    if (!f || !f->isWindow())
        return nullptr;
    if (!m_impl->systemMenu || revert) {
        m_impl->systemMenu = std::make_unique<CMenu>();
        m_impl->systemMenu->CreateSystemMenu(this);
    }
    return m_impl->systemMenu.get();
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    HICON& slot = bigIcon ? m_impl->bigIcon : m_impl->smallIcon;
    const HICON old = slot;
    slot = icon;
    if (QWidget* f = frameWidget(); f && f->isWindow() && icon)
        f->setWindowIcon(QIcon(win::PixmapOfIcon(icon)));
    return old;
}

HICON CWnd::GetIcon(BOOL bigIcon) const { return bigIcon ? m_impl->bigIcon : m_impl->smallIcon; }
