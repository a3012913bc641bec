#include "platform/win/Dialog.h"

#include "platform/win/ControlClass.h"
#include "platform/win/Display.h"
#include "platform/win/Gdi.h"
#include "platform/win/Menu.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Resources.h"
#include "platform/win/Static.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WinApp.h"
#include "platform/win/WndImpl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEventLoop>
#include <QLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cstdio>

using namespace win::detail;

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParentWnd(parent), m_templateId(templateId) {}

CDialog::~CDialog()
{
    if (m_loop)
        m_loop->quit();
}

BOOL CDialog::createFromTemplate(CWnd* parent)
{
    const win::DialogTemplate* t = win::FindDialogTemplate(m_templateId);
    if (!t) {
        std::fprintf(stderr, "No dialog template %u\n", m_templateId);
        return FALSE;
    }
    const bool child = (t->style & WS_CHILD) != 0;
    if (child && (!parent || !parent->widget()))
        return FALSE;

    auto* client = new Widget<QWidget>(child ? parent->widget() : nullptr);
    client->setFont(win::DialogFont(t->fontName, t->fontSize));
    client->setAutoFillBackground(true);
    QWidget* frame = client;
    if (!child)
        frame = MakeFrame(parent ? parent->frameWidget() : nullptr, client, t->style, t->exStyle);
    AttachNewWidget(client, frame, 0, t->style, t->exStyle);
    if (!child && parent)
        impl()->parent = parent->m_hWnd;
    if (!t->caption.empty())
        SetWindowText(t->caption);

    // Controls, in template order (which is also the tab order).
    for (const win::DialogItemTemplate& item : t->items) {
        std::unique_ptr<CWnd> obj = win::NewControlObject(item.className);
        QWidget* w = obj->CreateWidget(client, item.style);
        if (!win::FindControlClass(item.className))
            ApplyFocusPolicy(w, item.style, Qt::ClickFocus); // a control its owner draws
        obj->AttachNewWidget(w, w, UINT(item.id), item.style, item.exStyle);
        if (!item.text.empty()) {
            // The template's text is no change to report.
            const QSignalBlocker quiet(w);
            obj->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        }
        if (item.imageId)
            if (auto* picture = dynamic_cast<CStatic*>(obj.get()))
                picture->SetImageResource(item.imageId);
        CRect r = win::DialogRectToPixels(item.x, item.y, item.cx, item.cy);
        // A combo box's template height includes its drop-down list.
        if (qobject_cast<QComboBox*>(w))
            r.bottom = r.top + std::min(r.Height(), w->sizeHint().height());
        w->setGeometry(r.left, r.top, r.Width(), r.Height());
        w->setEnabled(!(item.style & WS_DISABLED));
        w->setVisible((item.style & WS_VISIBLE) != 0);
        if (item.className == "Button" && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            m_defId = UINT(item.id);
        impl()->ownedChildren.push_back(std::move(obj));
    }

    if (t->menuId) {
        impl()->ownMenu = std::make_unique<CMenu>();
        if (impl()->ownMenu->LoadMenu(t->menuId))
            SetMenu(impl()->ownMenu.get());
    }

    // Place and size: the template gives the client area.
    const CRect px = win::DialogRectToPixels(t->x, t->y, t->cx, t->cy);
    // Set quietly: the dialog hears of its place and size when it is shown.
    if (child) {
        PlaceQuietly(px.left, px.top, px.Width(), px.Height());
    } else {
        int barHeight = 0;
        if (frame->layout() && frame->layout()->menuBar())
            barHeight = frame->layout()->menuBar()->sizeHint().height();
        CPoint origin(px.left, px.top);
        if (parent)
            parent->ClientToScreen(&origin);
        PlaceQuietly(origin.x, origin.y, px.Width(), px.Height() + barHeight);
        if (t->style & DS_CENTER) {
            const CRect work = win::WorkArea();
            CRect area = work;
            if (parent && parent->IsWindowVisible() && !parent->IsIconic())
                parent->GetWindowRect(area);
            const int w = px.Width(), h = px.Height() + barHeight;
            const int x = std::max<int>(work.left, std::min<int>(area.left + (area.Width() - w) / 2, work.right - w));
            const int y = std::max<int>(work.top, std::min<int>(area.top + (area.Height() - h) / 2, work.bottom - h));
            PlaceQuietly(x, y, w, h);
        }
    }
    return TRUE;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd)
        return FALSE;
    if (templateId)
        m_templateId = templateId;
    if (parent)
        m_pParentWnd = parent;
    m_modal = false;
    m_ended = false;
    m_result = -1;
    if (!createFromTemplate(m_pParentWnd))
        return FALSE;
    const HWND self = m_hWnd;
    const DWORD style = win::FindDialogTemplate(m_templateId)->style;
    if (SendMessage(WM_INITDIALOG) && IsWindow(self))
        NextDlgCtrl();
    if (!IsWindow(self))
        return FALSE;
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    CWnd* owner = m_pParentWnd;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        if (main && main != this && main->m_hWnd)
            owner = main;
    }
    m_modal = true;
    m_ended = false;
    m_result = -1;
    if (!createFromTemplate(owner)) {
        m_modal = false;
        return -1;
    }
    const HWND self = m_hWnd;
    if (SendMessage(WM_INITDIALOG) && IsWindow(self))
        NextDlgCtrl();

    if (IsWindow(self) && !m_ended) {
        win::MessageBoxRequest request;
        request.owner = owner ? owner->m_hWnd : nullptr;
        request.caption = GetWindowText();
        request.kind = win::DialogKind::Dialog;
        request.dialogId = m_templateId;
        request.window = this;
        const std::optional<int> answer = win::AskAnswerer(request);
        if (answer && *answer != win::kRunModalLoop) {
            if (IsWindow(self) && !m_ended)
                EndDialog(*answer);
        } else if (!answer && IsWindow(self) && !m_ended && win::IsHeadless() && this != AfxGetMainWnd()) {
            // Nobody can answer it: Cancel, as a closed dialog would.
            EndDialog(IDCANCEL);
        }
    }
    if (IsWindow(self) && !m_ended) {
        frameWidget()->setWindowModality(Qt::ApplicationModal);
        ShowWindow(SW_SHOW);
        QEventLoop loop;
        m_loop = &loop;
        loop.exec(QEventLoop::DialogExec);
        m_loop = nullptr;
    }
    const int result = m_result;
    if (IsWindow(self))
        DestroyWindow();
    m_modal = false;
    return result;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (m_loop)
        m_loop->quit();
    if (m_hWnd)
        ShowWindow(SW_HIDE);
}

DWORD CDialog::GetDefID() const { return MAKELONG(WORD(m_defId), WORD(DC_HASDEFID)); }

void CDialog::SetDefID(UINT id) { m_defId = id; }

void CDialog::MapDialogRect(LPRECT rect) const
{
    const CRect r = win::DialogRectToPixels(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    *rect = r;
}

namespace {

// The controls that take the focus by Tab, in tab order.
std::vector<CWnd*> tabStops(const CWnd* dlg)
{
    std::vector<CWnd*> out;
    for (CWnd* c : dlg->GetChildren())
        if ((c->GetStyle() & WS_TABSTOP) && c->IsWindowVisible() && c->IsWindowEnabled())
            out.push_back(c);
    return out;
}

void moveFocus(const CWnd* dlg, int step)
{
    const std::vector<CWnd*> stops = tabStops(dlg);
    if (stops.empty())
        return;
    CWnd* focus = CWnd::GetFocus();
    auto it = std::find(stops.begin(), stops.end(), focus);
    if (it == stops.end()) {
        stops.front()->SetFocus();
        return;
    }
    const int n = int(stops.size());
    const int i = ((int(it - stops.begin()) + step) % n + n) % n;
    stops[size_t(i)]->SetFocus();
}

} // namespace

void CDialog::NextDlgCtrl() const { moveFocus(this, 1); }
void CDialog::PrevDlgCtrl() const { moveFocus(this, -1); }

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    // A dialog inside another (a tab page) leaves Enter and Esc to the dialog around it.
    if (msg->message != WM_KEYDOWN || (GetStyle() & WS_CHILD))
        return FALSE;
    // A control that wants every key (WM_GETDLGCODE) keeps Enter and Esc too.
    UINT dlgCode = 0;
    if (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN)
        if (CWnd* focus = CWnd::GetFocus(); focus && focus != this && focus->GetTopLevelParent() == this)
            dlgCode = UINT(focus->SendMessage(WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
    if (dlgCode & DLGC_WANTALLKEYS)
        return FALSE;
    if (msg->wParam == VK_ESCAPE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return TRUE;
    }
    if (msg->wParam == VK_RETURN) {
        // A multi-line field and a focused push button keep their Enter.
        CWnd* focus = CWnd::GetFocus();
        QWidget* fw = focus ? focus->widget() : nullptr;
        if (fw && qobject_cast<QPlainTextEdit*>(fw))
            return FALSE;
        UINT id = m_defId;
        if (fw && (qobject_cast<QPushButton*>(fw) || (dlgCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) &&
            focus->GetParent() == this)
            id = UINT(focus->GetDlgCtrlID());
        CWnd* button = GetDlgItem(int(id));
        if (button && !button->IsWindowEnabled())
            return TRUE;
        SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED),
                    reinterpret_cast<LPARAM>(button ? button->m_hWnd : nullptr));
        return TRUE;
    }
    return FALSE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A modal dialog destroyed from elsewhere ends its loop.
    if (message == WM_DESTROY && m_loop) {
        m_ended = true;
        m_loop->quit();
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        // Closing a dialog is its Cancel.
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        return 0;
    case DM_GETDEFID:
        return LRESULT(GetDefID());
    case DM_SETDEFID:
        m_defId = UINT(wParam);
        return TRUE;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CDialogEx::SetBackgroundColor(COLORREF color, BOOL repaint)
{
    m_background = color;
    if (QWidget* w = widget()) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
        w->setPalette(p);
        w->setAutoFillBackground(true);
        if (repaint)
            w->update();
    }
}
