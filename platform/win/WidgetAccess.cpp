#include "platform/win/WidgetAccess.h"

#include "platform/win/Dc.h"
#include "platform/win/WidgetGlue.h"
#include "platform/win/WndImpl.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace win {

void SetStyleSheet(CWnd* control, const std::string& css)
{
    if (QWidget* w = control ? control->widget() : nullptr)
        w->setStyleSheet(QString::fromStdString(css));
}

void SetToolTip(CWnd* control, const std::string& tip)
{
    if (QWidget* w = control ? control->widget() : nullptr)
        w->setToolTip(QString::fromStdString(tip));
}

void TrackMouseMoves(CWnd* control)
{
    if (QWidget* w = control ? control->widget() : nullptr)
        w->setMouseTracking(true);
}

void SetColors(CWnd* control, COLORREF text, COLORREF back)
{
    QWidget* w = control ? control->widget() : nullptr;
    if (!w)
        return;
    const auto color = [](COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); };
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color(text));
    p.setColor(QPalette::Window, color(back));
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->update();
}

void SetTextAlignment(CWnd* control, UINT dtFlags)
{
    auto* label = qobject_cast<QLabel*>(control ? control->widget() : nullptr);
    if (!label)
        return;
    Qt::Alignment a = (dtFlags & DT_RIGHT) ? Qt::AlignRight : (dtFlags & DT_CENTER) ? Qt::AlignHCenter : Qt::AlignLeft;
    a |= (dtFlags & DT_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop;
    label->setAlignment(a);
}

void AddArrowButtons(CWnd* control, std::function<void(int)> step)
{
    QWidget* w = control ? control->widget() : nullptr;
    if (!w)
        return;
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto& [type, delta] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
        auto* b = new QToolButton(w);
        b->setArrowType(type);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // A click is an event like any other: what its handler throws reaches the application's hook.
        QObject::connect(b, &QToolButton::clicked, w, [step, d = delta, h = control->m_hWnd] {
            ++detail::EventDepth();
            detail::Guarded(h, WM_COMMAND, [&] { step(d); });
            --detail::EventDepth();
        });
        layout->addWidget(b);
    }
}

void EndAllWaitCursors()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

void Beep() { QApplication::beep(); }

void CallSoon(std::function<void()> work)
{
    if (QCoreApplication::instance())
        QTimer::singleShot(0, QCoreApplication::instance(), [work = std::move(work)] {
            ++detail::EventDepth();
            detail::Guarded(nullptr, 0, work);
            --detail::EventDepth();
        });
}

struct Application::Impl {
    Impl(int& argc, char** argv) : app(argc, argv) {}
    QApplication app;
};

Application::Application(int& argc, char** argv, const char* name) : m_impl(std::make_unique<Impl>(argc, argv))
{
    QApplication::setApplicationName(name);
    QApplication::setOrganizationName(name);
}

Application::~Application() = default;

} // namespace win
