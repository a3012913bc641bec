#include "platform/ddraw/WindowSink.h"

#include "platform/win/Wnd.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QThread>

#include <functional>
#include <map>

namespace ddraw::detail {
namespace {

std::mutex g_sinksMutex;
std::map<HWND, std::shared_ptr<Sink>>& sinks()
{
    static std::map<HWND, std::shared_ptr<Sink>> map;
    return map;
}

void eraseSink(const std::shared_ptr<Sink>& sink)
{
    std::lock_guard lock(g_sinksMutex);
    auto it = sinks().find(sink->window);
    if (it != sinks().end() && it->second == sink)
        sinks().erase(it);
}

bool onUiThread()
{
    return QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread();
}

// Runs on the user-interface thread: at once when called there, else queued.
void runOnUi(std::function<void()> fn)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    if (onUiThread())
        fn();
    else
        QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

QWidget* widgetOf(HWND window)
{
    CWnd* wnd = CWnd::FromHandle(window);
    return wnd ? wnd->widget() : nullptr;
}

// Follows the client widget's place on the screen; dies with the widget.
class Tracker : public QObject {
public:
    Tracker(std::shared_ptr<Sink> sink, QWidget* widget) : QObject(widget), m_sink(std::move(sink)), m_widget(widget)
    {
    }
    ~Tracker() override
    {
        {
            std::lock_guard lock(m_sink->mutex);
            m_sink->alive = false;
            m_sink->known = false;
        }
        eraseSink(m_sink);
    }

    void update()
    {
        const QRect r(m_widget->mapToGlobal(QPoint(0, 0)), m_widget->size());
        std::lock_guard lock(m_sink->mutex);
        m_sink->client = r;
        m_sink->known = true;
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::ParentChange:
            update();
            break;
        default:
            break;
        }
        return false;
    }

private:
    std::shared_ptr<Sink> m_sink;
    QWidget* m_widget;
};

// Shows the sink's pixels over the client area, as a screen would.
class PresentView : public QWidget {
public:
    PresentView(std::shared_ptr<Sink> sink, QWidget* parent) : QWidget(parent), m_sink(std::move(sink))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        std::lock_guard lock(m_sink->mutex);
        if (!m_sink->image.isNull())
            painter.drawImage(rect(), m_sink->image, QRect(pos(), size()));
    }

private:
    std::shared_ptr<Sink> m_sink;
};

void attach(const std::shared_ptr<Sink>& sink)
{
    if (sink->attached)
        return;
    QWidget* widget = widgetOf(sink->window);
    if (!widget) {
        {
            std::lock_guard lock(sink->mutex);
            sink->alive = false;
        }
        eraseSink(sink);
        return;
    }
    sink->attached = true;
    auto* tracker = new Tracker(sink, widget);
    for (QWidget* w = widget; w; w = w->parentWidget())
        w->installEventFilter(tracker);
    tracker->update();
}

void showView(const std::shared_ptr<Sink>& sink)
{
    attach(sink);
    QRect drawn;
    {
        std::lock_guard lock(sink->mutex);
        if (!sink->alive)
            return;
        drawn = sink->drawn;
    }
    QWidget* widget = widgetOf(sink->window);
    if (!widget || drawn.isEmpty() || sink->clippers.load() == 0)
        return;
    if (!sink->view)
        sink->view = new PresentView(sink, widget);
    sink->view->setGeometry(drawn);
    sink->view->raise();
    sink->view->show();
    sink->view->update();
}

} // namespace

std::shared_ptr<Sink> FindSink(HWND window)
{
    std::lock_guard lock(g_sinksMutex);
    auto it = sinks().find(window);
    return it == sinks().end() ? nullptr : it->second;
}

std::shared_ptr<Sink> SinkOf(HWND window)
{
    std::shared_ptr<Sink> sink;
    {
        std::lock_guard lock(g_sinksMutex);
        auto& slot = sinks()[window];
        if (!slot)
            slot = std::make_shared<Sink>(window);
        sink = slot;
    }
    runOnUi([sink] { attach(sink); });
    return sink;
}

void PostRepaint(const std::shared_ptr<Sink>& sink)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || sink->repaintPosted.exchange(true))
        return;
    QMetaObject::invokeMethod(
        app,
        [sink] {
            sink->repaintPosted = false;
            showView(sink);
        },
        Qt::QueuedConnection);
}

void ReleaseSink(const std::shared_ptr<Sink>& sink)
{
    if (sink->clippers.fetch_sub(1) != 1)
        return;
    runOnUi([sink] {
        if (sink->clippers.load() != 0)
            return;
        if (sink->view) {
            sink->view->hide();
            sink->view->deleteLater();
            sink->view = nullptr;
        }
        std::lock_guard lock(sink->mutex);
        sink->drawn = QRect();
    });
}

} // namespace ddraw::detail
