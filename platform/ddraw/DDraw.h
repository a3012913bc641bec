#pragma once
// The surface layer of the karaoke renderer: the part of DirectDraw 7 it uses.
//
// Surfaces live in memory. An off-screen surface is a block of 32-bit pixels
// (0x00RRGGBB) that Lock hands out. The primary surface stands for the
// screen: what is blitted onto it shows in the window its clipper is bound
// to, clipped to that window's client area (a view laid over the client
// widget, painted on the user-interface thread). Lock, Unlock and Blt may be
// called from any thread and never wait for the user-interface thread; a
// surface is unlocked on the thread that locked it.
//
// A display change loses every surface: Lock and Blt then answer
// DDERR_SURFACELOST until RestoreAllSurfaces (or Restore) is called.
#include "platform/win/Geometry.h"

#include <cstdint>

// HRESULT, FAILED and SUCCEEDED come from platform/win/WinTypes.h.
constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = HRESULT(0x80004005);
constexpr HRESULT DDERR_UNSUPPORTED = HRESULT(0x80004001);
constexpr HRESULT DDERR_INVALIDPARAMS = HRESULT(0x80070057);
constexpr HRESULT DDERR_OUTOFMEMORY = HRESULT(0x8007000E);
constexpr HRESULT DDERR_NOCOOPERATIVELEVELSET = HRESULT(0x8876003C);
constexpr HRESULT DDERR_INVALIDPIXELFORMAT = HRESULT(0x88760091);
constexpr HRESULT DDERR_SURFACELOST = HRESULT(0x887601C2);
constexpr HRESULT DDERR_WASSTILLDRAWING = HRESULT(0x8876021C);
constexpr HRESULT DDERR_CANTLOCKSURFACE = HRESULT(0x8876023A);
constexpr HRESULT DDERR_NOTLOCKED = HRESULT(0x88760248);

// SetCooperativeLevel
constexpr DWORD DDSCL_NORMAL = 0x8;
// Surface description flags
constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_LPSURFACE = 0x800;
constexpr DWORD DDSD_PIXELFORMAT = 0x1000;
// Capabilities
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;
constexpr DWORD DDSCAPS_SYSTEMMEMORY = 0x800;
// Pixel format flags
constexpr DWORD DDPF_RGB = 0x40;
// Lock and Blt
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDBLT_WAIT = 0x01000000;

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
bool operator==(const GUID& a, const GUID& b);
extern const GUID IID_IDirectDraw7;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS2 {
    DWORD dwCaps;
    DWORD dwCaps2;
    DWORD dwCaps3;
    DWORD dwCaps4;
};

// dwSize must be sizeof(DDSURFACEDESC2).
struct DDSURFACEDESC2 {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwMipMapCount;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    void* lpSurface;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS2 ddsCaps;
    DWORD dwTextureStage;
};

// Reference-counted objects: Release gives up one reference; the last frees the object.
struct IDirectDrawObject {
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    virtual ~IDirectDrawObject() = default;
};

struct IDirectDrawClipper : IDirectDrawObject {
    // Clips to the client area of the window (null: to nothing).
    virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
    virtual HRESULT GetHWnd(HWND* window) = 0;
};

struct IDirectDrawSurface7 : IDirectDrawObject {
    // rect null: the whole surface.
    virtual HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, DWORD flags, void* event) = 0;
    virtual HRESULT Unlock(RECT* rect) = 0;
    // Copies the source rectangle onto the destination rectangle (null: whole
    // surfaces), stretching it to fit. Onto the primary surface the rectangle
    // is in screen coordinates and the clipper limits what is drawn.
    virtual HRESULT Blt(RECT* dest, IDirectDrawSurface7* src, RECT* srcRect, DWORD flags, void* fx) = 0;
    // The surface keeps its own reference to the clipper.
    virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
    // Adds a reference for the caller.
    virtual HRESULT GetClipper(IDirectDrawClipper** clipper) = 0;
    virtual HRESULT GetSurfaceDesc(DDSURFACEDESC2* desc) = 0;
    // DD_OK, or DDERR_SURFACELOST.
    virtual HRESULT IsLost() = 0;
    virtual HRESULT Restore() = 0;
};

struct IDirectDraw7 : IDirectDrawObject {
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT CreateSurface(DDSURFACEDESC2* desc, IDirectDrawSurface7** surface, void* outer) = 0;
    virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, void* outer) = 0;
    virtual HRESULT RestoreAllSurfaces() = 0;
};

// device null: the display; iid IID_IDirectDraw7; outer null.
HRESULT DirectDrawCreateEx(const GUID* device, void** directDraw, const GUID& iid, void* outer);

namespace ddraw {

// What a display change does: every surface alive is lost.
void LoseAllSurfaces();

// The client area of a window that a clipper is bound to, in screen
// coordinates, as last seen on the user-interface thread. Any thread; false
// while it is not known (the binding is made on the user-interface thread,
// so a window bound from another thread becomes known shortly after).
bool ClientRectOnScreen(HWND window, RECT* rect);

// Surfaces alive, for the tests of the owners that must release them.
int LiveSurfaceCount();

} // namespace ddraw
