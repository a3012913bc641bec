// The module that holds the browser engine (libmirtalwin_web.so, built apart
// from the window layer): one view class over Qt WebEngine.
#include "platform/win/WebView.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

class EngineView : public QWebEngineView, public win::detail::WebView {
public:
    EngineView(QWidget* parent, const win::detail::WebViewEvents& events) : QWebEngineView(parent)
    {
        QWebEngineSettings* s = settings();
        s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
        s->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        if (events.loadStarted)
            connect(this, &QWebEngineView::loadStarted, this, events.loadStarted);
        if (events.loadFinished)
            connect(this, &QWebEngineView::loadFinished, this, events.loadFinished);
    }

    QWidget* widget() override { return this; }
    void setUrl(const QUrl& u) override { QWebEngineView::setUrl(u); }
    QUrl url() const override { return QWebEngineView::url(); }
    void reload() override { QWebEngineView::reload(); }
    void stop() override { QWebEngineView::stop(); }
    void setHtml(const QString& html, const QUrl& base) override { QWebEngineView::setHtml(html, base); }
    void runJavaScript(const QString& script, std::function<void(const QVariant&)> done) override
    {
        page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, std::move(done));
    }
};

} // namespace

extern "C" __attribute__((visibility("default"))) win::detail::WebView*
mirtal_make_web_view(QWidget* parent, const win::detail::WebViewEvents* events)
{
    return new EngineView(parent, events ? *events : win::detail::WebViewEvents{});
}
