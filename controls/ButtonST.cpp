#include "controls/ButtonST.h"

#include "controls/ParentBackground.h"
#include "platform/win/Input.h"
#include "platform/win/Shell.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CButtonST, CButton)
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_MESSAGE(WM_ACTIVATE, OnActivate)
    ON_MESSAGE(WM_ENABLE, OnEnable)
    ON_MESSAGE(WM_CANCELMODE, OnCancelMode)
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_WM_CTLCOLOR_REFLECT()
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

bool isAuto(std::intptr_t value) { return value == CButtonST::BTNST_AUTO_GRAY || value == CButtonST::BTNST_AUTO_DARKER; }

COLORREF greyOf(COLORREF c)
{
    const int g = int(0.299 * GetRValue(c) + 0.587 * GetGValue(c) + 0.114 * GetBValue(c));
    return RGB(g, g, g);
}

} // namespace

CButtonST::CButtonST() { ResetColors(FALSE); }

CButtonST::~CButtonST()
{
    DropBackground();
    FreeResources();
    if (m_menu)
        m_menu->DestroyMenu();
}

// ---- Set-up ---------------------------------------------------------------------

void CButtonST::FreeResources(bool)
{
    for (Icon& icon : m_icons) {
        if (icon.handle)
            DestroyIcon(icon.handle);
        icon = Icon{};
    }
    for (Bitmap& bitmap : m_bitmaps) {
        if (bitmap.handle)
            ::DeleteObject(bitmap.handle);
        if (bitmap.mask)
            ::DeleteObject(bitmap.mask);
        bitmap = Bitmap{};
    }
}

bool CButtonST::MeasureIcon(HICON icon, int& width, int& height)
{
    ICONINFO info;
    if (!GetIconInfo(icon, &info))
        return false;
    width = int(info.xHotspot * 2);
    height = int(info.yHotspot * 2);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return true;
}

DWORD CButtonST::SetIcon(UINT iconIn, int iconOut) { return SetIconSized(iconIn, 0, 0, iconOut, 0, 0); }

DWORD CButtonST::SetIconSized(UINT iconIn, int widthIn, int heightIn, int iconOut, int widthOut, int heightOut)
{
    // A loaded image belongs to the button, which destroys it.
    auto load = [](UINT id, int w, int h) -> HICON {
        return static_cast<HICON>(LoadImage(nullptr, id, IMAGE_ICON, w, h, LR_DEFAULTCOLOR));
    };
    HICON in = load(iconIn, widthIn, heightIn);
    HICON out = nullptr;
    if (isAuto(iconOut))
        out = reinterpret_cast<HICON>(std::intptr_t(iconOut));
    else if (iconOut > 0)
        out = load(UINT(iconOut), widthOut, heightOut);
    return SetIconHandles(in, out);
}

DWORD CButtonST::SetIconHandles(HICON iconIn, HICON iconOut)
{
    FreeResources();
    if (iconIn) {
        m_icons[0].handle = iconIn;
        if (!MeasureIcon(iconIn, m_icons[0].width, m_icons[0].height)) {
            FreeResources();
            return BTNST_INVALIDRESOURCE;
        }
        const auto outValue = reinterpret_cast<std::intptr_t>(iconOut);
        if (isAuto(outValue))
            iconOut = CreateGrayscaleIcon(iconIn, outValue == BTNST_AUTO_DARKER);
        else if (!iconOut)
            iconOut = nullptr;
        if (iconOut || isAuto(outValue)) {
            m_icons[1].handle = iconOut;
            if (!iconOut || !MeasureIcon(iconOut, m_icons[1].width, m_icons[1].height)) {
                FreeResources();
                return BTNST_INVALIDRESOURCE;
            }
        }
    }
    Invalidate();
    return BTNST_OK;
}

DWORD CButtonST::SetBitmaps(UINT bitmapIn, COLORREF transparentIn, int bitmapOut, COLORREF transparentOut)
{
    auto* in = static_cast<HBITMAP>(LoadImage(nullptr, bitmapIn, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    HBITMAP out = nullptr;
    if (isAuto(bitmapOut))
        out = reinterpret_cast<HBITMAP>(std::intptr_t(bitmapOut));
    else if (bitmapOut > 0)
        out = static_cast<HBITMAP>(LoadImage(nullptr, UINT(bitmapOut), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    return SetBitmapHandles(in, transparentIn, out, transparentOut);
}

DWORD CButtonST::SetBitmapHandles(HBITMAP bitmapIn, COLORREF transparentIn, HBITMAP bitmapOut,
                                  COLORREF transparentOut)
{
    FreeResources();
    if (bitmapIn) {
        Bitmap& in = m_bitmaps[0];
        in.handle = bitmapIn;
        in.transparent = transparentIn;
        BITMAP bm;
        if (!GetObject(bitmapIn, sizeof bm, &bm)) {
            FreeResources();
            return BTNST_INVALIDRESOURCE;
        }
        in.width = int(bm.bmWidth);
        in.height = int(bm.bmHeight);
        // Generated copies come from the unchanged pixels, before the mask blacks the key out.
        const auto outValue = reinterpret_cast<std::intptr_t>(bitmapOut);
        if (isAuto(outValue)) {
            bitmapOut = CreateGrayscaleBitmap(bitmapIn, in.width, in.height, transparentIn,
                                              outValue == BTNST_AUTO_DARKER);
            transparentOut = transparentIn;
        }
        in.mask = CreateBitmapMask(bitmapIn, in.width, in.height, transparentIn);
        if (!in.mask) {
            if (isAuto(outValue) && bitmapOut)
                ::DeleteObject(bitmapOut);
            FreeResources();
            return BTNST_FAILEDMASK;
        }
        if (bitmapOut) {
            Bitmap& out = m_bitmaps[1];
            out.handle = bitmapOut;
            out.transparent = transparentOut;
            if (!GetObject(bitmapOut, sizeof bm, &bm)) {
                FreeResources();
                return BTNST_INVALIDRESOURCE;
            }
            out.width = int(bm.bmWidth);
            out.height = int(bm.bmHeight);
            out.mask = CreateBitmapMask(bitmapOut, out.width, out.height, transparentOut);
            if (!out.mask) {
                FreeResources();
                return BTNST_FAILEDMASK;
            }
        }
    }
    Invalidate();
    return BTNST_OK;
}

// A monochrome mask, 1 where the source has the transparent colour; those
// pixels of the source become black, so AND with the mask and OR with the
// source draw it over any background.
HBITMAP CButtonST::CreateBitmapMask(HBITMAP source, int width, int height, COLORREF transparent)
{
    HBITMAP mask = ::CreateBitmap(width, height, 1, 1, nullptr);
    if (!mask)
        return nullptr;
    CDC src, dst;
    src.CreateCompatibleDC(nullptr);
    dst.CreateCompatibleDC(nullptr);
    const HBITMAP oldSrc = src.SelectBitmap(source);
    const HBITMAP oldDst = dst.SelectBitmap(mask);
    src.SetBkColor(transparent);
    dst.BitBlt(0, 0, width, height, &src, 0, 0, SRCCOPY);
    src.SetTextColor(kWhite);
    src.SetBkColor(kBlack);
    src.BitBlt(0, 0, width, height, &dst, 0, 0, SRCAND);
    dst.SelectBitmap(oldDst);
    src.SelectBitmap(oldSrc);
    return mask;
}

HBITMAP CButtonST::CreateGrayscaleBitmap(HBITMAP source, int width, int height, COLORREF transparent, bool darker)
{
    CDC src, dst;
    if (!src.CreateCompatibleDC(nullptr) || !dst.CreateCompatibleDC(nullptr))
        return nullptr;
    CBitmap copy;
    if (!copy.CreateCompatibleBitmap(&dst, width, height))
        return nullptr;
    // Every pixel but those of the kept colour becomes grey, or darker.
    const HBITMAP oldSrc = src.SelectBitmap(source);
    CBitmap* oldDst = dst.SelectObject(&copy);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = src.GetPixel(x, y);
            dst.SetPixel(x, y, c == transparent ? c : darker ? DarkenColor(c, 0.25) : greyOf(c));
        }
    dst.SelectObject(oldDst);
    src.SelectBitmap(oldSrc);
    return copy.Detach();
}

HICON CButtonST::CreateGrayscaleIcon(HICON source, bool darker)
{
    ICONINFO info;
    if (!GetIconInfo(source, &info))
        return nullptr;
    // Black (the transparent part of the colour picture) stays black.
    CBitmap colour;
    colour.Attach(CreateGrayscaleBitmap(info.hbmColor, int(info.xHotspot * 2), int(info.yHotspot * 2), kBlack,
                                        darker));
    ICONINFO made;
    made.fIcon = TRUE;
    made.hbmMask = info.hbmMask;
    made.hbmColor = colour.GetSafeHandle();
    HICON icon = CreateIconIndirect(&made);
    ::DeleteObject(info.hbmMask);
    ::DeleteObject(info.hbmColor);
    return icon;
}

COLORREF CButtonST::DarkenColor(COLORREF color, double factor)
{
    if (factor <= 0.0 || factor > 1.0)
        return color;
    auto down = [factor](int c) { return int(c - c * factor); };
    return RGB(down(GetRValue(color)), down(GetGValue(color)), down(GetBValue(color)));
}

COLORREF CButtonST::OffsetColorValue(COLORREF color, short offset)
{
    const int channels[3] = {GetRValue(color), GetGValue(color), GetBValue(color)};
    int amount = offset;
    for (int c : channels) {
        if (offset > 0 && c + offset > 255)
            amount = std::min(amount, 255 - c);
        else if (offset <= 0 && c + offset < 0)
            amount = std::max(amount, -c);
    }
    return RGB(channels[0] + amount, channels[1] + amount, channels[2] + amount);
}

DWORD CButtonST::SetColor(BYTE slot, COLORREF color, BOOL repaint)
{
    if (slot >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    m_crColors[slot] = color;
    if (repaint)
        Invalidate();
    return BTNST_OK;
}

DWORD CButtonST::GetColor(BYTE slot, COLORREF* color) const
{
    if (slot >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    *color = m_crColors[slot];
    return BTNST_OK;
}

DWORD CButtonST::OffsetColor(BYTE slot, short offset, BOOL repaint)
{
    if (slot >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    if (offset < -255 || offset > 255)
        return BTNST_BADPARAM;
    m_crColors[slot] = OffsetColorValue(m_crColors[slot], offset);
    if (repaint)
        Invalidate();
    return BTNST_OK;
}

DWORD CButtonST::ResetColors(BOOL repaint)
{
    for (BYTE slot = 0; slot < BTNST_MAX_COLORS; ++slot)
        m_crColors[slot] = GetSysColor(slot % 2 == 0 ? COLOR_BTNFACE : COLOR_BTNTEXT);
    if (repaint)
        Invalidate();
    return BTNST_OK;
}

DWORD CButtonST::DrawTransparent(BOOL repaint)
{
    m_bDrawTransparent = true;
    DropBackground();
    if (repaint)
        Invalidate();
    return BTNST_OK;
}

DWORD CButtonST::SetPressedOffset(BYTE style, BOOL repaint)
{
    switch (style) {
    case BTNST_PRESSED_LEFTRIGHT: m_ptPressedOffset = CPoint(1, 1); break;
    case BTNST_PRESSED_TOPBOTTOM: m_ptPressedOffset = CPoint(0, 2); break;
    default: return BTNST_INVALIDPRESSEDSTYLE;
    }
    if (repaint)
        Invalidate();
    return BTNST_OK;
}

DWORD CButtonST::SetCheck(int check, BOOL repaint)
{
    if (m_bIsCheckBox) {
        m_nCheck = check ? 1 : 0;
        if (repaint)
            Invalidate();
    }
    return BTNST_OK;
}

DWORD CButtonST::SetLinkUrl(const char* url)
{
    m_link.clear();
    if (url)
        m_link = std::string(url).substr(0, 259);
    return BTNST_OK;
}

DWORD CButtonST::SetMenu(UINT menuId, HWND parent, BOOL repaint)
{
    if (m_menu) {
        m_menu->DestroyMenu();
        m_menu.reset();
    }
    m_hParentWndMenu = nullptr;
    m_bMenuDisplayed = false;
    if (menuId) {
        m_menu = std::make_unique<BCMenu>();
        if (!m_menu->LoadMenu(menuId)) {
            m_menu.reset();
            return BTNST_INVALIDRESOURCE;
        }
        m_hParentWndMenu = parent;
    }
    if (repaint)
        Invalidate();
    return BTNST_OK;
}

DWORD CButtonST::SetMenuCallback(HWND wnd, UINT message, LPARAM lParam)
{
    m_hCallbackWnd = wnd;
    m_nCallbackMessage = message;
    m_lCallbackParam = lParam;
    return BTNST_OK;
}

// ---- Window --------------------------------------------------------------------

void CButtonST::PreSubclassWindow()
{
    const UINT type = UINT(GetStyle() & 0x1F);
    if (type & BS_CHECKBOX)
        m_bIsCheckBox = true;
    if (type == BS_DEFPUSHBUTTON)
        m_bIsDefault = true;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

void CButtonST::CreateTooltip()
{
    if (m_toolTip)
        return;
    m_toolTip = std::make_unique<CToolTipCtrl>();
    m_toolTip->Create(this, 0);
    m_toolTip->Activate(FALSE);
    m_toolTip->SetMaxTipWidth(400);
}

BOOL CButtonST::PreTranslateMessage(MSG* msg)
{
    CreateTooltip();
    m_toolTip->RelayEvent(msg);
    // A quick second click is a second press.
    if (msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(msg);
}

void CButtonST::CancelHover()
{
    if (m_bIsFlat && m_bMouseOnButton) {
        m_bMouseOnButton = false;
        Invalidate();
    }
}

void CButtonST::OnKillFocus(CWnd* next)
{
    CButton::OnKillFocus(next);
    CancelHover();
}

void CButtonST::OnMouseMove(UINT flags, CPoint point)
{
    CButton::OnMouseMove(flags, point);
    // Dragging onto the button with the left button held does not hover it.
    if ((flags & MK_LBUTTON) && !m_bMouseOnButton)
        return;
    if (!m_bIsFlat)
        return;
    POINT screen = point;
    ClientToScreen(&screen);
    if (WindowFromPoint(screen) == m_hWnd) {
        if (!m_bMouseOnButton) {
            m_bMouseOnButton = true;
            Invalidate();
            TRACKMOUSEEVENT track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = m_hWnd;
            TrackMouseEvent(&track);
        }
    } else {
        CancelHover();
    }
}

void CButtonST::OnMouseLeave() { CancelHover(); }

LRESULT CButtonST::OnSysColorChange(WPARAM, LPARAM)
{
    Default();
    DropBackground();
    ResetColors(TRUE);
    return 0;
}

LRESULT CButtonST::OnActivate(WPARAM wParam, LPARAM)
{
    Default();
    if (LOWORD(wParam) == WA_INACTIVE)
        CancelHover();
    return 0;
}

LRESULT CButtonST::OnEnable(WPARAM wParam, LPARAM)
{
    Default();
    if (!wParam) {
        // A disabled button hands the focus on to the next control.
        if (CWnd* parent = GetParent()) {
            CWnd* next = nullptr;
            const std::vector<CWnd*> siblings = parent->GetChildren();
            auto self = std::find(siblings.begin(), siblings.end(), this);
            for (auto it = self == siblings.end() ? self : self + 1; it != siblings.end(); ++it)
                if (((*it)->GetStyle() & WS_TABSTOP) && (*it)->IsWindowVisible() && (*it)->IsWindowEnabled()) {
                    next = *it;
                    break;
                }
            if (next)
                next->SetFocus();
            else
                parent->SetFocus();
        }
        CancelHover();
    }
    return 0;
}

LRESULT CButtonST::OnCancelMode(WPARAM, LPARAM)
{
    Default();
    CancelHover();
    return 0;
}

LRESULT CButtonST::OnGetDlgCode(WPARAM, LPARAM)
{
    return DLGC_BUTTON | (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

// The button paints everything itself.
HBRUSH CButtonST::CtlColor(CDC*, UINT) { return &CBrush::Hollow(); }

LRESULT CButtonST::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    auto* menu = reinterpret_cast<CMenu*>(lParam);
    if (BCMenu::IsMenu(menu))
        return BCMenu::FindKeyboardShortcut(LOWORD(wParam), HIWORD(wParam), menu);
    return Default();
}

LRESULT CButtonST::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    const UINT type = UINT(wParam & BS_TYPEMASK);
    if (type == BS_DEFPUSHBUTTON)
        m_bIsDefault = true;
    else if (type == BS_PUSHBUTTON)
        m_bIsDefault = false;
    return CButton::DefWindowProc(BM_SETSTYLE, (wParam & ~BS_TYPEMASK) | BS_OWNERDRAW, lParam);
}

LRESULT CButtonST::OnSetCheck(WPARAM wParam, LPARAM)
{
    m_nCheck = (wParam == WPARAM(BST_CHECKED) || wParam == WPARAM(BST_INDETERMINATE)) ? 1 : 0;
    Invalidate();
    return 0;
}

LRESULT CButtonST::OnGetCheck(WPARAM, LPARAM) { return m_nCheck; }

BOOL CButtonST::OnClicked()
{
    SetFocus();
    if (m_bIsCheckBox) {
        m_nCheck = !m_nCheck;
        Invalidate();
    } else if (m_menu && m_menu->GetSubMenu(0)) {
        CRect rect;
        GetWindowRect(&rect);
        m_bMenuDisplayed = true;
        Invalidate();
        UpdateWindow();
        BCMenu* popup = m_menu->GetSubMenu(0);
        if (m_hCallbackWnd)
            ::SendMessage(m_hCallbackWnd, m_nCallbackMessage, reinterpret_cast<WPARAM>(popup), m_lCallbackParam);
        const UINT command =
            popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, rect.left,
                                  rect.bottom, this);
        m_bMenuDisplayed = false;
        Invalidate();
        if (command)
            ::PostMessage(m_hParentWndMenu, WM_COMMAND, MAKEWPARAM(WORD(command), 0), 0);
    } else if (!m_link.empty()) {
        ShellExecute(nullptr, "open", m_link, "", "", SW_SHOWMAXIMIZED);
    }
    // The parent receives the click as usual.
    return FALSE;
}

// ---- Painting ------------------------------------------------------------------

void CButtonST::DropBackground()
{
    if (m_bHasBk) {
        m_dcBk.SelectObject(m_pbmpOldBk);
        m_bmpBk.DeleteObject();
        m_dcBk.DeleteDC();
        m_bHasBk = false;
        m_pbmpOldBk = nullptr;
    }
}

void CButtonST::PaintBk(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    if (!m_bHasBk) {
        m_dcBk.CreateCompatibleDC(dc);
        m_bmpBk.CreateCompatibleBitmap(dc, client.Width(), client.Height());
        m_pbmpOldBk = m_dcBk.SelectObject(&m_bmpBk);
        CopyParentBackground(this, &m_dcBk);
        m_bHasBk = true;
    }
    dc->BitBlt(0, 0, client.Width(), client.Height(), &m_dcBk, 0, 0, SRCCOPY);
}

BOOL CButtonST::ShowsImageIn() const
{
    return (m_bIsCheckBox && m_bIsPressed) || (!m_bIsCheckBox && (m_bIsPressed || m_bMouseOnButton));
}

DWORD CButtonST::OnDrawBackground(CDC* dc, CRect* rect)
{
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        CBrush black(kBlack);
        dc->FrameRect(rect, &black);
        rect->DeflateRect(1, 1);
    }
    const COLORREF fill = (m_bMouseOnButton || m_bIsPressed) ? m_crColors[BTNST_COLOR_BK_IN]
                          : m_bIsFocused                     ? m_crColors[BTNST_COLOR_BK_FOCUS]
                                                             : m_crColors[BTNST_COLOR_BK_OUT];
    dc->FillSolidRect(rect, fill);
    return BTNST_OK;
}

DWORD CButtonST::OnDrawBorder(CDC* dc, CRect* rect)
{
    if (m_bIsPressed) {
        if (m_bIsFlat) {
            if (m_bDrawBorder)
                dc->Draw3dRect(rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHILIGHT));
        } else {
            CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
            dc->FrameRect(rect, &shadow);
        }
        return BTNST_OK;
    }
    if (m_bIsFlat) {
        if (m_bMouseOnButton && m_bDrawBorder)
            dc->Draw3dRect(rect, GetSysColor(COLOR_BTNHILIGHT), GetSysColor(COLOR_BTNSHADOW));
        return BTNST_OK;
    }
    const CRect& r = *rect;
    auto polyline = [dc](COLORREF colour, std::initializer_list<POINT> points) {
        CPen pen(PS_SOLID, 1, colour);
        CPen* old = dc->SelectObject(&pen);
        dc->Polyline(points.begin(), int(points.size()));
        dc->SelectObject(old);
    };
    polyline(GetSysColor(COLOR_BTNHILIGHT), {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right, r.top}});
    polyline(GetSysColor(COLOR_3DLIGHT), {{r.left + 1, r.bottom - 1}, {r.left + 1, r.top + 1}, {r.right, r.top + 1}});
    polyline(GetSysColor(COLOR_3DDKSHADOW),
             {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}});
    polyline(GetSysColor(COLOR_BTNSHADOW),
             {{r.left + 1, r.bottom - 2}, {r.right - 2, r.bottom - 2}, {r.right - 2, r.top}});
    return BTNST_OK;
}

CRect CButtonST::PrepareImageRect(bool hasTitle, const CRect* item, CRect* caption, bool pressed, int width,
                                  int height) const
{
    CRect image = *item;
    if (!hasTitle) {
        image.left += (image.Width() - width) / 2;
    } else {
        image.left += m_byImageMargin;
        caption->left += width + m_byImageMargin;
    }
    image.top += (image.Height() - height) / 2;
    if (pressed && !m_bIsCheckBox)
        image.OffsetRect(m_ptPressedOffset.x, m_ptPressedOffset.y);
    return image;
}

void CButtonST::DrawIcon(CDC* dc, bool hasTitle, const CRect* item, CRect* caption, bool pressed, bool disabled)
{
    const Icon& icon = (ShowsImageIn() || !m_icons[1].handle) ? m_icons[0] : m_icons[1];
    const CRect place = PrepareImageRect(hasTitle, item, caption, pressed, icon.width, icon.height);
    dc->DrawState(place.TopLeft(), CSize(icon.width, icon.height), icon.handle,
                  DST_ICON | (disabled ? DSS_DISABLED : DSS_NORMAL));
}

void CButtonST::DrawBitmap(CDC* dc, bool hasTitle, const CRect* item, CRect* caption, bool pressed, bool disabled)
{
    const Bitmap& bitmap = (ShowsImageIn() || !m_bitmaps[1].handle) ? m_bitmaps[0] : m_bitmaps[1];
    const CRect place = PrepareImageRect(hasTitle, item, caption, pressed, bitmap.width, bitmap.height);
    CDC src;
    src.CreateCompatibleDC(dc);
    if (disabled && m_bShowDisabledBitmap) {
        CDC work;
        work.CreateCompatibleDC(dc);
        CBitmap picture;
        picture.CreateCompatibleBitmap(dc, bitmap.width, bitmap.height);
        CBitmap* oldWork = work.SelectObject(&picture);
        work.FillSolidRect(0, 0, bitmap.width, bitmap.height, kWhite);
        work.SetBkColor(kWhite);
        const HBITMAP oldSrc = src.SelectBitmap(bitmap.mask);
        work.BitBlt(0, 0, bitmap.width, bitmap.height, &src, 0, 0, SRCAND);
        src.SelectBitmap(bitmap.handle);
        work.BitBlt(0, 0, bitmap.width, bitmap.height, &src, 0, 0, SRCPAINT);
        src.SelectBitmap(oldSrc);
        work.SelectObject(oldWork);
        dc->DrawState(place.TopLeft(), CSize(bitmap.width, bitmap.height), picture.GetSafeHandle(),
                      DST_BITMAP | DSS_DISABLED);
        return;
    }
    const HBITMAP oldSrc = src.SelectBitmap(bitmap.mask);
    dc->BitBlt(place.left, place.top, bitmap.width, bitmap.height, &src, 0, 0, SRCAND);
    src.SelectBitmap(bitmap.handle);
    dc->BitBlt(place.left, place.top, bitmap.width, bitmap.height, &src, 0, 0, SRCPAINT);
    src.SelectBitmap(oldSrc);
}

void CButtonST::DrawText(CDC* dc, const std::string& title, const CRect*, CRect* caption, bool pressed,
                         bool disabled)
{
    if (pressed && !m_bIsCheckBox)
        caption->OffsetRect(m_ptPressedOffset.x, m_ptPressedOffset.y);
    CRect centred = *caption;
    dc->DrawText(title, &centred, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    centred.OffsetRect((caption->Width() - centred.Width()) / 2, (caption->Height() - centred.Height()) / 2);
    if (disabled) {
        centred.OffsetRect(1, 1);
        dc->SetTextColor(GetSysColor(COLOR_3DHILIGHT));
        dc->DrawText(title, &centred, DT_WORDBREAK | DT_CENTER);
        centred.OffsetRect(-1, -1);
        dc->SetTextColor(GetSysColor(COLOR_3DSHADOW));
        dc->DrawText(title, &centred, DT_WORDBREAK | DT_CENTER);
        return;
    }
    const bool in = m_bMouseOnButton || pressed;
    dc->SetTextColor(m_crColors[in ? BTNST_COLOR_FG_IN : m_bIsFocused ? BTNST_COLOR_FG_FOCUS : BTNST_COLOR_FG_OUT]);
    dc->SetBkColor(m_crColors[in ? BTNST_COLOR_BK_IN : m_bIsFocused ? BTNST_COLOR_BK_FOCUS : BTNST_COLOR_BK_OUT]);
    dc->DrawText(title, &centred, DT_WORDBREAK | DT_CENTER);
}

void CButtonST::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = dis->hDC;
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    m_bIsPressed = m_bIsCheckBox ? (selected || m_nCheck) : (selected || m_bMenuDisplayed);
    m_bIsFocused = (dis->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (dis->itemState & ODS_DISABLED) != 0;
    CRect item = dis->rcItem;
    dc->SetBkMode(TRANSPARENT);
    if (m_bDrawTransparent)
        PaintBk(dc);
    else
        OnDrawBackground(dc, &item);
    OnDrawBorder(dc, &item);
    const std::string title = GetWindowText();
    const CRect whole = dis->rcItem;
    CRect caption = dis->rcItem;
    if (m_icons[0].handle)
        DrawIcon(dc, !title.empty(), &whole, &caption, m_bIsPressed, m_bIsDisabled);
    if (m_bitmaps[0].handle) {
        dc->SetBkColor(kWhite);
        DrawBitmap(dc, !title.empty(), &whole, &caption, m_bIsPressed, m_bIsDisabled);
    }
    if (!title.empty())
        DrawText(dc, title, &whole, &caption, m_bIsPressed, m_bIsDisabled);
    if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
        CRect focus = item;
        focus.DeflateRect(3, 3);
        dc->DrawFocusRect(&focus);
    }
}
