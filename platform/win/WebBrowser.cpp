#include "platform/win/WebBrowser.h"

#include "platform/win/Rtf.h"
#include "platform/win/WebView.h"
#include "platform/win/WidgetGlue.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QPointer>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QStringDecoder>
#include <QTimer>
#include <dlfcn.h>
#include <functional>
#include <string>
#include <vector>

namespace {

using win::detail::Widget;

// How long a call waits for a navigation under way or for the page's answer.
constexpr int kLoadWaitMs = 20000;
constexpr int kScriptWaitMs = 10000;

// The engine shares its graphics contexts with the application's; this must be
// said before the application object exists, so it is said when the layer loads.
const bool kShareContexts = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

// The engine may start once a window has painted; until then browsers wait in line.
bool g_engineAllowed = false;
// Whether a view of the engine has been made (the engine runs from then on).
bool g_engineStarted = false;
// Whether a shown view waits for a caller that needs its document before it starts the engine.
bool g_engineOnDemandOnly = false;
std::vector<std::function<void()>> g_waitingForEngine;

void allowEngine()
{
    if (g_engineAllowed)
        return;
    g_engineAllowed = true;
    auto waiting = std::move(g_waitingForEngine);
    g_waitingForEngine.clear();
    for (auto& start : waiting)
        start();
}

class FirstPaintWatcher : public QObject {
public:
    bool eventFilter(QObject* obj, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && obj->isWidgetType() && static_cast<QWidget*>(obj)->isWindow()) {
            qApp->removeEventFilter(this);
            // After this paint has reached the screen.
            QTimer::singleShot(0, qApp, allowEngine);
            deleteLater();
        }
        return false;
    }
};

void watchFirstPaint()
{
    static bool installed = false;
    if (installed || g_engineAllowed)
        return;
    installed = true;
    qApp->installEventFilter(new FirstPaintWatcher);
}

// Calls back when the watched widget is shown (also when an ancestor shows it).
class ShowWatcher : public QObject {
public:
    ShowWatcher(QObject* parent, std::function<void()> shown) : QObject(parent), m_shown(std::move(shown)) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            m_shown();
        return false;
    }

private:
    std::function<void()> m_shown;
};

QString fromProgramText(const std::string& s)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString out = utf8(QByteArray::fromStdString(s));
    if (!utf8.hasError())
        return out;
    out.clear();
    for (unsigned char c : s)
        out += QChar(char16_t(win::rtf::FromCp1252(c)));
    return out;
}

QUrl urlOf(const std::string& address)
{
    const QString a = QString::fromStdString(address).trimmed();
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    if (scheme.match(a).hasMatch() && !QFileInfo(a).isAbsolute())
        return QUrl(a);
    QString path = a;
    path.replace('\\', '/');
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
}

bool isPdf(const QUrl& url)
{
    return url.isLocalFile() && url.toLocalFile().endsWith(".pdf", Qt::CaseInsensitive);
}

// The folder this library was loaded from: the engine's module is built beside it.
std::string ownFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ownFolder), &info) == 0 || !info.dli_fname)
        return {};
    const std::string file = info.dli_fname;
    const size_t slash = file.find_last_of('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

} // namespace

namespace win::detail {

WebView* MakeEngineView(QWidget* parent, const WebViewEvents& events)
{
    // Loaded once and kept: its views are destroyed through its code.
    static const auto make = [] {
        // The views show local documents: one renderer process serves every view of a
        // site, so a lyrics window or the editor opens without starting another
        // (unless the user's own engine flags choose a process model).
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--process-per") && !flags.contains("--single-process")) {
            flags += flags.isEmpty() ? "--process-per-site" : " --process-per-site";
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
        }
        constexpr const char* kModule = "libmirtalwin_web.so";
        void* handle = dlopen((ownFolder() + kModule).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            handle = dlopen(kModule, RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            qWarning("The browser engine could not be loaded: %s", dlerror());
        return handle ? reinterpret_cast<MakeWebView>(dlsym(handle, "mirtal_make_web_view")) : nullptr;
    }();
    if (!make)
        return nullptr;
    g_engineStarted = true;
    return make(parent, &events);
}

} // namespace win::detail

struct CWebBrowser2::State {
    QPointer<QStackedWidget> stack;
    QPointer<QWidget> blank;
    // The engine's view: valid while its widget lives.
    QPointer<QWidget> webWidget;
    win::detail::WebView* engine = nullptr;
    QEventLoop* settling = nullptr; // the wait of settle(), ended by a finished load
    QPointer<QPdfView> pdfView;
    QPdfDocument* pdf = nullptr; // owned by the stack widget
    enum class Shown { Nothing, Html, Pdf } shown = Shown::Nothing;
    bool loading = false;
    bool loadOk = false;
    int documentId = 0;
    int lastId = 0;
    QUrl pendingUrl;          // a navigation asked for before the engine ran
    QUrl location;
    bool waitingForEngine = false;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);

    win::detail::WebView* web() const { return webWidget ? engine : nullptr; }

    void startEngine()
    {
        if (web() || !stack)
            return;
        win::detail::WebViewEvents events;
        events.loadStarted = [this] { loading = true; };
        events.loadFinished = [this](bool ok) {
            loading = false;
            loadOk = ok;
            // A new document, or none when the load failed (an error page is no document).
            documentId = ok && shown == Shown::Html ? ++lastId : 0;
            if (settling)
                settling->quit();
        };
        engine = win::detail::MakeEngineView(stack, events);
        if (!engine) {
            loading = false; // no engine: nothing will ever load
            return;
        }
        webWidget = engine->widget();
        stack->addWidget(webWidget);
        if (shown == Shown::Html)
            stack->setCurrentWidget(webWidget);
        if (!pendingUrl.isEmpty()) {
            const QUrl u = pendingUrl;
            pendingUrl.clear();
            engine->setUrl(u);
        }
    }

    // A document waits for the engine while its view is hidden: most views of
    // the program are never shown in a session, and each engine view costs a
    // process. Shown, it starts now, or after the first paint.
    void shownOrNavigated()
    {
        if (shown == Shown::Html && !pendingUrl.isEmpty() && stack && stack->isVisible() && !g_engineOnDemandOnly)
            needEngine();
    }

    // The engine now, or after the first paint.
    void needEngine()
    {
        if (web())
            return;
        if (g_engineAllowed) {
            startEngine();
            return;
        }
        if (waitingForEngine)
            return;
        waitingForEngine = true;
        std::weak_ptr<bool> guard = alive;
        g_waitingForEngine.push_back([this, guard] {
            if (guard.lock())
                startEngine();
        });
        watchFirstPaint();
    }

    // A caller needs the document: start the engine at once and let a navigation finish.
    bool settle()
    {
        if (shown != Shown::Html)
            return false;
        if (!web()) {
            allowEngine();
            startEngine();
        }
        if (!web())
            return false;
        if (loading || !pendingUrl.isEmpty()) {
            QEventLoop loop;
            QTimer timeout;
            timeout.setSingleShot(true);
            QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
            QObject::connect(webWidget, &QObject::destroyed, &loop, &QEventLoop::quit);
            timeout.start(kLoadWaitMs);
            std::weak_ptr<bool> guard = alive;
            QEventLoop* outer = settling;
            settling = &loop;
            while (guard.lock() && web() && loading && timeout.isActive())
                loop.exec(QEventLoop::ExcludeUserInputEvents);
            if (!guard.lock())
                return false;
            settling = outer;
            // A wait further out waits for the same load: it is over for it too.
            if (outer && !loading)
                outer->quit();
            if (!web())
                return false;
        }
        return !loading && documentId != 0;
    }

    // Runs a script in the page and waits for its answer.
    bool run(const QString& script, QVariant* result = nullptr)
    {
        if (!settle())
            return false;
        auto done = std::make_shared<bool>(false);
        auto value = std::make_shared<QVariant>();
        // The answer may come after the wait gave up: it then finds the loop gone.
        auto loop = std::make_shared<QEventLoop>();
        std::weak_ptr<QEventLoop> weakLoop = loop;
        web()->runJavaScript(script, [done, value, weakLoop](const QVariant& v) {
            *done = true;
            *value = v;
            if (auto l = weakLoop.lock())
                l->quit();
        });
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, loop.get(), &QEventLoop::quit);
        timeout.start(kScriptWaitMs);
        std::weak_ptr<bool> guard = alive;
        while (!*done && timeout.isActive() && guard.lock())
            loop->exec(QEventLoop::ExcludeUserInputEvents);
        if (!*done)
            return false;
        if (result)
            *result = *value;
        return true;
    }

    void showPdf(const QUrl& url)
    {
        if (!pdf) {
            pdf = new QPdfDocument(stack);
            pdfView = new QPdfView(stack);
            pdfView->setDocument(pdf);
            pdfView->setPageMode(QPdfView::PageMode::MultiPage);
            pdfView->setZoomMode(QPdfView::ZoomMode::FitToWidth);
            stack->addWidget(pdfView);
        }
        if (web() && loading)
            web()->stop();
        pendingUrl.clear();
        shown = Shown::Pdf;
        documentId = 0;
        loading = false;
        pdf->load(url.toLocalFile());
        stack->setCurrentWidget(pdfView);
    }
};

CWebBrowser2::CWebBrowser2() : m_state(std::make_unique<State>()) {}

CWebBrowser2::~CWebBrowser2()
{
    m_state->alive.reset();
}

BOOL CWebBrowser2::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("Shell Embedding", "", style | WS_CHILD, rect, parent, id);
}

QWidget* CWebBrowser2::CreateWidget(QWidget* parent, DWORD)
{
    auto* stack = new Widget<QStackedWidget>(parent);
    m_state->stack = stack;
    m_state->blank = new QWidget(stack);
    m_state->blank->setAutoFillBackground(true);
    QPalette p = m_state->blank->palette();
    p.setColor(QPalette::Window, Qt::white);
    m_state->blank->setPalette(p);
    stack->addWidget(m_state->blank);
    // A view shown later starts the engine at once if a window has painted by then.
    watchFirstPaint();
    State* state = m_state.get();
    std::weak_ptr<bool> guard = m_state->alive;
    stack->installEventFilter(new ShowWatcher(stack, [state, guard] {
        if (guard.lock())
            state->shownOrNavigated();
    }));
    return stack;
}

bool CWebBrowser2::AcceptsWidget(const QWidget* w) const
{
    return w && w == m_state->stack;
}

void CWebBrowser2::Navigate(const std::string& address)
{
    State& s = *m_state;
    if (!s.stack)
        return;
    const QUrl url = urlOf(address);
    s.location = url;
    if (isPdf(url)) {
        s.showPdf(url);
        return;
    }
    s.shown = State::Shown::Html;
    s.documentId = 0;
    s.loading = true; // busy from the request on, also while the engine waits to start
    if (s.web()) {
        s.stack->setCurrentWidget(s.webWidget);
        s.web()->setUrl(url);
    } else {
        s.pendingUrl = url;
        s.shownOrNavigated();
    }
}

void CWebBrowser2::Refresh()
{
    State& s = *m_state;
    if (s.shown == State::Shown::Pdf && s.pdf)
        s.pdf->load(s.location.toLocalFile());
    else if (s.shown == State::Shown::Html && s.web() && s.pendingUrl.isEmpty())
        s.web()->reload();
}

void CWebBrowser2::SetVisible(BOOL visible) { ShowWindow(visible ? SW_SHOW : SW_HIDE); }

BOOL CWebBrowser2::GetVisible() const { return IsWindowVisible(); }

BOOL CWebBrowser2::GetBusy() const { return m_state->loading; }

std::string CWebBrowser2::GetLocationURL() const
{
    const QUrl& u = m_state->location;
    return (u.isLocalFile() ? u.toLocalFile() : u.toString()).toStdString();
}

int CWebBrowser2::DocumentId()
{
    return m_state->settle() ? m_state->documentId : 0;
}

bool CWebBrowser2::IsShowingPdf() const { return m_state->shown == State::Shown::Pdf; }

bool CWebBrowser2::ReadDocumentHtml(std::string& html)
{
    // The markup as the engine holds it now (edits included). The text is
    // UTF-8, so a charset declaration of the file is made to say so.
    static const QString script = QStringLiteral(R"JS((function() {
  var root = document.documentElement.cloneNode(true);
  root.querySelectorAll('meta[charset]').forEach(function(m) { m.setAttribute('charset', 'utf-8'); });
  root.querySelectorAll('meta[http-equiv]').forEach(function(m) {
    if (m.getAttribute('http-equiv').toLowerCase() === 'content-type')
      m.setAttribute('content', 'text/html; charset=utf-8');
  });
  var doctype = document.doctype ? new XMLSerializer().serializeToString(document.doctype) + '\n' : '';
  return doctype + root.outerHTML;
})())JS");
    QVariant v;
    if (!m_state->run(script, &v) || !v.canConvert<QString>())
        return false;
    html = v.toString().toStdString();
    return true;
}

bool CWebBrowser2::LoadDocumentHtml(const std::string& html)
{
    State& s = *m_state;
    if (!s.settle() || !s.web())
        return false;
    // The engine takes a document given as text up to 2 MB.
    const QString text = fromProgramText(html);
    if (text.toUtf8().size() > 2 * 1000 * 1000)
        return false;
    QUrl base = s.web()->url();
    if (base.isEmpty() || base.scheme() == "data")
        base = QUrl::fromLocalFile(QDir::currentPath() + "/");
    s.loading = true;
    s.web()->setHtml(text, base);
    return s.settle();
}

bool CWebBrowser2::SetDocumentDesignMode(bool on)
{
    QVariant v;
    return m_state->run(QString("document.designMode = '%1'; document.designMode").arg(on ? "on" : "off"), &v) &&
           v.toString() == (on ? "on" : "off");
}

namespace {
QString jsString(const std::string& s)
{
    QString out = "'";
    for (QChar c : QString::fromStdString(s)) {
        if (c == '\'' || c == '\\')
            out += '\\';
        if (c.isLetterOrNumber() || c == '\'' || c == '\\' || c == ' ' || c == '-')
            out += c;
    }
    return out + "'";
}
} // namespace

bool CWebBrowser2::ExecDocumentCommand(const std::string& name)
{
    QVariant v;
    return m_state->run(QString("document.execCommand(%1, false, null)").arg(jsString(name)), &v) && v.toBool();
}

int CWebBrowser2::QueryDocumentCommand(const std::string& name)
{
    const QString c = jsString(name);
    QVariant v;
    if (!m_state->run(QString("(document.queryCommandSupported(%1) ? 1 : 0) | (document.queryCommandEnabled(%1) ? 2 : 0)"
                              " | (document.queryCommandState(%1) ? 4 : 0)")
                          .arg(c),
                      &v))
        return 0;
    return v.toInt();
}

bool CWebBrowser2::GetSelection(std::string& html, std::string& text)
{
    static const QString script = QStringLiteral(R"JS((function() {
  var sel = window.getSelection();
  if (!sel || sel.rangeCount === 0 || sel.isCollapsed) return ['', ''];
  var box = document.createElement('div');
  box.appendChild(sel.getRangeAt(0).cloneContents());
  return [box.innerHTML, sel.toString()];
})())JS");
    QVariant v;
    if (!m_state->run(script, &v))
        return false;
    const QVariantList parts = v.toList();
    if (parts.size() != 2)
        return false;
    html = parts[0].toString().toStdString();
    text = parts[1].toString().toStdString();
    return !html.empty() || !text.empty();
}

bool CWebBrowser2::DeleteSelection()
{
    QVariant v;
    return m_state->run("(function() { var s = window.getSelection();"
                        " if (!s || s.rangeCount === 0 || s.isCollapsed) return false;"
                        " s.getRangeAt(0).deleteContents(); return true; })()",
                        &v) &&
           v.toBool();
}

void CWebBrowser2::ScrollDocumentBy(int dx, int dy)
{
    m_state->run(QString("window.scrollBy(%1, %2)").arg(dx).arg(dy));
}

int CWebBrowser2::GetDocumentScrollY()
{
    QVariant v;
    return m_state->run("Math.round(window.scrollY)", &v) ? v.toInt() : 0;
}

namespace win {

void StartWebEngineNow() { allowEngine(); }

bool WebEngineStarted() { return g_engineStarted; }

void SetWebEngineOnDemandOnly(bool on) { g_engineOnDemandOnly = on; }

} // namespace win
