#pragma once
// Process-wide listeners for events that do not reach a control's own window:
// KeyboardHook reports every key press of the user-interface thread (a tab
// being dragged hears Esc wherever the focus is); ActivityHook reports the
// focus entering or leaving a watched window or its descendants. Listeners
// are not owned and must unregister before they die; a listener may
// register or unregister listeners, itself included, from its callback.
#include "platform/win/Hook.h"
#include "platform/win/Wnd.h"

#include <map>
#include <mutex>
#include <vector>

class KeyboardHook {
public:
    class Notify {
    public:
        virtual ~Notify() = default;
        // Key and flags exactly as the keyboard hook gets them.
        virtual void OnKeyDown(UINT /*key*/, UINT /*flags*/) {}
    };

    static KeyboardHook& Instance();
    // False (and nothing added) when memory runs out.
    bool Add(Notify* listener);
    void Remove(Notify* listener);
    bool IsRegistered(Notify* listener);
    // Whether the thread hook is in place (false when installing it failed).
    bool IsInstalled() const { return m_hook != nullptr; }

    ~KeyboardHook();
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

private:
    KeyboardHook();
    static LRESULT HookProc(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_hook = nullptr;
    std::recursive_mutex m_lock;
    std::vector<Notify*> m_listeners; // in registration order, each once
};

class ActivityHook {
public:
    class INotify {
    public:
        virtual ~INotify() = default;
        virtual void OnActivityChanged(bool active, HWND wnd) = 0;
    };

    static ActivityHook& Instance();
    // A second registration replaces the watched window.
    bool Add(INotify* listener, HWND watched);
    void Remove(INotify* listener);
    bool IsRegistered(INotify* listener);
    bool IsInstalled() const { return m_hook != nullptr; }
    // The hook's work for one WM_SETFOCUS or WM_KILLFOCUS of a window.
    void FocusChanged(UINT message, HWND target);

    ~ActivityHook();
    ActivityHook(const ActivityHook&) = delete;
    ActivityHook& operator=(const ActivityHook&) = delete;

private:
    ActivityHook();
    static LRESULT HookProc(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_hook = nullptr;
    std::recursive_mutex m_lock;
    std::map<INotify*, HWND> m_listeners;
};
