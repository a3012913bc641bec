#pragma once
// Shows CD+G frames in a window through the surface layer: an off-screen
// surface of the frame's size takes each 24-bit frame and is stretched onto
// the window's client area on the primary surface, clipped to that window.
// Present may run on the audio layer's playback thread; the window may be
// replaced from another thread at any time.
#include "platform/ddraw/DDraw.h"

#include <atomic>
#include <cstdint>

class VideoWindowRenderer {
public:
    VideoWindowRenderer() = default;
    ~VideoWindowRenderer() { Release(); }
    VideoWindowRenderer(const VideoWindowRenderer&) = delete;
    VideoWindowRenderer& operator=(const VideoWindowRenderer&) = delete;

    // Stores the window and the frame size and makes the surfaces; false
    // when they could not be made (every present then fails at once).
    bool Init(HWND window, int width, int height);
    // frame: width x height pixels of blue, green, red bytes, top row first.
    // True when the frame reached the window; a lost surface drops the frame.
    bool Present(const std::uint8_t* frame);
    void Release();

    // The window presents go to; the clipping follows it.
    void SetWindow(HWND window);
    HWND GetWindow() const { return m_window.load(); }
    bool HasSurfaces() const { return m_offscreen != nullptr; }

private:
    bool Create();

    std::atomic<HWND> m_window{nullptr};
    int m_width = 0;
    int m_height = 0;
    IDirectDraw7* m_directDraw = nullptr;
    IDirectDrawSurface7* m_primary = nullptr;
    IDirectDrawSurface7* m_offscreen = nullptr;
};
