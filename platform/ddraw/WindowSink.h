#pragma once
// Inside the surface layer: what the primary surface shows in one window.
//
// A sink follows a window's client area on the screen (updated on the
// user-interface thread by an event filter on the window's widget and its
// ancestors) and holds the pixels blitted onto it. Blits write the pixels
// under the sink's lock from any thread and post one repaint; the view that
// shows them is a child widget over the client area, made and painted on the
// user-interface thread.
#include "platform/win/WinTypes.h"

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <atomic>
#include <memory>
#include <mutex>

namespace ddraw::detail {

struct Sink {
    explicit Sink(HWND w) : window(w) {}

    const HWND window;

    std::mutex mutex;     // guards the fields below
    bool known = false;   // the geometry has been seen
    bool alive = true;    // the window exists
    QRect client;         // client area in screen coordinates
    QImage image;         // client-sized; what the primary surface holds there
    QRect drawn;          // the part of the client area drawn so far (client coordinates)

    std::atomic<bool> repaintPosted{false};
    std::atomic<int> clippers{0};  // clippers bound to the window

    // User-interface thread only.
    bool attached = false;
    QPointer<QWidget> view;
};

// The sink of a window, made on first use (and bound to the window on the
// user-interface thread, at once when called there).
std::shared_ptr<Sink> SinkOf(HWND window);
// The sink of a window when there is one.
std::shared_ptr<Sink> FindSink(HWND window);

// Called after pixels of the sink changed: repaints its view soon.
void PostRepaint(const std::shared_ptr<Sink>& sink);
// A clipper gave the window up; the last one takes the view away.
void ReleaseSink(const std::shared_ptr<Sink>& sink);

} // namespace ddraw::detail
