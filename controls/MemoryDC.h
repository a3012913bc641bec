#pragma once
// An off-screen device context over a rectangle of another DC: drawing goes
// into a bitmap of the rectangle's size, in the target's coordinates, and the
// whole picture is copied to the target in one step when the object ends, so
// owner-drawn controls do not flicker.
#include "platform/win/Dc.h"

class CMemoryDC : public CDC {
public:
    // rect null: the target's clip box. copyBackground: start from the
    // target's pixels under the rectangle, else from its background colour.
    explicit CMemoryDC(CDC* target, const CRect* rect = nullptr, bool copyBackground = false);
    ~CMemoryDC() override;
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    CMemoryDC* operator->() { return this; }
    operator CMemoryDC*() { return this; }
    const CRect& Rect() const { return m_rect; }

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_target;
    CRect m_rect;
    bool m_memDC;
};
