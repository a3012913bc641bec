#include "platform/win/Hook.h"

#include "platform/win/WidgetGlue.h"

#include <QApplication>
#include <QThread>
#include <algorithm>
#include <vector>
#include <sys/syscall.h>
#include <unistd.h>

struct HHOOK__ {
    int kind = 0;
    HOOKPROC proc = nullptr;
    bool removed = false;
};

namespace {

// Newest first. Entries are removed lazily so that a hook may unhook itself
// (or another) while the chain runs.
std::vector<HHOOK__*>& chain()
{
    static std::vector<HHOOK__*> hooks;
    return hooks;
}
int g_running = 0;

void sweep()
{
    if (g_running)
        return;
    auto& c = chain();
    for (auto it = c.begin(); it != c.end();) {
        if ((*it)->removed) {
            delete *it;
            it = c.erase(it);
        } else {
            ++it;
        }
    }
}

bool onUiThread() { return !qApp || QThread::currentThread() == qApp->thread(); }

} // namespace

DWORD GetCurrentThreadId() { return DWORD(::syscall(SYS_gettid)); }

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, void*, DWORD threadId)
{
    if (idHook != WH_KEYBOARD || !proc || !onUiThread())
        return nullptr;
    if (threadId != 0 && threadId != GetCurrentThreadId())
        return nullptr;
    win::detail::EnsureEventFilter();
    auto* h = new HHOOK__{idHook, proc, false};
    chain().insert(chain().begin(), h);
    return h;
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    auto& c = chain();
    auto it = std::find(c.begin(), c.end(), hook);
    if (it == c.end() || hook->removed)
        return FALSE;
    hook->removed = true;
    sweep();
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    auto& c = chain();
    auto it = std::find(c.begin(), c.end(), hook);
    if (it == c.end())
        return 0;
    for (++it; it != c.end(); ++it)
        if (!(*it)->removed && (*it)->kind == WH_KEYBOARD) {
            ++g_running;
            const LRESULT r = (*it)->proc(code, wParam, lParam);
            --g_running;
            sweep();
            return r;
        }
    return 0;
}

namespace win::detail {

void RunKeyboardHooks(WPARAM key, LPARAM flags)
{
    auto& c = chain();
    auto it = std::find_if(c.begin(), c.end(), [](HHOOK__* h) { return !h->removed && h->kind == WH_KEYBOARD; });
    if (it == c.end())
        return;
    ++g_running;
    (*it)->proc(HC_ACTION, key, flags);
    --g_running;
    sweep();
}

} // namespace win::detail
