#pragma once
// The browser engine's view as the window layer uses it. The engine (Qt
// WebEngine, over a hundred megabytes of libraries) lives in a module of its
// own, libmirtalwin_web.so, loaded the first time a document is shown, so a
// start of the program does not pay for loading it.
#include <QString>
#include <QUrl>
#include <QVariant>
#include <functional>

class QWidget;

namespace win::detail {

struct WebViewEvents {
    std::function<void()> loadStarted;
    std::function<void(bool)> loadFinished;
};

// One engine view; it belongs to its widget (deleted with it, by its parent).
class WebView {
public:
    virtual ~WebView() = default;
    virtual QWidget* widget() = 0;
    virtual void setUrl(const QUrl& url) = 0;
    virtual QUrl url() const = 0;
    virtual void reload() = 0;
    virtual void stop() = 0;
    virtual void setHtml(const QString& html, const QUrl& base) = 0;
    // Runs a script in the page's own world; done hears its value.
    virtual void runJavaScript(const QString& script, std::function<void(const QVariant&)> done) = 0;
};

// The module's entry, "mirtal_make_web_view": a new view in the parent.
using MakeWebView = WebView* (*)(QWidget* parent, const WebViewEvents* events);

// A new view, the module loaded on the first call; null when the module is missing.
WebView* MakeEngineView(QWidget* parent, const WebViewEvents& events);

} // namespace win::detail
