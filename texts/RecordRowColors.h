#pragma once
// The record lists (record picker, record search) paint every other row in
// the dialog colour with dark ink, so long catalogues stay readable.
#include "controls/QuickList.h"
#include "store/AppGlobals.h"

inline void PaintRecordRow(ListCellData& cell)
{
    if (cell.item % 2 != 0)
        return;
    cell.textColor = RGB(10, 5, 20);
    cell.backColor = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    cell.hotTextColor = RGB(170, 10, 150);
    cell.selTextColor = RGB(240, 200, 128);
    cell.selBackColor = RGB(30, 0, 96);
    cell.selBackColorNoFocus = RGB(20, 20, 120);
}
