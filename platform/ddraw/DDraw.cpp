#include "platform/ddraw/DDraw.h"

#include "platform/ddraw/WindowSink.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <new>
#include <set>
#include <vector>

const GUID IID_IDirectDraw7 = {0x15e65ec0, 0x3b9c, 0x11d2, {0xb9, 0x2f, 0x00, 0x60, 0x97, 0x97, 0xea, 0x5b}};

bool operator==(const GUID& a, const GUID& b)
{
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3
        && std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

namespace {

using ddraw::detail::Sink;

constexpr LONG kMaxSide = 16384;

template <class Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

private:
    std::atomic<ULONG> m_refs{1};
};

class DirectDraw;
class Surface;

std::mutex g_surfacesMutex;
std::set<Surface*>& liveSurfaces()
{
    static std::set<Surface*> set;
    return set;
}

class Clipper : public RefCounted<IDirectDrawClipper> {
public:
    ~Clipper() override { bind(nullptr); }

    HRESULT SetHWnd(DWORD, HWND window) override
    {
        bind(window);
        return DD_OK;
    }
    HRESULT GetHWnd(HWND* window) override
    {
        if (!window)
            return DDERR_INVALIDPARAMS;
        std::lock_guard lock(m_mutex);
        *window = m_window;
        return DD_OK;
    }

    std::shared_ptr<Sink> sink()
    {
        std::lock_guard lock(m_mutex);
        return m_sink;
    }

private:
    void bind(HWND window)
    {
        std::shared_ptr<Sink> old;
        {
            std::lock_guard lock(m_mutex);
            if (m_window == window && (m_sink || !window))
                return;
            old = std::move(m_sink);
            m_window = window;
            if (window) {
                m_sink = ddraw::detail::SinkOf(window);
                ++m_sink->clippers;
            }
        }
        if (old)
            ddraw::detail::ReleaseSink(old);
    }

    std::mutex m_mutex;
    HWND m_window = nullptr;
    std::shared_ptr<Sink> m_sink;
};

class Surface : public RefCounted<IDirectDrawSurface7> {
public:
    Surface(DirectDraw* owner, bool primary, int width, int height);
    ~Surface() override;

    bool allocate()
    {
        if (m_primary)
            return true;
        try {
            m_pixels.assign(size_t(m_width) * size_t(m_height), 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        return true;
    }

    HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, void*) override
    {
        if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2))
            return DDERR_INVALIDPARAMS;
        if (m_primary)
            return DDERR_CANTLOCKSURFACE;
        RECT r{0, 0, m_width, m_height};
        if (rect) {
            if (rect->left < 0 || rect->top < 0 || rect->right > m_width || rect->bottom > m_height
                || rect->left >= rect->right || rect->top >= rect->bottom)
                return DDERR_INVALIDPARAMS;
            r = *rect;
        }
        if (m_lost.load())
            return DDERR_SURFACELOST;
        if (flags & DDLOCK_WAIT)
            m_mutex.lock();
        else if (!m_mutex.try_lock())
            return DDERR_WASSTILLDRAWING;
        m_locked = true;
        describe(desc);
        desc->lpSurface = m_pixels.data() + size_t(r.top) * size_t(m_width) + size_t(r.left);
        return DD_OK;
    }

    HRESULT Unlock(RECT*) override
    {
        if (m_primary || !m_locked.exchange(false))
            return DDERR_NOTLOCKED;
        m_mutex.unlock();
        return DD_OK;
    }

    HRESULT Blt(RECT* dest, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags, void*) override;

    HRESULT SetClipper(IDirectDrawClipper* clipper) override
    {
        if (clipper)
            clipper->AddRef();
        IDirectDrawClipper* old = nullptr;
        {
            std::lock_guard lock(m_clipperMutex);
            old = m_clipper;
            m_clipper = static_cast<Clipper*>(clipper);
        }
        if (old)
            old->Release();
        return DD_OK;
    }

    HRESULT GetClipper(IDirectDrawClipper** clipper) override
    {
        if (!clipper)
            return DDERR_INVALIDPARAMS;
        std::lock_guard lock(m_clipperMutex);
        *clipper = m_clipper;
        if (!m_clipper)
            return DDERR_GENERIC;
        m_clipper->AddRef();
        return DD_OK;
    }

    HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) override
    {
        if (!desc || desc->dwSize != sizeof(DDSURFACEDESC2))
            return DDERR_INVALIDPARAMS;
        describe(desc);
        desc->lpSurface = nullptr;
        return DD_OK;
    }

    HRESULT IsLost() override { return m_lost.load() ? DDERR_SURFACELOST : DD_OK; }
    HRESULT Restore() override
    {
        m_lost = false;
        return DD_OK;
    }

    void lose() { m_lost = true; }
    DirectDraw* owner() const { return m_owner; }

private:
    void describe(DDSURFACEDESC2* desc) const
    {
        std::memset(desc, 0, sizeof *desc);
        desc->dwSize = sizeof *desc;
        desc->dwFlags = DDSD_CAPS | DDSD_PIXELFORMAT;
        desc->ddsCaps.dwCaps = m_primary ? DDSCAPS_PRIMARYSURFACE : DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
        desc->ddpfPixelFormat = {sizeof(DDPIXELFORMAT), DDPF_RGB, 0, 32, 0xFF0000, 0xFF00, 0xFF, 0};
        if (!m_primary) {
            desc->dwFlags |= DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_LPSURFACE;
            desc->dwWidth = DWORD(m_width);
            desc->dwHeight = DWORD(m_height);
            desc->lPitch = m_width * 4;
        }
    }

    // Nearest-pixel stretch of the source rectangle onto `to`, drawing only inside `clip`.
    static void stretch(const std::uint32_t* from, int fromPitch, const RECT& fromRect, std::uint32_t* to,
                        int toPitch, const RECT& toRect, const RECT& clip);

    DirectDraw* const m_owner;
    const bool m_primary;
    const LONG m_width;
    const LONG m_height;
    std::vector<std::uint32_t> m_pixels;
    std::mutex m_mutex;  // held from Lock to Unlock, and while a blit reads or writes the pixels
    std::atomic<bool> m_locked{false};
    std::atomic<bool> m_lost{false};
    std::mutex m_clipperMutex;
    Clipper* m_clipper = nullptr;
};

class DirectDraw : public RefCounted<IDirectDraw7> {
public:
    HRESULT SetCooperativeLevel(HWND, DWORD flags) override
    {
        if (!(flags & DDSCL_NORMAL))
            return DDERR_INVALIDPARAMS;
        m_levelSet = true;
        return DD_OK;
    }

    HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** out, void* outer) override
    {
        if (!out || outer || !desc || desc->dwSize != sizeof(DDSURFACEDESC2) || !(desc->dwFlags & DDSD_CAPS))
            return DDERR_INVALIDPARAMS;
        *out = nullptr;
        if (!m_levelSet.load())
            return DDERR_NOCOOPERATIVELEVELSET;
        const DWORD caps = desc->ddsCaps.dwCaps;
        Surface* surface = nullptr;
        if (caps & DDSCAPS_PRIMARYSURFACE) {
            if (desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT))
                return DDERR_INVALIDPARAMS;
            surface = new Surface(this, true, 0, 0);
        } else if (caps & DDSCAPS_OFFSCREENPLAIN) {
            if ((desc->dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT))
                return DDERR_INVALIDPARAMS;
            const LONG w = LONG(desc->dwWidth), h = LONG(desc->dwHeight);
            if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
                return DDERR_INVALIDPARAMS;
            if (desc->dwFlags & DDSD_PIXELFORMAT) {
                const DDPIXELFORMAT& pf = desc->ddpfPixelFormat;
                // The one format the layer keeps: 32-bit 0x00RRGGBB.
                if (!(pf.dwFlags & DDPF_RGB) || pf.dwRGBBitCount != 32 || pf.dwRBitMask != 0xFF0000
                    || pf.dwGBitMask != 0xFF00 || pf.dwBBitMask != 0xFF || pf.dwRGBAlphaBitMask != 0)
                    return DDERR_INVALIDPIXELFORMAT;
            }
            surface = new Surface(this, false, w, h);
        } else {
            return DDERR_INVALIDPARAMS;
        }
        if (!surface->allocate()) {
            surface->Release();
            return DDERR_OUTOFMEMORY;
        }
        *out = surface;
        return DD_OK;
    }

    HRESULT CreateClipper(DWORD, IDirectDrawClipper** out, void* outer) override
    {
        if (!out || outer)
            return DDERR_INVALIDPARAMS;
        *out = new Clipper;
        return DD_OK;
    }

    HRESULT RestoreAllSurfaces() override
    {
        std::lock_guard lock(g_surfacesMutex);
        for (Surface* s : liveSurfaces())
            if (s->owner() == this)
                s->Restore();
        return DD_OK;
    }

private:
    std::atomic<bool> m_levelSet{false};
};

Surface::Surface(DirectDraw* owner, bool primary, int width, int height)
    : m_owner(owner), m_primary(primary), m_width(width), m_height(height)
{
    // A surface keeps its DirectDraw object alive.
    m_owner->AddRef();
    std::lock_guard lock(g_surfacesMutex);
    liveSurfaces().insert(this);
}

Surface::~Surface()
{
    {
        std::lock_guard lock(g_surfacesMutex);
        liveSurfaces().erase(this);
    }
    if (m_clipper)
        m_clipper->Release();
    m_owner->Release();
}

void Surface::stretch(const std::uint32_t* from, int fromPitch, const RECT& fromRect, std::uint32_t* to, int toPitch,
                      const RECT& toRect, const RECT& clip)
{
    const long long fw = fromRect.right - fromRect.left, fh = fromRect.bottom - fromRect.top;
    const long long tw = toRect.right - toRect.left, th = toRect.bottom - toRect.top;
    for (LONG y = clip.top; y < clip.bottom; ++y) {
        const LONG sy = fromRect.top + LONG((y - toRect.top) * fh / th);
        const std::uint32_t* srcRow = from + size_t(sy) * size_t(fromPitch);
        std::uint32_t* dstRow = to + size_t(y) * size_t(toPitch);
        for (LONG x = clip.left; x < clip.right; ++x)
            dstRow[x] = srcRow[fromRect.left + LONG((x - toRect.left) * fw / tw)] & 0xFFFFFF;
    }
}

HRESULT Surface::Blt(RECT* dest, IDirectDrawSurface7* srcInterface, RECT* srcRect, DWORD flags, void*)
{
    auto* src = static_cast<Surface*>(srcInterface);
    if (!src || src->m_primary)
        return DDERR_UNSUPPORTED;  // colour fills and reading the screen are not offered
    RECT from{0, 0, src->m_width, src->m_height};
    if (srcRect)
        from = *srcRect;
    if (from.left < 0 || from.top < 0 || from.right > src->m_width || from.bottom > src->m_height
        || from.left >= from.right || from.top >= from.bottom)
        return DDERR_INVALIDPARAMS;
    if (m_lost.load() || src->m_lost.load())
        return DDERR_SURFACELOST;

    std::shared_ptr<Sink> sink;
    if (m_primary) {
        std::lock_guard lock(m_clipperMutex);
        if (m_clipper)
            sink = m_clipper->sink();
        if (!sink)
            return DD_OK;  // no window to show in
    }
    if (!dest && m_primary) {
        std::lock_guard lock(sink->mutex);
        if (!sink->known)
            return DD_OK;
    }
    RECT to = dest ? *dest : RECT{0, 0, m_width, m_height};
    if (to.left >= to.right || to.top >= to.bottom)
        return DDERR_INVALIDPARAMS;

    std::unique_lock srcLock(src->m_mutex, std::defer_lock);
    if (flags & DDBLT_WAIT)
        srcLock.lock();
    else if (!srcLock.try_lock())
        return DDERR_WASSTILLDRAWING;

    if (!m_primary) {
        const RECT clip{std::max<LONG>(to.left, 0), std::max<LONG>(to.top, 0), std::min(to.right, m_width),
                        std::min(to.bottom, m_height)};
        if (clip.left >= clip.right || clip.top >= clip.bottom)
            return DD_OK;
        if (src == this) {
            std::vector<std::uint32_t> copy(m_pixels);
            stretch(copy.data(), m_width, from, m_pixels.data(), m_width, to, clip);
        } else {
            std::lock_guard dstLock(m_mutex);
            stretch(src->m_pixels.data(), src->m_width, from, m_pixels.data(), m_width, to, clip);
        }
        return DD_OK;
    }

    // Onto the screen: what falls in the clip window's client area lands in its sink.
    {
        std::lock_guard lock(sink->mutex);
        if (!sink->known || !sink->alive)
            return DD_OK;
        const QRect client = sink->client;
        if (!dest)
            to = RECT{client.left(), client.top(), client.right() + 1, client.bottom() + 1};
        // Client coordinates from here on.
        const RECT local{to.left - client.left(), to.top - client.top(), to.right - client.left(),
                         to.bottom - client.top()};
        const RECT clip{std::max<LONG>(local.left, 0), std::max<LONG>(local.top, 0),
                        std::min<LONG>(local.right, client.width()), std::min<LONG>(local.bottom, client.height())};
        if (clip.left >= clip.right || clip.top >= clip.bottom)
            return DD_OK;
        if (sink->image.size() != client.size()) {
            sink->image = QImage(client.size(), QImage::Format_RGB32);
            sink->image.fill(0);
            sink->drawn = QRect();
        }
        auto* pixels = reinterpret_cast<std::uint32_t*>(sink->image.bits());
        stretch(src->m_pixels.data(), src->m_width, from, pixels, int(sink->image.bytesPerLine() / 4), local, clip);
        sink->drawn |= QRect(QPoint(clip.left, clip.top), QPoint(clip.right - 1, clip.bottom - 1));
    }
    ddraw::detail::PostRepaint(sink);
    return DD_OK;
}

} // namespace

HRESULT DirectDrawCreateEx(const GUID* device, void** directDraw, const GUID& iid, void* outer)
{
    if (!directDraw)
        return DDERR_INVALIDPARAMS;
    *directDraw = nullptr;
    if (device || outer || !(iid == IID_IDirectDraw7))
        return DDERR_INVALIDPARAMS;
    *directDraw = static_cast<IDirectDraw7*>(new DirectDraw);
    return DD_OK;
}

namespace ddraw {

void LoseAllSurfaces()
{
    std::lock_guard lock(g_surfacesMutex);
    for (Surface* s : liveSurfaces())
        s->lose();
}

bool ClientRectOnScreen(HWND window, RECT* rect)
{
    if (!rect)
        return false;
    const std::shared_ptr<Sink> sink = detail::FindSink(window);
    if (!sink)
        return false;
    std::lock_guard lock(sink->mutex);
    if (!sink->known || !sink->alive)
        return false;
    *rect = RECT{sink->client.left(), sink->client.top(), sink->client.right() + 1, sink->client.bottom() + 1};
    return true;
}

int LiveSurfaceCount()
{
    std::lock_guard lock(g_surfacesMutex);
    return int(liveSurfaces().size());
}

} // namespace ddraw
