#include "platform/win/ToolBar.h"

#include "platform/win/Gdi.h"
#include "platform/win/Resources.h"
#include "platform/win/WidgetGlue.h"

#include <QAction>
#include <QEvent>
#include <QIcon>
#include <QImage>
#include <QLayout>
#include <QPointer>
#include <QToolBar>
#include <QToolButton>
#include <vector>

using namespace win::detail;

namespace {

// The bar with its buttons and picture strip, kept on the widget.
class ToolBarWidget : public Widget<QToolBar> {
public:
    explicit ToolBarWidget(QWidget* parent) : Widget<QToolBar>(parent)
    {
        setMovable(false);
        setFloatable(false);
        setIconSize(QSize(16, 15));
        if (parent)
            parent->installEventFilter(this);
    }

    std::vector<UINT> ids;
    std::vector<QAction*> actions;
    QImage strip;
    QSize pictureSize{16, 15};

    void rebuild()
    {
        clear();
        actions.clear();
        int picture = 0;
        for (UINT id : ids) {
            if (id == 0) {
                actions.push_back(addSeparator());
                continue;
            }
            QAction* a = addAction(QString());
            const int x = picture * pictureSize.width();
            if (!strip.isNull() && x + pictureSize.width() <= strip.width())
                a->setIcon(QIcon(QPixmap::fromImage(strip.copy(x, 0, pictureSize.width(), pictureSize.height()))));
            ++picture;
            if (std::optional<std::string> s = win::FindString(id)) {
                const auto cut = s->find('\n');
                a->setToolTip(QString::fromStdString(cut == std::string::npos ? *s : s->substr(cut + 1)));
            }
            const UINT command = id;
            QObject::connect(a, &QAction::triggered, this, [this, command] {
                Guarded(hwnd, WM_COMMAND, [this, command] {
                    CWnd* self = CWnd::FromHandle(hwnd);
                    CWnd* parent = self ? self->GetParent() : nullptr;
                    if (parent)
                        parent->SendMessage(WM_COMMAND, MAKEWPARAM(WORD(command), 0), reinterpret_cast<LPARAM>(hwnd));
                });
            });
            actions.push_back(a);
        }
        place();
    }

    // Along the top of the parent, full width.
    void place()
    {
        if (QWidget* p = parentWidget())
            setGeometry(0, 0, p->width(), sizeHint().height());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched == parentWidget() && e->type() == QEvent::Resize)
            place();
        return Widget<QToolBar>::eventFilter(watched, e);
    }
};

ToolBarWidget* bar(const CWnd* w) { return dynamic_cast<ToolBarWidget*>(w->widget()); }

} // namespace

QWidget* CToolBar::CreateWidget(QWidget* parent, DWORD) { return new ToolBarWidget(parent); }

BOOL CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, CRect, UINT id)
{
    if (!parent || !CWnd::CreateEx(0, "ToolbarWindow32", "", style | WS_CHILD, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    if (ToolBarWidget* b = bar(this)) {
        b->setStyleSheet((ctrlStyle & TBSTYLE_FLAT) ? QString() : QStringLiteral("QToolButton { border: 1px outset; }"));
        b->place();
    }
    return TRUE;
}

BOOL CToolBar::LoadToolBar(UINT resourceId)
{
    const win::ToolBarTemplate* t = win::FindToolBarTemplate(resourceId);
    ToolBarWidget* b = bar(this);
    if (!t || !b)
        return FALSE;
    b->pictureSize = QSize(t->buttonWidth, t->buttonHeight);
    b->setIconSize(b->pictureSize);
    if (!win::FindImagePath(resourceId).empty())
        LoadBitmap(resourceId);
    return SetButtons(t->buttons.data(), int(t->buttons.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count)
{
    ToolBarWidget* b = bar(this);
    if (!b || (count > 0 && !ids))
        return FALSE;
    b->ids.assign(ids, ids + count);
    b->rebuild();
    return TRUE;
}

BOOL CToolBar::SetBitmap(HBITMAP strip)
{
    ToolBarWidget* b = bar(this);
    const QImage* image = strip ? ::ImageOfBitmap(strip) : nullptr;
    if (!b || !image)
        return FALSE;
    QImage pictures = image->convertToFormat(QImage::Format_ARGB32);
    // The strip's light grey is the bar's face.
    for (int y = 0; y < pictures.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(pictures.scanLine(y));
        for (int x = 0; x < pictures.width(); ++x)
            if ((row[x] & 0xffffff) == 0xc0c0c0)
                row[x] = 0;
    }
    b->strip = pictures;
    DeleteObject(strip);
    b->rebuild();
    return TRUE;
}

BOOL CToolBar::LoadBitmap(UINT resourceId)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(resourceId))
        return FALSE;
    return SetBitmap(bitmap.Detach());
}

void CToolBar::SetSizes(SIZE button, SIZE image)
{
    if (ToolBarWidget* b = bar(this)) {
        b->pictureSize = QSize(image.cx, image.cy);
        b->setIconSize(b->pictureSize);
        (void)button;
        b->rebuild();
    }
}

int CToolBar::GetCount() const { return bar(this) ? int(bar(this)->ids.size()) : 0; }

UINT CToolBar::GetItemID(int index) const
{
    const ToolBarWidget* b = bar(this);
    return b && index >= 0 && index < int(b->ids.size()) ? b->ids[size_t(index)] : 0;
}

int CToolBar::CommandToIndex(UINT id) const
{
    const ToolBarWidget* b = bar(this);
    if (!b)
        return -1;
    for (size_t i = 0; i < b->ids.size(); ++i)
        if (b->ids[i] == id)
            return int(i);
    return -1;
}

void CToolBar::GetItemRect(int index, LPRECT rect) const
{
    *rect = CRect(0, 0, 0, 0);
    ToolBarWidget* b = bar(this);
    if (!b || index < 0 || index >= int(b->actions.size()))
        return;
    b->ensurePolished();
    if (b->layout())
        b->layout()->activate();
    if (QWidget* w = b->widgetForAction(b->actions[size_t(index)])) {
        const QRect r = w->geometry();
        *rect = CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
    }
}

int CToolBar::GetBarHeight() const { return bar(this) ? bar(this)->sizeHint().height() : 0; }
