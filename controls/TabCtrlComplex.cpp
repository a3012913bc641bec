#include "controls/TabCtrlComplex.h"

TabCtrlComplex::~TabCtrlComplex()
{
    // The window goes while the styles it may still paint with exist.
    if (m_hWnd)
        DestroyWindow();
}
