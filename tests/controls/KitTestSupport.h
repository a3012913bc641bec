#pragma once
// A host window for the control-kit tests that records the private messages
// its controls post or send, and pixel helpers over a window's grab.
#include "platform/win/Dc.h"
#include "platform/win/Wnd.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <filesystem>
#include <string>
#include <vector>

namespace kit {

struct Posted {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Posted&) const = default;
};

class Host : public CWnd {
public:
    explicit Host(int w = 400, int h = 300)
    {
        CreateEx(0, nullptr, "Host", WS_POPUP | WS_VISIBLE, CRect(0, 0, w, h), nullptr, 0);
    }
    ~Host() override { DestroyWindow(); }
    std::vector<Posted> posted;
    // Messages at or above this value are recorded (the kit's private ones, WM_COMMAND too).
    UINT recordFrom = WM_USER;

protected:
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        if (message >= recordFrom || message == WM_COMMAND)
            posted.push_back({message, w, l});
        return CWnd::WindowProc(message, w, l);
    }
};

inline QImage grab(CWnd& w) { return w.widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

inline COLORREF pixel(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

// The pixels of a bitmap resource.
class ResourcePixels {
public:
    explicit ResourcePixels(UINT id)
    {
        m_loaded = m_bitmap.LoadBitmap(id);
        m_dc.CreateCompatibleDC(nullptr);
        m_dc.SelectObject(&m_bitmap);
    }
    bool loaded() const { return m_loaded; }
    COLORREF at(int x, int y) const { return m_dc.GetPixel(x, y); }

private:
    CBitmap m_bitmap;
    CDC m_dc;
    bool m_loaded;
};

// Where a test leaves its screenshots: MIRTAL_SCREENSHOT_DIR or the working folder.
inline std::string shotPath(const std::string& name)
{
    const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR");
    return ((out ? std::filesystem::path(out) : std::filesystem::current_path()) / name).string();
}

} // namespace kit
