#pragma once
// The colour and font choice dialogs. Like file choices they ask through an
// answerer first, so a test answers them and a headless run never blocks
// (unanswered there they are cancelled). Every request is recorded.
#include "platform/win/Gdi.h"
#include "platform/win/Wnd.h"

#include <functional>
#include <optional>
#include <vector>

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;
constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;

namespace win {

struct ColorDialogRequest {
    HWND owner = nullptr;
    COLORREF initial = 0;
};
struct FontDialogRequest {
    HWND owner = nullptr;
    LOGFONT initial;
    DWORD flags = 0;
    int dpi = 96; // of the window that asks: heights and points convert at it
};

// The chosen colour or font; nothing for Cancel.
using ColorDialogAnswerer = std::function<std::optional<COLORREF>(const ColorDialogRequest&)>;
using FontDialogAnswerer = std::function<std::optional<LOGFONT>(const FontDialogRequest&)>;
ColorDialogAnswerer SetColorDialogAnswerer(ColorDialogAnswerer answerer);
FontDialogAnswerer SetFontDialogAnswerer(FontDialogAnswerer answerer);
const std::vector<ColorDialogRequest>& ColorDialogLog();
const std::vector<FontDialogRequest>& FontDialogLog();
void ClearChoiceDialogLogs();

// The colours the colour pop-ups offer (the grid's colour rows, the colour button).
const std::vector<COLORREF>& PopupColors();

} // namespace win

class QPixmap;
namespace win {
// A square of the colour with a black outline, as the pop-ups show it.
QPixmap ColorSwatch(COLORREF color, int size = 12);

} // namespace win

class CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    INT_PTR DoModal(); // IDOK with a colour, IDCANCEL
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color;
    CWnd* m_parent;
};

class CFontDialog {
public:
    explicit CFontDialog(const LOGFONT* initial = nullptr, DWORD flags = CF_SCREENFONTS, CWnd* parent = nullptr);
    INT_PTR DoModal(); // IDOK with a font, IDCANCEL
    void GetCurrentFont(LOGFONT* font) const { *font = m_font; }
    const LOGFONT& Font() const { return m_font; }

private:
    LOGFONT m_font;
    DWORD m_flags;
    CWnd* m_parent;
};
