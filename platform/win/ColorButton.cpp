#include "platform/win/ColorButton.h"

#include "platform/win/ChoiceDialogs.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QFrame>
#include <QGridLayout>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>

using namespace win::detail;

namespace {

constexpr const char* kButtonName = "colorButton";
constexpr const char* kPopupName = "colorButtonPopup";

QColor qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

QPushButton* button(const CWnd* w) { return qobject_cast<QPushButton*>(w->widget()); }

} // namespace

QWidget* CMFCColorButton::CreateWidget(QWidget* parent, DWORD style)
{
    auto* b = new Widget<QPushButton>(parent);
    b->setObjectName(kButtonName);
    b->setAutoDefault(false);
    const HWND self = m_hWnd;
    QObject::connect(b, &QAbstractButton::clicked, [self] {
        Guarded(self, WM_COMMAND, [self] {
            if (auto* w = dynamic_cast<CMFCColorButton*>(CWnd::FromHandle(self)))
                w->openPopup();
        });
    });
    ApplyFocusPolicy(b, style, Qt::ClickFocus);
    return b;
}

bool CMFCColorButton::AcceptsWidget(const QWidget* w) const { return w && w->objectName() == kButtonName; }

LRESULT CMFCColorButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT r = CButton::DefWindowProc(message, wParam, lParam);
    // The colour fills the face at every size.
    if (message == WM_SIZE && m_hWnd)
        showColor();
    return r;
}

void CMFCColorButton::showColor()
{
    QPushButton* b = button(this);
    if (!b)
        return;
    // The colour fills the face inside a small margin, with a dark outline.
    const QSize face = b->size() - QSize(12, 10);
    QPixmap pm(face.expandedTo(QSize(8, 8)));
    pm.fill(qcolor(GetColor()));
    QPainter p(&pm);
    p.setPen(QColor(64, 64, 64));
    p.drawRect(0, 0, pm.width() - 1, pm.height() - 1);
    p.end();
    b->setIcon(QIcon(pm));
    b->setIconSize(pm.size());
}

void CMFCColorButton::SetColor(COLORREF color, BOOL)
{
    m_color = color & 0xffffff;
    m_automatic = false;
    showColor();
}

COLORREF CMFCColorButton::GetColor() const { return m_automatic ? m_autoColor : m_color; }

void CMFCColorButton::EnableAutomaticButton(const std::string& label, COLORREF color, BOOL enable)
{
    m_autoEnabled = enable != FALSE;
    m_autoLabel = label;
    m_autoColor = color & 0xffffff;
    showColor();
}

void CMFCColorButton::EnableOtherButton(const std::string& label, BOOL, BOOL)
{
    m_otherEnabled = true;
    m_otherLabel = label;
}

void CMFCColorButton::report()
{
    if (QWidget* popup = ColorPopup())
        popup->deleteLater();
    if (m_hWnd)
        NotifyParent(m_hWnd, BN_CLICKED);
}

void CMFCColorButton::ChooseColor(COLORREF color)
{
    SetColor(color);
    report();
}

void CMFCColorButton::ChooseAutomatic()
{
    m_automatic = true;
    showColor();
    report();
}

bool CMFCColorButton::ChooseOther()
{
    if (QWidget* popup = ColorPopup())
        popup->deleteLater();
    CColorDialog dlg(GetColor(), CC_FULLOPEN | CC_RGBINIT, GetParent());
    if (dlg.DoModal() != IDOK)
        return false;
    ChooseColor(dlg.GetColor());
    return true;
}

QWidget* CMFCColorButton::ColorPopup() const
{
    QPushButton* b = button(this);
    return b ? b->findChild<QWidget*>(kPopupName) : nullptr;
}

void CMFCColorButton::openPopup()
{
    QPushButton* b = button(this);
    if (!b || ColorPopup())
        return;
    auto* popup = new QFrame(b, Qt::Popup);
    popup->setObjectName(kPopupName);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    const HWND self = m_hWnd;
    // Each choice finds the button again: it may be gone by the time one is made.
    const auto act = [self](void (*action)(CMFCColorButton&)) {
        return [self, action] {
            Guarded(self, WM_COMMAND, [&] {
                if (auto* w = dynamic_cast<CMFCColorButton*>(CWnd::FromHandle(self)))
                    action(*w);
            });
        };
    };
    if (m_autoEnabled) {
        auto* automatic = new QPushButton(QIcon(win::ColorSwatch(m_autoColor, 14)),
                                          QString::fromStdString(m_autoLabel), popup);
        automatic->setObjectName("automatic");
        automatic->setFlat(true);
        layout->addWidget(automatic);
        QObject::connect(automatic, &QPushButton::clicked, popup,
                         act([](CMFCColorButton& w) { w.ChooseAutomatic(); }));
    }
    auto* grid = new QGridLayout;
    grid->setSpacing(2);
    int i = 0;
    for (COLORREF c : win::PopupColors()) {
        auto* cell = new QToolButton(popup);
        char name[16];
        std::snprintf(name, sizeof name, "color-%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
        cell->setObjectName(name);
        cell->setIcon(QIcon(win::ColorSwatch(c, 14)));
        cell->setAutoRaise(true);
        grid->addWidget(cell, i / 8, i % 8);
        ++i;
        QObject::connect(cell, &QToolButton::clicked, popup, [self, c] {
            Guarded(self, WM_COMMAND, [&] {
                if (auto* w = dynamic_cast<CMFCColorButton*>(CWnd::FromHandle(self)))
                    w->ChooseColor(c);
            });
        });
    }
    layout->addLayout(grid);
    if (m_otherEnabled) {
        auto* other = new QPushButton(QString::fromStdString(m_otherLabel), popup);
        other->setObjectName("other");
        other->setFlat(true);
        layout->addWidget(other);
        QObject::connect(other, &QPushButton::clicked, popup, act([](CMFCColorButton& w) { w.ChooseOther(); }));
    }
    popup->adjustSize();
    popup->move(b->mapToGlobal(QPoint(0, b->height())));
    popup->show();
}
