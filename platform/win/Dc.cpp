#include "platform/win/Dc.h"
#include "platform/win/DcImpl.h"

#include "platform/win/Display.h"
#include "platform/win/GdiImpl.h"
#include "platform/win/Wnd.h"
#include "platform/win/WndImpl.h"

#include <QFontMetrics>
#include <QImage>
#include <QVariant>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

using win::detail::DibToImage;
using win::detail::ImageToDib;
using win::detail::MonoOf;

using namespace win::detail::dc;

CDC::CDC() : m_state(std::make_unique<State>()), m_target(std::make_unique<Target>())
{
    m_target->own = QImage(1, 1, QImage::Format_RGB32);
    m_target->own.fill(0xff000000);
}

CDC::~CDC()
{
    End();
    DeleteDC();
}

namespace {

// Memory of large images, kept when an image goes for the next one of its size
// or smaller: memory fresh from the system costs a page fault per page on its
// first touch, more than the drawing itself, and a start paints its windows at
// several sizes, reads their pixels and makes their paint buffers many times.
class ImageBlocks {
public:
    QImage Take(const QSize& size, QImage::Format format)
    {
        const qsizetype bytesPerLine = qsizetype(size.width()) * 4;
        const size_t bytes = size_t(bytesPerLine) * size_t(size.height());
        if (bytes < kSmall)
            return QImage(size, format);
        Block* block = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            // The smallest that fits: a large block stays for a large image.
            auto best = m_free.end();
            for (auto it = m_free.begin(); it != m_free.end(); ++it)
                if ((*it)->bytes >= bytes && (best == m_free.end() || (*it)->bytes < (*best)->bytes))
                    best = it;
            if (best != m_free.end()) {
                block = *best;
                m_freeBytes -= block->bytes;
                m_free.erase(best);
            }
        }
        if (!block) {
            // Not zeroed: every taker sets its pixels, and zeroing fresh memory costs a second pass.
            block = new Block{std::unique_ptr<uchar[]>(new uchar[bytes]), bytes};
        }
        block->owner = this;
        return QImage(block->data.get(), size.width(), size.height(), bytesPerLine, format, &ImageBlocks::Release,
                      block);
    }

private:
    struct Block {
        std::unique_ptr<uchar[]> data;
        size_t bytes;
        ImageBlocks* owner = nullptr;
    };
    static constexpr size_t kSmall = 64 * 1024;
    static constexpr size_t kKeptBytes = 24u << 20;

    // The image's data is gone: its block is free again.
    static void Release(void* info)
    {
        auto* block = static_cast<Block*>(info);
        ImageBlocks* owner = block->owner;
        std::lock_guard<std::mutex> lock(owner->m_mutex);
        owner->m_free.push_back(block);
        owner->m_freeBytes += block->bytes;
        // The oldest go back to the system past the budget.
        while (owner->m_freeBytes > kKeptBytes && !owner->m_free.empty()) {
            Block* old = owner->m_free.front();
            owner->m_free.erase(owner->m_free.begin());
            owner->m_freeBytes -= old->bytes;
            delete old;
        }
    }

    std::mutex m_mutex;
    std::vector<Block*> m_free;
    size_t m_freeBytes = 0;
};

} // namespace

QImage win::detail::dc::NewImage(int width, int height, QImage::Format format)
{
    // Never destroyed: an image may outlive every other object of the program.
    static auto* blocks = new ImageBlocks;
    return blocks->Take(QSize(std::max(1, width), std::max(1, height)), format);
}

void CDC::BeginWidget(QWidget* widget, const QFont* font)
{
    m_target->kind = Target::Widget;
    m_target->widget = widget;
    m_target->own = win::detail::dc::NewImage(widget->width(), widget->height(), QImage::Format_ARGB32_Premultiplied);
    m_target->own.fill(0);
    if (font)
        m_state->qfont = std::make_shared<QFont>(*font);
}

void CDC::BeginScratch(const QFont* font)
{
    m_target->kind = Target::Scratch;
    m_target->own = QImage(1, 1, QImage::Format_RGB32);
    m_target->own.fill(0xff000000);
    if (font)
        m_state->qfont = std::make_shared<QFont>(*font);
}

namespace {

constexpr const char* kClientDrawing = "mirtalClientDrawing";

// Widgets being rendered for a client DC: their paint keeps the pending drawing.
std::set<QWidget*>& rendering()
{
    static std::set<QWidget*> busy;
    return busy;
}

// The widget's own drawing (background and paint, no child windows) as it
// would paint now, with client drawing still waiting for a paint on top; all
// of it, or only the pixels of area (those outside are left as they were).
QImage currentPixels(QWidget* w, const QRect& area = QRect())
{
    QImage img = win::detail::dc::NewImage(w->width(), w->height(), QImage::Format_RGB32);
    const QRgb back = w->palette().color(w->backgroundRole()).rgb();
    if (area.isEmpty()) {
        img.fill(back);
    } else {
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(img.scanLine(y)) + area.left(), area.width(), back);
    }
    const win::detail::PaintContext* ctx = win::detail::CurrentPaint();
    // Never inside the widget's own paint (Qt refuses a recursive paint).
    if (!rendering().count(w) && !(ctx && ctx->widget == w)) {
        rendering().insert(w);
        if (area.isEmpty())
            w->render(&img, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        else
            w->render(&img, area.topLeft(), QRegion(area), QWidget::DrawWindowBackground);
        rendering().erase(w);
    }
    const QVariant pending = w->property(kClientDrawing);
    if (pending.isValid()) {
        QPainter p(&img);
        if (!area.isEmpty())
            p.setClipRect(area);
        p.drawImage(0, 0, pending.value<QImage>());
    }
    return img;
}

} // namespace

namespace win::detail {

void PaintClientDrawing(QWidget* widget)
{
    if (!widget || rendering().count(widget))
        return;
    const QVariant pending = widget->property(kClientDrawing);
    if (!pending.isValid())
        return;
    widget->setProperty(kClientDrawing, QVariant());
    QPainter p(widget);
    p.drawImage(0, 0, pending.value<QImage>());
}

} // namespace win::detail

void CDC::BeginClient(QWidget* widget, const QFont* font)
{
    // The pixels are read when first needed: a DC that only measures text
    // makes the window paint nothing.
    m_target->kind = Target::Client;
    m_target->widget = widget;
    m_target->loaded = false;
    if (font)
        m_state->qfont = std::make_shared<QFont>(*font);
}

void CDC::End()
{
    if (m_target->kind == Target::Client && m_target->widget && !m_target->loaded) {
        m_target->widget = nullptr;
        m_target->kind = Target::Scratch;
        return;
    }
    if (m_target->kind == Target::Client && m_target->widget) {
        // Only the pixels drawn on go over the next paint.
        const QImage& now = m_target->own;
        const QImage& was = m_target->before;
        // Most client DCs only read (a control copying its parent's background):
        // the pixels are then still shared with the copy taken at the start.
        const bool untouched = now.constBits() == was.constBits();
        QImage overlay;
        bool drawn = false;
        const int width = std::min(now.width(), was.width());
        const int height = untouched ? 0 : std::min(now.height(), was.height());
        for (int y = 0; y < height; ++y) {
            const auto* a = reinterpret_cast<const QRgb*>(now.constScanLine(y));
            const auto* b = reinterpret_cast<const QRgb*>(was.constScanLine(y));
            if (std::memcmp(a, b, size_t(width) * sizeof(QRgb)) == 0)
                continue;
            if (overlay.isNull()) {
                overlay = QImage(now.size(), QImage::Format_ARGB32);
                overlay.fill(0);
            }
            auto* o = reinterpret_cast<QRgb*>(overlay.scanLine(y));
            for (int x = 0; x < width; ++x)
                if ((a[x] ^ b[x]) & 0x00ffffffu) {
                    o[x] = a[x] | 0xff000000u;
                    drawn = true;
                }
        }
        if (drawn) {
            QWidget* w = m_target->widget;
            const QVariant pending = w->property(kClientDrawing);
            if (pending.isValid()) {
                QImage merged = pending.value<QImage>();
                QPainter p(&merged);
                p.drawImage(0, 0, overlay);
                p.end();
                overlay = merged;
            }
            w->setProperty(kClientDrawing, overlay);
            w->update();
        }
        m_target->before = QImage();
        m_target->own = QImage(1, 1, QImage::Format_RGB32);
        m_target->own.fill(0xff000000);
        m_target->widget = nullptr;
        m_target->kind = Target::Scratch;
        m_target->loaded = false;
        return;
    }
    if (m_target->kind == Target::Widget && m_target->widget) {
        {
            QPainter p(m_target->widget);
            p.drawImage(0, 0, m_target->own);
        }
        m_target->own = QImage(1, 1, QImage::Format_RGB32);
        m_target->own.fill(0xff000000);
        m_target->widget = nullptr;
        m_target->kind = Target::Scratch;
    }
}

BOOL CDC::CreateCompatibleDC(CDC*)
{
    m_target->kind = Target::Memory;
    m_target->own = QImage(1, 1, QImage::Format_RGB32);
    m_target->own.fill(0xff000000);
    return TRUE;
}

BOOL CDC::CreateIC(const char*, const char*, const char*, const void*)
{
    m_target->info = true;
    BeginScratch(nullptr);
    return TRUE;
}

BOOL CDC::DeleteDC()
{
    // Bitmaps selected here (now or in a saved state) are free again.
    if (m_state->bitmap && m_state->bitmap->selectedIn == this)
        m_state->bitmap->selectedIn = nullptr;
    for (State& s : m_saved)
        if (s.bitmap && s.bitmap->selectedIn == this)
            s.bitmap->selectedIn = nullptr;
    m_state->bitmap = nullptr;
    m_saved.clear();
    return TRUE;
}

void CDC::ForgetBitmap(HBITMAP bitmap)
{
    if (m_state->bitmap == bitmap)
        m_state->bitmap = nullptr;
    for (State& s : m_saved)
        if (s.bitmap == bitmap)
            s.bitmap = nullptr;
}

bool CDC::IsMonochrome() const
{
    if (m_target->kind != Target::Memory)
        return false;
    // The default one-pixel bitmap counts as the display's kind, so that
    // bitmaps made compatible with a fresh memory DC are in colour.
    return m_state->bitmap && m_state->bitmap->bitsPerPixel == 1;
}

QImage* CDC::target() const
{
    if (m_target->kind == Target::Memory && m_state->bitmap)
        return &m_state->bitmap->image;
    if (m_target->kind == Target::Client && m_target->widget && (!m_target->loaded || !m_target->area.isEmpty())) {
        m_target->loaded = true;
        m_target->area = QRect();
        m_target->before = QImage();
        m_target->own = QImage();
        m_target->own = currentPixels(m_target->widget);
        m_target->before = m_target->own;
    }
    return &m_target->own;
}

const QImage* CDC::sourceArea(const QRect& area) const
{
    if (m_target->kind != Target::Client || !m_target->widget)
        return target();
    const QRect part = area.intersected(m_target->widget->rect());
    if (!m_target->loaded && !part.isEmpty()) {
        // A control copying its parent's background reads only what lies under it:
        // rendering the whole parent for each control cost more than the rest of a start.
        m_target->loaded = true;
        m_target->area = part;
        m_target->own = currentPixels(m_target->widget, part);
        m_target->before = m_target->own;
    }
    if (m_target->loaded && !m_target->area.isEmpty() && m_target->area.contains(part))
        return &m_target->own;
    return target();
}

QImage* CDC::surface() const
{
    if (m_target->info)
        return nullptr;
    const_cast<CDC*>(this)->touchTarget();
    return target();
}

void CDC::touchTarget()
{
    if (m_target->kind != Target::Memory || !m_state->bitmap)
        return;
    DibToImage(m_state->bitmap);
    QImage& img = m_state->bitmap->image;
    if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32)
        img = img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

void CDC::doneTarget()
{
    if (m_target->kind == Target::Memory && m_state->bitmap)
        ImageToDib(m_state->bitmap);
}

QFont CDC::font() const
{
    if (m_state->qfont)
        return *m_state->qfont;
    return win::DialogFont("MS Shell Dlg", 8);
}

// ---- Objects --------------------------------------------------------------------------

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* old = m_state->pen ? m_state->pen : static_cast<CPen*>(GetStockObject(BLACK_PEN));
    if (!pen)
        return nullptr;
    m_state->pen = pen;
    m_state->penStyle = pen->IsCreated() ? pen->Style() : PS_SOLID;
    m_state->penWidth = pen->IsCreated() ? pen->Width() : 1;
    m_state->penColor = pen->IsCreated() ? pen->Color() : 0;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_state->brush ? m_state->brush : static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    if (!brush)
        return nullptr;
    m_state->brush = brush;
    m_state->brushHollow = !brush->IsCreated() || brush->IsHollow();
    m_state->brushColor = brush->Color();
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_state->font ? m_state->font : static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
    if (!font)
        return nullptr;
    m_state->font = font;
    m_state->qfont = std::make_shared<QFont>(font->GetQFont());
    font->GetLogFont(&m_state->logFont);
    return old;
}

HBITMAP CDC::SelectBitmap(HBITMAP bitmap)
{
    if (m_target->kind != Target::Memory)
        return nullptr;
    // A bitmap can be selected into one DC at a time.
    if (bitmap && bitmap->selectedIn && bitmap->selectedIn != this)
        return nullptr;
    HBITMAP old = m_state->bitmap;
    m_state->bitmap = bitmap;
    if (bitmap)
        bitmap->selectedIn = this;
    if (old && old != bitmap) {
        bool stillHeld = false;
        for (const State& s : m_saved)
            stillHeld = stillHeld || s.bitmap == old;
        if (!stillHeld)
            old->selectedIn = nullptr;
    }
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    if (m_target->kind != Target::Memory)
        return nullptr;
    HBITMAP h = bitmap ? bitmap->GetSafeHandle() : nullptr;
    if (h && h->selectedIn && h->selectedIn != this)
        return nullptr;
    return CBitmap::FromHandle(SelectBitmap(h));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    CGdiObject* obj = GetStockObject(index);
    if (auto* p = dynamic_cast<CPen*>(obj))
        return SelectObject(p);
    if (auto* b = dynamic_cast<CBrush*>(obj))
        return SelectObject(b);
    if (auto* f = dynamic_cast<CFont*>(obj))
        return SelectObject(f);
    return nullptr;
}

CPen* CDC::GetCurrentPen() const { return m_state->pen ? m_state->pen : static_cast<CPen*>(GetStockObject(BLACK_PEN)); }
CBrush* CDC::GetCurrentBrush() const
{
    return m_state->brush ? m_state->brush : static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
}
CFont* CDC::GetCurrentFont() const
{
    return m_state->font ? m_state->font : static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
}
CBitmap* CDC::GetCurrentBitmap() const { return CBitmap::FromHandle(m_state->bitmap); }

COLORREF CDC::SetTextColor(COLORREF color) { return std::exchange(m_state->text, color); }
COLORREF CDC::GetTextColor() const { return m_state->text; }
COLORREF CDC::SetBkColor(COLORREF color) { return std::exchange(m_state->bk, color); }
COLORREF CDC::GetBkColor() const { return m_state->bk; }
int CDC::SetBkMode(int mode) { return std::exchange(m_state->bkMode, mode); }
int CDC::GetBkMode() const { return m_state->bkMode; }
int CDC::SetROP2(int mode) { return std::exchange(m_state->rop2, mode); }
int CDC::GetROP2() const { return m_state->rop2; }
int CDC::SetPolyFillMode(int mode) { return std::exchange(m_state->polyFill, mode); }
int CDC::GetPolyFillMode() const { return m_state->polyFill; }
UINT CDC::SetTextAlign(UINT align) { return std::exchange(m_state->textAlign, align); }
UINT CDC::GetTextAlign() const { return m_state->textAlign; }
int CDC::SetStretchBltMode(int) { return 3; } // colour on colour: nearest pixels

// ---- Saved states ---------------------------------------------------------------------

int CDC::SaveDC()
{
    m_saved.push_back(*m_state);
    return int(m_saved.size());
}

BOOL CDC::RestoreDC(int saved)
{
    const int count = int(m_saved.size());
    const int level = saved < 0 ? count + saved + 1 : saved;
    if (level < 1 || level > count)
        return FALSE;
    std::set<HBITMAP> before;
    before.insert(m_state->bitmap);
    for (const State& s : m_saved)
        before.insert(s.bitmap);
    *m_state = m_saved[size_t(level - 1)];
    m_saved.resize(size_t(level - 1));
    std::set<HBITMAP> after;
    after.insert(m_state->bitmap);
    for (const State& s : m_saved)
        after.insert(s.bitmap);
    for (HBITMAP b : before)
        if (b && !after.count(b) && b->selectedIn == this)
            b->selectedIn = nullptr;
    return TRUE;
}

// ---- Mapping --------------------------------------------------------------------------

int CDC::SetMapMode(int mode)
{
    const int old = m_state->mapMode;
    m_state->mapMode = mode;
    if (mode == MM_TEXT) {
        m_state->windowExt = QSize(1, 1);
        m_state->viewportExt = QSize(1, 1);
    }
    return old;
}

int CDC::GetMapMode() const { return m_state->mapMode; }

CPoint CDC::SetWindowOrg(int x, int y)
{
    const QPoint old = std::exchange(m_state->windowOrg, QPoint(x, y));
    return CPoint(old.x(), old.y());
}

CPoint CDC::GetWindowOrg() const { return CPoint(m_state->windowOrg.x(), m_state->windowOrg.y()); }

CPoint CDC::SetViewportOrg(int x, int y)
{
    const QPoint old = std::exchange(m_state->viewportOrg, QPoint(x, y));
    return CPoint(old.x(), old.y());
}

CPoint CDC::GetViewportOrg() const { return CPoint(m_state->viewportOrg.x(), m_state->viewportOrg.y()); }

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    const QPoint old = m_state->viewportOrg;
    m_state->viewportOrg += QPoint(dx, dy);
    return CPoint(old.x(), old.y());
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    const QSize old = m_state->windowExt;
    // Extents count only in the scaled mapping modes.
    if ((m_state->mapMode == MM_ANISOTROPIC || m_state->mapMode == MM_ISOTROPIC) && cx && cy)
        m_state->windowExt = QSize(cx, cy);
    return CSize(old.width(), old.height());
}

CSize CDC::GetWindowExt() const { return CSize(m_state->windowExt.width(), m_state->windowExt.height()); }

CSize CDC::SetViewportExt(int cx, int cy)
{
    const QSize old = m_state->viewportExt;
    if ((m_state->mapMode == MM_ANISOTROPIC || m_state->mapMode == MM_ISOTROPIC) && cx && cy) {
        if (m_state->mapMode == MM_ISOTROPIC) {
            // Both axes keep the smaller scale.
            const double sx = double(cx) / m_state->windowExt.width();
            const double sy = double(cy) / m_state->windowExt.height();
            if (std::abs(sx) > std::abs(sy))
                cx = int(std::lround(std::abs(sy) * m_state->windowExt.width())) * (cx < 0 ? -1 : 1);
            else
                cy = int(std::lround(std::abs(sx) * m_state->windowExt.height())) * (cy < 0 ? -1 : 1);
        }
        m_state->viewportExt = QSize(cx, cy);
    }
    return CSize(old.width(), old.height());
}

CSize CDC::GetViewportExt() const { return CSize(m_state->viewportExt.width(), m_state->viewportExt.height()); }

QPoint CDC::toDevice(int x, int y) const
{
    const State& s = *m_state;
    const int dx = MulDiv(x - s.windowOrg.x(), s.viewportExt.width(), s.windowExt.width()) + s.viewportOrg.x();
    const int dy = MulDiv(y - s.windowOrg.y(), s.viewportExt.height(), s.windowExt.height()) + s.viewportOrg.y();
    return QPoint(dx, dy);
}

QRect CDC::toDevice(int l, int t, int r, int b) const
{
    const QPoint a = toDevice(l, t), c = toDevice(r, b);
    return QRect(QPoint(std::min(a.x(), c.x()), std::min(a.y(), c.y())),
                 QSize(std::abs(c.x() - a.x()), std::abs(c.y() - a.y())));
}

int CDC::toDeviceW(int w) const { return std::abs(MulDiv(w, m_state->viewportExt.width(), m_state->windowExt.width())); }
int CDC::toDeviceH(int h) const { return std::abs(MulDiv(h, m_state->viewportExt.height(), m_state->windowExt.height())); }

void CDC::LPtoDP(LPPOINT points, int count) const
{
    for (int i = 0; points && i < count; ++i) {
        const QPoint p = toDevice(points[i].x, points[i].y);
        points[i].x = p.x();
        points[i].y = p.y();
    }
}

void CDC::LPtoDP(LPRECT r) const { LPtoDP(reinterpret_cast<LPPOINT>(r), 2); }

void CDC::DPtoLP(LPPOINT points, int count) const
{
    const State& s = *m_state;
    for (int i = 0; points && i < count; ++i) {
        points[i].x = MulDiv(points[i].x - s.viewportOrg.x(), s.windowExt.width(), s.viewportExt.width()) + s.windowOrg.x();
        points[i].y = MulDiv(points[i].y - s.viewportOrg.y(), s.windowExt.height(), s.viewportExt.height()) + s.windowOrg.y();
    }
}

void CDC::DPtoLP(LPRECT r) const { DPtoLP(reinterpret_cast<LPPOINT>(r), 2); }

// ---- Pixels and clipping --------------------------------------------------------------

QRegion CDC::clipFor(const QRect& r) const
{
    const QImage* img = target();
    QRegion out(r.intersected(QRect(0, 0, img->width(), img->height())));
    if (m_state->clip)
        out &= *m_state->clip;
    return out;
}

bool CDC::visible(int x, int y) const
{
    const QImage* img = target();
    if (x < 0 || y < 0 || x >= img->width() || y >= img->height())
        return false;
    return !m_state->clip || m_state->clip->contains(QPoint(x, y));
}

void CDC::plot(int x, int y, unsigned int raw)
{
    if (m_target->info || !visible(x, y))
        return;
    QImage* img = target();
    const bool mono = IsMonochrome();
    if (mono)
        raw = MonoOf(raw) & 0x00ffffff;
    const uint32_t d = readRaw(*img, x, y);
    writeRaw(*img, x, y, rop2(m_state->rop2, raw, d) & 0x00ffffff, mono);
}

void CDC::fillDeviceRect(const QRect& r, COLORREF color, int mode)
{
    if (m_target->info || r.isEmpty())
        return;
    QImage* img = target();
    const bool mono = IsMonochrome();
    uint32_t raw = rawOf(color);
    if (mono)
        raw = MonoOf(raw) & 0x00ffffff;
    const bool alpha = keepsAlpha(*img);
    // What writeRaw stores for a value, worked out here once: fills cover many pixels.
    auto stored = [&](uint32_t v) {
        if (mono)
            v = MonoOf(v) & 0x00ffffff;
        return alpha ? v : (v | 0xff000000);
    };
    const uint32_t plain = stored(raw);
    for (const QRect& part : clipFor(r)) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            uint32_t* line = reinterpret_cast<uint32_t*>(img->scanLine(y)) + part.left();
            if (mode < 0) {
                std::fill_n(line, part.width(), plain);
                continue;
            }
            for (int i = 0; i < part.width(); ++i) {
                const uint32_t d = alpha ? line[i] : (line[i] & 0x00ffffff);
                line[i] = stored(rop2(mode, raw, d) & 0x00ffffff);
            }
        }
    }
}

void CDC::fillRegionDevice(const QRegion& r, COLORREF color)
{
    for (const QRect& part : r)
        fillDeviceRect(part, color, m_state->rop2);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (m_target->info)
        return COLORREF(-1);
    GUARD_TARGET();
    const QPoint p = toDevice(x, y);
    if (!visible(p.x(), p.y()))
        return COLORREF(-1);
    QImage* img = target();
    writeRaw(*img, p.x(), p.y(), rawOf(color), IsMonochrome());
    return colorOf(readRaw(*img, p.x(), p.y()));
}

COLORREF CDC::GetPixel(int x, int y) const
{
    if (m_target->info || m_target->kind == Target::Scratch)
        return COLORREF(-1);
    const_cast<CDC*>(this)->touchTarget();
    const QPoint p = toDevice(x, y);
    const QImage* img = target();
    if (p.x() < 0 || p.y() < 0 || p.x() >= img->width() || p.y() >= img->height())
        return COLORREF(-1);
    return colorOf(readRaw(*img, p.x(), p.y()));
}

int CDC::SelectClipRgn(CRgn* region) { return SelectClipRgn(region, RGN_COPY); }

int CDC::SelectClipRgn(CRgn* region, int mode)
{
    if (!region || !region->IsCreated()) {
        if (mode != RGN_COPY)
            return ERROR;
        m_state->clip.reset();
        return SIMPLEREGION;
    }
    const QImage* img = target();
    const QRegion whole(0, 0, img->width(), img->height());
    const QRegion current = m_state->clip ? *m_state->clip : whole;
    const QRegion& r = region->region();
    switch (mode) {
    case RGN_AND: m_state->clip = current & r; break;
    case RGN_OR: m_state->clip = current | r; break;
    case RGN_XOR: m_state->clip = current ^ r; break;
    case RGN_DIFF: m_state->clip = current - r; break;
    default: m_state->clip = r; break;
    }
    return win::RegionKind(*m_state->clip & whole);
}

int CDC::GetClipBox(LPRECT rect) const
{
    if (!rect)
        return ERROR;
    const QImage* img = target();
    QRegion r(0, 0, img->width(), img->height());
    if (m_state->clip)
        r &= *m_state->clip;
    const QRect b = r.boundingRect();
    RECT out{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    if (r.isEmpty())
        out = RECT{0, 0, 0, 0};
    DPtoLP(&out);
    *rect = out;
    return win::RegionKind(r);
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const QImage* img = target();
    const QRegion current = m_state->clip ? *m_state->clip : QRegion(0, 0, img->width(), img->height());
    m_state->clip = current & QRegion(toDevice(left, top, right, bottom));
    return win::RegionKind(*m_state->clip);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    const QImage* img = target();
    const QRegion current = m_state->clip ? *m_state->clip : QRegion(0, 0, img->width(), img->height());
    m_state->clip = current - QRegion(toDevice(left, top, right, bottom));
    return win::RegionKind(*m_state->clip);
}

BOOL CDC::PtVisible(int x, int y) const
{
    const QPoint p = toDevice(x, y);
    return visible(p.x(), p.y());
}

// ---- Filling --------------------------------------------------------------------------

void CDC::FillSolidRect(LPCRECT r, COLORREF color)
{
    GUARD_TARGET();
    fillDeviceRect(toDevice(r->left, r->top, r->right, r->bottom), color);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::FillRect(LPCRECT r, CBrush* brush)
{
    if (brush && brush->IsCreated() && !brush->IsHollow())
        FillSolidRect(r, brush->Color());
}

void CDC::FrameRect(LPCRECT r, CBrush* brush)
{
    if (!brush || !brush->IsCreated() || brush->IsHollow() || r->right <= r->left || r->bottom <= r->top)
        return;
    const COLORREF c = brush->Color();
    FillSolidRect(r->left, r->top, r->right - r->left, 1, c);
    FillSolidRect(r->left, r->bottom - 1, r->right - r->left, 1, c);
    FillSolidRect(r->left, r->top, 1, r->bottom - r->top, c);
    FillSolidRect(r->right - 1, r->top, 1, r->bottom - r->top, c);
}

void CDC::InvertRect(LPCRECT r)
{
    GUARD_TARGET();
    const int old = m_state->rop2;
    m_state->rop2 = R2_NOT;
    fillDeviceRect(toDevice(r->left, r->top, r->right, r->bottom), 0, R2_NOT);
    m_state->rop2 = old;
}

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, bottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, bottomRight);
}

void CDC::DrawFocusRect(LPCRECT r)
{
    if (m_target->info)
        return;
    GUARD_TARGET();
    // Every other pixel of the outline inverted: drawing it twice removes it.
    const QRect d = toDevice(r->left, r->top, r->right, r->bottom);
    if (d.isEmpty())
        return;
    QImage* img = target();
    const bool mono = IsMonochrome();
    auto flip = [&](int x, int y) {
        if (((x + y) & 1) == 0 && visible(x, y))
            writeRaw(*img, x, y, ~readRaw(*img, x, y) & 0x00ffffff, mono);
    };
    for (int x = d.left(); x <= d.right(); ++x) {
        flip(x, d.top());
        if (d.bottom() != d.top())
            flip(x, d.bottom());
    }
    for (int y = d.top() + 1; y < d.bottom(); ++y) {
        flip(d.left(), y);
        if (d.right() != d.left())
            flip(d.right(), y);
    }
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    if (!rect)
        return FALSE;
    CRect r(*rect);
    auto border = [&](COLORREF tl, COLORREF br) {
        if (flags & BF_TOP)
            FillSolidRect(r.left, r.top, r.Width(), 1, tl);
        if (flags & BF_LEFT)
            FillSolidRect(r.left, r.top, 1, r.Height(), tl);
        if (flags & BF_BOTTOM)
            FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, br);
        if (flags & BF_RIGHT)
            FillSolidRect(r.right - 1, r.top, 1, r.Height(), br);
        if (flags & BF_LEFT)
            ++r.left;
        if (flags & BF_TOP)
            ++r.top;
        if (flags & BF_RIGHT)
            --r.right;
        if (flags & BF_BOTTOM)
            --r.bottom;
    };
    if (edge & BDR_RAISEDOUTER)
        border(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    else if (edge & BDR_SUNKENOUTER)
        border(GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    if (edge & BDR_RAISEDINNER)
        border(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    else if (edge & BDR_SUNKENINNER)
        border(GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_3DLIGHT));
    if (flags & BF_MIDDLE)
        FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    if (flags & BF_ADJUST)
        *rect = r;
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    return blit(x, y, width, height, nullptr, 0, 0, width, height, rop, std::nullopt, nullptr);
}

BOOL CDC::GradientFill(const TRIVERTEX* v, ULONG count, const void* mesh, ULONG meshCount, ULONG mode)
{
    if (!v || !mesh || m_target->info || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
        return FALSE;
    GUARD_TARGET();
    const auto* rects = static_cast<const GRADIENT_RECT*>(mesh);
    for (ULONG m = 0; m < meshCount; ++m) {
        if (rects[m].UpperLeft >= count || rects[m].LowerRight >= count)
            return FALSE;
        const TRIVERTEX& a = v[rects[m].UpperLeft];
        const TRIVERTEX& b = v[rects[m].LowerRight];
        const QPoint pa = toDevice(a.x, a.y), pb = toDevice(b.x, b.y);
        const QRect r(QPoint(std::min(pa.x(), pb.x()), std::min(pa.y(), pb.y())),
                      QSize(std::abs(pb.x() - pa.x()), std::abs(pb.y() - pa.y())));
        if (r.isEmpty())
            continue;
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        const int length = horizontal ? r.width() : r.height();
        // The first vertex's colour sits at its own edge, whichever edge that is.
        const bool reversed = horizontal ? pa.x() > pb.x() : pa.y() > pb.y();
        for (int i = 0; i < length; ++i) {
            const int k = reversed ? length - 1 - i : i;
            auto mix = [&](WORD c0, WORD c1) { return ((c0 >> 8) * (length - k) + (c1 >> 8) * k) / length; };
            const COLORREF c = RGB(mix(a.Red, b.Red), mix(a.Green, b.Green), mix(a.Blue, b.Blue));
            if (horizontal)
                fillDeviceRect(QRect(r.left() + i, r.top(), 1, r.height()), c);
            else
                fillDeviceRect(QRect(r.left(), r.top() + i, r.width(), 1), c);
        }
    }
    return TRUE;
}

// ---- Lines and shapes -----------------------------------------------------------------

CPoint CDC::MoveTo(int x, int y) { return std::exchange(m_state->pos, CPoint(x, y)); }

CPoint CDC::GetCurrentPosition() const { return m_state->pos; }

void CDC::drawLineDevice(int x0, int y0, int x1, int y1, bool last, int& patternPos)
{
    const State& s = *m_state;
    const std::vector<int>& pattern = dashPattern(s.penStyle);
    int period = 0;
    for (int p : pattern)
        period += p;
    const uint32_t pen = rawOf(s.penColor);
    const uint32_t gap = rawOf(s.bk);
    auto put = [&](int x, int y) {
        if (period > 0) {
            int pos = patternPos % period;
            bool on = true;
            for (size_t i = 0; i < pattern.size(); ++i) {
                if (pos < pattern[i]) {
                    on = (i % 2) == 0;
                    break;
                }
                pos -= pattern[i];
            }
            ++patternPos;
            if (!on) {
                if (s.bkMode == OPAQUE)
                    plot(x, y, gap);
                return;
            }
        }
        plot(x, y, pen);
    };
    // Bresenham; the end point belongs to the next line.
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx - dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {
        put(x, y);
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
    if (last)
        put(x1, y1);
}

void CDC::paintWithPainter(const std::function<void(QPainter&)>& paint)
{
    if (m_target->info)
        return;
    QImage* img = target();
    QPainter p(img);
    if (m_state->clip)
        p.setClipRegion(*m_state->clip);
    paint(p);
}

void CDC::strokeDevice(const std::vector<QPoint>& pts, bool closed)
{
    const State& s = *m_state;
    if (s.penStyle == PS_NULL || pts.size() < 2)
        return;
    const int width = toDeviceW(s.penWidth);
    if (width > 1) {
        // Geometric pens: round ends and joins, centred on the path.
        paintWithPainter([&](QPainter& p) {
            QPen pen(qcolor(IsMonochrome() ? colorOf(MonoOf(rawOf(s.penColor))) : s.penColor), width);
            pen.setCapStyle(Qt::RoundCap);
            pen.setJoinStyle(Qt::RoundJoin);
            p.setPen(pen);
            QPolygon poly;
            for (const QPoint& q : pts)
                poly << q;
            if (closed)
                p.drawPolygon(poly);
            else
                p.drawPolyline(poly);
        });
        return;
    }
    int patternPos = 0;
    for (size_t i = 0; i + 1 < pts.size(); ++i)
        drawLineDevice(pts[i].x(), pts[i].y(), pts[i + 1].x(), pts[i + 1].y(), false, patternPos);
    if (closed)
        drawLineDevice(pts.back().x(), pts.back().y(), pts.front().x(), pts.front().y(), false, patternPos);
}

void CDC::fillPolygonDevice(const std::vector<QPoint>& pts, int fillMode)
{
    if (m_state->brushHollow || pts.size() < 3)
        return;
    QPolygon poly;
    for (const QPoint& q : pts)
        poly << q;
    fillRegionDevice(QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill), m_state->brushColor);
}

BOOL CDC::LineTo(int x, int y)
{
    GUARD_TARGET();
    const QPoint a = toDevice(m_state->pos.x, m_state->pos.y), b = toDevice(x, y);
    strokeDevice({a, b}, false);
    m_state->pos = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    GUARD_TARGET();
    std::vector<QPoint> pts;
    for (int i = 0; i < count; ++i)
        pts.push_back(toDevice(points[i].x, points[i].y));
    strokeDevice(pts, false);
    return TRUE;
}

BOOL CDC::Polygon(const POINT* points, int count)
{
    if (!points || count < 2)
        return FALSE;
    GUARD_TARGET();
    std::vector<QPoint> pts;
    for (int i = 0; i < count; ++i)
        pts.push_back(toDevice(points[i].x, points[i].y));
    fillPolygonDevice(pts, m_state->polyFill);
    strokeDevice(pts, true);
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    GUARD_TARGET();
    const QRect d = toDevice(left, top, right, bottom);
    if (d.isEmpty())
        return TRUE;
    if (m_state->penStyle == PS_NULL) {
        // Without a pen the filled area is one pixel smaller at the right and bottom.
        if (!m_state->brushHollow)
            fillDeviceRect(d.adjusted(0, 0, -1, -1), m_state->brushColor, m_state->rop2);
        return TRUE;
    }
    if (!m_state->brushHollow)
        fillDeviceRect(d.adjusted(1, 1, -1, -1), m_state->brushColor, m_state->rop2);
    const int l = d.left(), t = d.top(), r = d.right(), b = d.bottom();
    strokeDevice({QPoint(l, t), QPoint(r, t), QPoint(r, b), QPoint(l, b)}, true);
    return TRUE;
}

BOOL CDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    GUARD_TARGET();
    const QRect d = toDevice(left, top, right, bottom);
    const int ew = toDeviceW(width), eh = toDeviceH(height);
    const State& s = *m_state;
    paintWithPainter([&](QPainter& p) {
        if (s.penStyle == PS_NULL)
            p.setPen(Qt::NoPen);
        else
            p.setPen(QPen(qcolor(s.penColor), std::max(1, toDeviceW(s.penWidth))));
        p.setBrush(s.brushHollow ? QBrush(Qt::NoBrush) : QBrush(qcolor(s.brushColor)));
        p.drawRoundedRect(QRect(d.left(), d.top(), d.width() - 1, d.height() - 1), ew / 2.0, eh / 2.0);
    });
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    GUARD_TARGET();
    const QRect d = toDevice(left, top, right, bottom);
    const State& s = *m_state;
    paintWithPainter([&](QPainter& p) {
        if (s.penStyle == PS_NULL)
            p.setPen(Qt::NoPen);
        else
            p.setPen(QPen(qcolor(s.penColor), std::max(1, toDeviceW(s.penWidth))));
        p.setBrush(s.brushHollow ? QBrush(Qt::NoBrush) : QBrush(qcolor(s.brushColor)));
        p.drawEllipse(QRect(d.left(), d.top(), d.width() - 1, d.height() - 1));
    });
    return TRUE;
}

// ---- Regions --------------------------------------------------------------------------

namespace {
QRegion mapRegion(const QRegion& r, const std::function<QRect(const QRect&)>& map)
{
    QRegion out;
    for (const QRect& part : r)
        out += map(part);
    return out;
}
} // namespace

BOOL CDC::FillRgn(CRgn* region, CBrush* brush)
{
    if (!region || !region->IsCreated() || !brush || !brush->IsCreated() || brush->IsHollow())
        return FALSE;
    GUARD_TARGET();
    const QRegion d = mapRegion(region->region(), [this](const QRect& r) {
        return toDevice(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    });
    for (const QRect& part : d)
        fillDeviceRect(part, brush->Color());
    return TRUE;
}

BOOL CDC::PaintRgn(CRgn* region)
{
    if (m_state->brushHollow)
        return TRUE;
    CBrush b(m_state->brushColor);
    return FillRgn(region, &b);
}

BOOL CDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    if (!region || !region->IsCreated() || !brush || !brush->IsCreated() || brush->IsHollow())
        return FALSE;
    // The frame is the part of the region within width by height of its outside.
    const QRegion& r = region->region();
    QRegion inner = r;
    for (int i = 1; i <= std::max(width, 0); ++i)
        inner &= r.translated(i, 0) & r.translated(-i, 0);
    for (int i = 1; i <= std::max(height, 0); ++i)
        inner &= r.translated(0, i) & r.translated(0, -i);
    CRgn frame;
    frame.CreateRectRgn(0, 0, 0, 0);
    frame.setRegion(r - inner);
    return FillRgn(&frame, brush);
}

BOOL CDC::InvertRgn(CRgn* region)
{
    if (!region || !region->IsCreated())
        return FALSE;
    for (const QRect& part : region->region()) {
        const RECT r{part.left(), part.top(), part.left() + part.width(), part.top() + part.height()};
        InvertRect(&r);
    }
    return TRUE;
}

// ---- Capabilities ---------------------------------------------------------------------

int CDC::GetDeviceCaps(int index) const
{
    const win::DisplayMetrics m = win::CurrentDisplay();
    switch (index) {
    case TECHNOLOGY: return DT_RASDISPLAY;
    case LOGPIXELSX: return m.dpiX;
    case LOGPIXELSY: return m.dpiY;
    case HORZRES: return m.width;
    case VERTRES: return m.height;
    case HORZSIZE: return MulDiv(m.width, 254, m.dpiX * 10);
    case VERTSIZE: return MulDiv(m.height, 254, m.dpiY * 10);
    case BITSPIXEL: return IsMonochrome() ? 1 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case RASTERCAPS: return RC_BITBLT | RC_STRETCHBLT | RC_DI_BITMAP;
    case SIZEPALETTE: return 0;
    case COLORRES: return 24;
    default: return 0;
    }
}

// ---- Window DCs ----------------------------------------------------------------------

CPaintDC::CPaintDC(CWnd* wnd)
{
    QWidget* w = wnd ? wnd->widget() : nullptr;
    win::detail::PaintContext* ctx = win::detail::CurrentPaint();
    const QFont font = w ? w->font() : win::DialogFont("MS Shell Dlg", 8);
    if (w && ctx && ctx->widget == w) {
        m_ps.rcPaint = ctx->rect;
        BeginWidget(w, &font);
    } else {
        // Not in the window's paint message: nothing to paint.
        BeginScratch(&font);
    }
}

CPaintDC::~CPaintDC() { End(); }

CClientDC::CClientDC(CWnd* wnd)
{
    QWidget* w = wnd ? wnd->widget() : nullptr;
    const QFont font = w ? w->font() : win::DialogFont("MS Shell Dlg", 8);
    if (w)
        BeginClient(w, &font);
    else
        BeginScratch(&font);
}

CClientDC::~CClientDC() { End(); }
