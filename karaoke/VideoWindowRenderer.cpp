#include "karaoke/VideoWindowRenderer.h"

#include <cstring>

namespace {

template <class T>
void releaseAndClear(T*& object)
{
    if (object) {
        object->Release();
        object = nullptr;
    }
}

} // namespace

bool VideoWindowRenderer::Init(HWND window, int width, int height)
{
    m_window = window;
    m_width = width;
    m_height = height;
    return Create();
}

bool VideoWindowRenderer::Create()
{
    Release();
    if (m_width <= 0 || m_height <= 0)
        return false;
    IDirectDrawClipper* clipper = nullptr;
    const HWND window = m_window.load();
    bool ok = SUCCEEDED(DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&m_directDraw), IID_IDirectDraw7, nullptr))
        && SUCCEEDED(m_directDraw->SetCooperativeLevel(window, DDSCL_NORMAL));
    if (ok) {
        DDSURFACEDESC2 desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS;
        desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        ok = SUCCEEDED(m_directDraw->CreateSurface(&desc, &m_primary, nullptr));
    }
    if (ok) {
        DDSURFACEDESC2 desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
        desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
        desc.dwWidth = DWORD(m_width);
        desc.dwHeight = DWORD(m_height);
        desc.ddpfPixelFormat = {sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0};
        ok = SUCCEEDED(m_directDraw->CreateSurface(&desc, &m_offscreen, nullptr));
    }
    ok = ok && SUCCEEDED(m_directDraw->CreateClipper(0, &clipper, nullptr))
        && SUCCEEDED(clipper->SetHWnd(0, window)) && SUCCEEDED(m_primary->SetClipper(clipper));
    // The primary surface holds the clipper from here on.
    releaseAndClear(clipper);
    if (!ok)
        Release();
    return ok;
}

void VideoWindowRenderer::SetWindow(HWND window)
{
    m_window = window;
    // The clipping follows the window at once where that is possible; Present
    // checks it again, for the primary surface may be lost or made later.
    if (!m_primary)
        return;
    IDirectDrawClipper* clipper = nullptr;
    if (SUCCEEDED(m_primary->GetClipper(&clipper))) {
        clipper->SetHWnd(0, window);
        clipper->Release();
    }
}

bool VideoWindowRenderer::Present(const std::uint8_t* frame)
{
    if (!m_offscreen || !frame)
        return false;
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    HRESULT hr = m_offscreen->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (hr == DDERR_SURFACELOST)
        m_directDraw->RestoreAllSurfaces();
    if (FAILED(hr))
        return false;
    const std::uint8_t* src = frame;
    auto* rowStart = static_cast<std::uint8_t*>(desc.lpSurface);
    for (int y = 0; y < m_height; ++y, rowStart += desc.lPitch) {
        auto* row = reinterpret_cast<std::uint32_t*>(rowStart);
        for (int x = 0; x < m_width; ++x, src += 3)
            row[x] = (std::uint32_t(src[2]) << 16) | (std::uint32_t(src[1]) << 8) | src[0];
    }
    m_offscreen->Unlock(nullptr);

    // Drawn and clipped to the client area of the window of the moment, even
    // when it was replaced after the surfaces were made.
    const HWND window = m_window.load();
    IDirectDrawClipper* clipper = nullptr;
    if (SUCCEEDED(m_primary->GetClipper(&clipper))) {
        HWND bound = nullptr;
        clipper->GetHWnd(&bound);
        if (bound != window)
            clipper->SetHWnd(0, window);
        clipper->Release();
    }
    RECT target;
    if (!window || !ddraw::ClientRectOnScreen(window, &target))
        return false;
    hr = m_primary->Blt(&target, m_offscreen, nullptr, DDBLT_WAIT, nullptr);
    if (hr == DDERR_SURFACELOST) {
        m_directDraw->RestoreAllSurfaces();
        return false;
    }
    return true;
}

void VideoWindowRenderer::Release()
{
    releaseAndClear(m_offscreen);
    releaseAndClear(m_primary);
    releaseAndClear(m_directDraw);
}
