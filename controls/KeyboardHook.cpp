#include "controls/KeyboardHook.h"

#include <algorithm>
#include <new>

KeyboardHook& KeyboardHook::Instance()
{
    static KeyboardHook hook;
    return hook;
}

KeyboardHook::KeyboardHook()
{
    m_hook = SetWindowsHookEx(WH_KEYBOARD, &KeyboardHook::HookProc, nullptr, GetCurrentThreadId());
}

KeyboardHook::~KeyboardHook()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
}

bool KeyboardHook::Add(Notify* listener)
{
    std::lock_guard lock(m_lock);
    try {
        if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
            m_listeners.push_back(listener);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void KeyboardHook::Remove(Notify* listener)
{
    std::lock_guard lock(m_lock);
    std::erase(m_listeners, listener);
}

bool KeyboardHook::IsRegistered(Notify* listener)
{
    std::lock_guard lock(m_lock);
    return std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end();
}

LRESULT KeyboardHook::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    KeyboardHook& self = Instance();
    if (code == HC_ACTION && !(DWORD(lParam) & 0x80000000u)) {
        std::lock_guard lock(self.m_lock);
        // A snapshot, each entry checked again before its call: a listener
        // that removes itself or another never makes the next one skipped,
        // and a removed one is not called.
        const std::vector<Notify*> listeners = self.m_listeners;
        for (Notify* n : listeners)
            if (std::find(self.m_listeners.begin(), self.m_listeners.end(), n) != self.m_listeners.end())
                n->OnKeyDown(UINT(wParam), UINT(lParam));
    }
    return CallNextHookEx(self.m_hook, code, wParam, lParam);
}

ActivityHook& ActivityHook::Instance()
{
    static ActivityHook hook;
    return hook;
}

ActivityHook::ActivityHook()
{
    // The window layer offers no call-window-procedure hook: registration
    // works, and FocusChanged is the hook's work for whoever can call it.
    m_hook = SetWindowsHookEx(WH_CALLWNDPROC, &ActivityHook::HookProc, nullptr, GetCurrentThreadId());
}

ActivityHook::~ActivityHook()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
}

bool ActivityHook::Add(INotify* listener, HWND watched)
{
    std::lock_guard lock(m_lock);
    try {
        m_listeners[listener] = watched;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ActivityHook::Remove(INotify* listener)
{
    std::lock_guard lock(m_lock);
    m_listeners.erase(listener);
}

bool ActivityHook::IsRegistered(INotify* listener)
{
    std::lock_guard lock(m_lock);
    return m_listeners.count(listener) != 0;
}

void ActivityHook::FocusChanged(UINT message, HWND target)
{
    if (message != WM_SETFOCUS && message != WM_KILLFOCUS)
        return;
    std::lock_guard lock(m_lock);
    const auto listeners = m_listeners;
    for (const auto& [listener, watched] : listeners) {
        if (!m_listeners.count(listener))
            continue;
        for (CWnd* w = CWnd::FromHandle(target); w; w = w->GetParent())
            if (w->m_hWnd == watched) {
                listener->OnActivityChanged(message == WM_SETFOCUS, target);
                break;
            }
    }
}

LRESULT ActivityHook::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    ActivityHook& self = Instance();
    return CallNextHookEx(self.m_hook, code, wParam, lParam);
}
