#pragma once
// The one way the main window keeps a modeless tool window.
//
// A ToolSlot holds the handle of its window, never a pointer to the object:
// Get() finds the window while it exists and answers null once it is gone, by
// whatever road it went (closed report, shutdown, or its owner's destruction).
// The slot creates the object itself, as a toolwin::Owned<T>, and from then on
// the framework owns it: destroying the window frees the object once the
// handler that destroyed it has returned. So a destroyed tool window is freed,
// and no pointer to it is left behind.
//
// Tool-window classes therefore never delete themselves; they report their
// close to the main window, which destroys them through their slot.
#include "platform/win/Dialog.h"

#include <utility>

namespace toolwin {

// Frees the object soon, when no handler of it can be running any more.
void FreeLater(CWnd* object);
// Frees at once every object FreeLater still holds (the main window's end).
void FreePending();
// Tool-window objects alive now (created by a slot and not yet freed).
int LiveCount();
int& LiveCounter();

template <class T>
class Owned final : public T {
public:
    template <class... A>
    explicit Owned(A&&... args) : T(std::forward<A>(args)...)
    {
        ++LiveCounter();
    }
    ~Owned() override { --LiveCounter(); }
    // From now on, the window's destruction frees the object.
    void Adopt() { m_adopted = true; }

protected:
    void PostNcDestroy() override
    {
        T::PostNcDestroy();
        if (m_adopted)
            FreeLater(this);
    }

private:
    bool m_adopted = false;
};

} // namespace toolwin

// What every slot offers without knowing the window's class.
class ToolSlotBase {
public:
    // The window while it exists, else null.
    CWnd* Window() const { return m_hWnd ? CWnd::FromHandle(m_hWnd) : nullptr; }
    bool Exists() const { return Window() != nullptr; }
    bool IsVisible() const
    {
        CWnd* w = Window();
        return w && w->IsWindowVisible();
    }
    // Destroys the window when it exists (which frees the object) and forgets it.
    void Destroy()
    {
        if (CWnd* w = Window())
            w->DestroyWindow();
        m_hWnd = nullptr;
    }

protected:
    HWND m_hWnd = nullptr;
};

template <class T>
class ToolSlot : public ToolSlotBase {
public:
    // The window's object while its window exists, else null.
    T* Get() const { return dynamic_cast<T*>(Window()); }
    T* operator->() const { return Get(); }
    explicit operator bool() const { return Get() != nullptr; }

    // Builds the object (with the constructor's arguments) and creates its
    // window modeless from the class's template with the parent; null when the
    // window cannot be made. A window still in the slot is left alone.
    template <class... A>
    T* Create(CWnd* parent, A&&... args)
    {
        if (T* w = Get())
            return w;
        auto* w = new toolwin::Owned<T>(std::forward<A>(args)...);
        if (!w->Create(T::IDD, parent)) {
            // Not adopted: whatever the failed creation left, the object is ours to free.
            if (w->m_hWnd)
                w->DestroyWindow();
            delete w;
            m_hWnd = nullptr;
            return nullptr;
        }
        w->Adopt();
        m_hWnd = w->m_hWnd;
        return w;
    }
};
