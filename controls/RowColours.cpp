#include "controls/RowColours.h"

#include "store/AppGlobals.h"

void StripeRow(ListCellData& cell, bool allRows)
{
    if (cell.GetItem() % 2 != 0 && !allRows)
        return;
    cell.textColor = RGB(10, 5, 20);
    cell.backColor = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    cell.hotTextColor = RGB(170, 10, 150);
    cell.selTextColor = RGB(240, 200, 128);
    cell.selBackColor = RGB(30, 0, 96);
    cell.selBackColorNoFocus = RGB(20, 20, 120);
}
