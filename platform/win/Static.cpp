#include "platform/win/Static.h"

#include "platform/win/Resources.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

using namespace win::detail;

namespace {

QPixmap imageResource(UINT id, bool icon)
{
    const std::string path = icon ? win::FindIconPath(id) : win::FindImagePath(id);
    return path.empty() ? QPixmap() : QPixmap(QString::fromStdString(path));
}

QWidget* makeFrame(DWORD type, QWidget* parent)
{
    auto* f = new Widget<QFrame>(parent);
    const bool rect = type == SS_BLACKRECT || type == SS_GRAYRECT || type == SS_WHITERECT;
    const QColor c = (type == SS_BLACKFRAME || type == SS_BLACKRECT)  ? QColor(0, 0, 0)
                     : (type == SS_WHITEFRAME || type == SS_WHITERECT) ? QColor(255, 255, 255)
                                                                        : QColor(128, 128, 128);
    QPalette p = f->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Window, c);
    f->setPalette(p);
    if (rect) {
        f->setAutoFillBackground(true);
    } else {
        f->setFrameShape(QFrame::Box);
        f->setFrameShadow(type == SS_ETCHEDFRAME ? QFrame::Sunken : QFrame::Plain);
    }
    return f;
}

QWidget* makeText(DWORD style, QWidget* parent)
{
    const DWORD type = style & SS_TYPEMASK;
    auto* l = new Widget<QLabel>(parent);
    Qt::Alignment a = Qt::AlignTop;
    if (type == SS_CENTER)
        a |= Qt::AlignHCenter;
    else if (type == SS_RIGHT)
        a |= Qt::AlignRight;
    else
        a |= Qt::AlignLeft;
    if (style & SS_CENTERIMAGE)
        a = (a & ~Qt::AlignTop) | Qt::AlignVCenter;
    l->setAlignment(a);
    l->setWordWrap(type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT);
    l->setTextFormat(Qt::PlainText);
    if (style & SS_SUNKEN) {
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
    }
    return l;
}

} // namespace

BOOL CStatic::Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "Static", text, style, rect, parent, id);
}

QWidget* CStatic::CreateWidget(QWidget* parent, DWORD style)
{
    const DWORD type = style & SS_TYPEMASK;
    QWidget* w = nullptr;
    switch (type) {
    case SS_BITMAP:
    case SS_ICON: {
        auto* l = new Widget<QLabel>(parent);
        l->setAlignment((style & SS_CENTERIMAGE) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
        w = l;
        break;
    }
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME:
    case SS_ETCHEDFRAME:
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT:
        w = makeFrame(type, parent);
        break;
    default:
        w = makeText(style, parent);
        break;
    }
    ApplyFocusPolicy(w, style, Qt::NoFocus);
    return w;
}

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT: {
        const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
        auto* l = qobject_cast<QLabel*>(widget());
        if (l && l->pixmap().isNull()) {
            const QString t = QString::fromStdString(impl()->text);
            l->setText((GetStyle() & SS_NOPREFIX) ? t : StripMnemonic(t));
        }
        return r;
    }
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
        // A notifying static reports its clicks to its parent.
        if (GetStyle() & SS_NOTIFY) {
            const HWND self = m_hWnd;
            const LRESULT r = CWnd::DefWindowProc(message, wParam, lParam);
            if (IsWindow(self))
                NotifyParent(self, message == WM_LBUTTONUP ? STN_CLICKED : STN_DBLCLK);
            return r;
        }
        break;
    case WM_PAINT:
        AskControlColors(this, WM_CTLCOLORSTATIC);
        if (!m_hWnd)
            return 0;
        break;
    default:
        break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

void CStatic::SetImageResource(UINT id)
{
    if (auto* l = qobject_cast<QLabel*>(widget()))
        l->setPixmap(imageResource(id, (GetStyle() & SS_TYPEMASK) == SS_ICON));
}

bool CStatic::AcceptsWidget(const QWidget* w) const
{
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QFrame*>(w);
}
