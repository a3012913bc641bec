#include "platform/win/MFCButton.h"

#include "platform/win/Gdi.h"
#include "platform/win/WidgetGlue.h"

#include <QIcon>
#include <QPushButton>
#include <algorithm>

using namespace win::detail;

namespace {

bool isRadio(DWORD style) { return (style & BS_TYPEMASK) == BS_RADIOBUTTON || (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON; }
bool isCheck(DWORD style)
{
    const DWORD t = style & BS_TYPEMASK;
    return t == BS_CHECKBOX || t == BS_AUTOCHECKBOX || t == BS_3STATE || t == BS_AUTO3STATE;
}

class MfcButtonWidget : public Widget<QPushButton> {
public:
    MfcButtonWidget(QWidget* parent, DWORD style) : Widget<QPushButton>(parent), style(style) {}
    DWORD style;

protected:
    void nextCheckState() override
    {
        const DWORD t = style & BS_TYPEMASK;
        if (t == BS_CHECKBOX || t == BS_3STATE || t == BS_RADIOBUTTON)
            return; // the program checks these itself
        if (!isRadio(style)) {
            setChecked(!isChecked());
            return;
        }
        // The other radio buttons of its group (from the WS_GROUP control at or before it to the next) go up.
        auto* self = dynamic_cast<CButton*>(CWnd::FromHandle(hwnd));
        CWnd* parent = self ? self->GetParent() : nullptr;
        if (parent) {
            const std::vector<CWnd*> all = parent->GetChildren();
            auto it = std::find(all.begin(), all.end(), self);
            size_t first = size_t(it - all.begin());
            while (first > 0 && first < all.size() && !(all[first]->GetStyle() & WS_GROUP))
                --first;
            for (size_t i = first; i < all.size(); ++i) {
                if (i > first && (all[i]->GetStyle() & WS_GROUP))
                    break;
                if (auto* b = dynamic_cast<CButton*>(all[i]); b && b != self && b->IsRadioButton())
                    b->SetCheck(BST_UNCHECKED);
            }
        }
        setChecked(true);
    }
};

MfcButtonWidget* button(const CWnd* w) { return dynamic_cast<MfcButtonWidget*>(w->widget()); }

QPixmap pixmapOf(HBITMAP bitmap)
{
    const QImage* image = bitmap ? ::ImageOfBitmap(bitmap) : nullptr;
    return image ? QPixmap::fromImage(*image) : QPixmap();
}

QPixmap pixmapOf(UINT id)
{
    CBitmap b;
    return id && b.LoadBitmap(id) ? pixmapOf(b.GetSafeHandle()) : QPixmap();
}

void setIcon(MfcButtonWidget* b, const QPixmap& normal, const QPixmap& pressed, const QPixmap& disabled)
{
    if (!b || normal.isNull())
        return;
    QIcon icon(normal);
    if (!pressed.isNull()) {
        icon.addPixmap(pressed, QIcon::Active, QIcon::On);
        icon.addPixmap(pressed, QIcon::Normal, QIcon::On);
    }
    if (!disabled.isNull())
        icon.addPixmap(disabled, QIcon::Disabled);
    b->setIcon(icon);
    b->setIconSize(normal.size());
}

} // namespace

QWidget* CMFCButton::CreateWidget(QWidget* parent, DWORD style)
{
    auto* b = new MfcButtonWidget(parent, style);
    b->setAutoDefault(false);
    b->setCheckable(isCheck(style) || isRadio(style));
    QObject::connect(b, &QAbstractButton::clicked, [b] { NotifyParentOf(b, BN_CLICKED); });
    ApplyFocusPolicy(b, style, Qt::ClickFocus);
    return b;
}

bool CMFCButton::AcceptsWidget(const QWidget* w) const { return dynamic_cast<const MfcButtonWidget*>(w) != nullptr; }

void CMFCButton::SetImage(UINT bitmapId, UINT pressedBitmapId, UINT disabledBitmapId)
{
    setIcon(button(this), pixmapOf(bitmapId), pixmapOf(pressedBitmapId), pixmapOf(disabledBitmapId));
}

void CMFCButton::SetImage(HBITMAP bitmap, BOOL autoDestroy, HBITMAP pressed, HBITMAP disabled)
{
    setIcon(button(this), pixmapOf(bitmap), pixmapOf(pressed), pixmapOf(disabled));
    if (autoDestroy)
        for (HBITMAP h : {bitmap, pressed, disabled})
            if (h)
                DeleteObject(h);
}

void CMFCButton::SetFaceColor(COLORREF colour, BOOL redraw)
{
    if (MfcButtonWidget* b = button(this)) {
        QPalette p = b->palette();
        p.setColor(QPalette::Button, QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
        b->setPalette(p);
        if (redraw)
            b->update();
    }
}

void CMFCButton::SetTextColor(COLORREF colour)
{
    if (MfcButtonWidget* b = button(this)) {
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
        b->setPalette(p);
    }
}

void CMFCButton::SetTooltip(const char* text)
{
    if (MfcButtonWidget* b = button(this))
        b->setToolTip(QString::fromUtf8(text ? text : ""));
}

void CMFCButton::SetMouseCursorHand()
{
    if (MfcButtonWidget* b = button(this))
        b->setCursor(Qt::PointingHandCursor);
}

void CMFCButton::SetFlatStyle(FlatStyle style)
{
    m_nFlatStyle = style;
    if (MfcButtonWidget* b = button(this))
        b->setFlat(style != BUTTONSTYLE_3D);
}
