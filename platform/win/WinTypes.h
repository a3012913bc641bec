#pragma once
// The basic value types and macros of the Windows interfaces the program is
// written against, as plain fixed-width C++ types. Header-only, so every layer
// (window, audio, surface) shares them without linking each other.
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// A window handle names one of our windows; CWnd::FromHandle finds it.
struct HWND__;
using HWND = HWND__*;

constexpr COLORREF RGB(int r, int g, int b)
{
    return COLORREF(r & 0xff) | (COLORREF(g & 0xff) << 8) | (COLORREF(b & 0xff) << 16);
}
constexpr int GetRValue(COLORREF c) { return int(c & 0xff); }
constexpr int GetGValue(COLORREF c) { return int((c >> 8) & 0xff); }
constexpr int GetBValue(COLORREF c) { return int((c >> 16) & 0xff); }

constexpr WORD LOWORD(std::uintptr_t v) { return WORD(v & 0xffff); }
constexpr WORD HIWORD(std::uintptr_t v) { return WORD((v >> 16) & 0xffff); }
constexpr DWORD MAKELONG(WORD lo, WORD hi) { return DWORD(lo) | (DWORD(hi) << 16); }

constexpr WPARAM MAKEWPARAM(WORD lo, WORD hi) { return WPARAM(MAKELONG(lo, hi)); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) { return LPARAM(MAKELONG(lo, hi)); }
constexpr short GET_X_LPARAM(LPARAM l) { return short(l & 0xffff); }
constexpr short GET_Y_LPARAM(LPARAM l) { return short((l >> 16) & 0xffff); }
constexpr short GET_WHEEL_DELTA_WPARAM(WPARAM w) { return short(HIWORD(w)); }
constexpr int MulDiv(int number, int numerator, int denominator)
{
    // Rounds half away from zero, as the Windows function does.
    if (denominator == 0)
        return -1;
    const long long p = (long long)number * numerator;
    const long long d = denominator;
    const bool negative = (p < 0) != (d < 0);
    const long long ap = p < 0 ? -p : p;
    const long long ad = d < 0 ? -d : d;
    const long long q = (2 * ap + ad) / (2 * ad);
    return int(negative ? -q : q);
}

// Opaque handles of icons, cursors and bitmaps; the window layer defines them.
struct HICON__;
using HICON = HICON__*;
using HCURSOR = HICON;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
// The files of one drop (WM_DROPFILES); valid while the message is handled.
struct HDROP__;
using HDROP = HDROP__*;


// Result codes of the component calls (the HTML view's document operations).
using HRESULT = std::int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = HRESULT(0x80004001u);
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
