#pragma once
// The tab control with one member of every style, ready to be installed.
#include "controls/TabCtrlStyleFamilies.h"

class TabCtrlComplex : public TabCtrl {
public:
    TabCtrlComplex() = default;
    ~TabCtrlComplex() override;

    TabCtrlStyle_base styleBase;
    TabCtrlStyle_VS2003_client styleVS2003_client;
    TabCtrlStyle_VS2003_client_custom1 styleVS2003_client_custom1;
    TabCtrlStyle_VS2003_bars styleVS2003_bars;
    TabCtrlStyle_VS2003_bars_custom1 styleVS2003_bars_custom1;
    TabCtrlStyle_VS2008_client_classic styleVS2008_client_classic;
    TabCtrlStyle_VS2008_client_blue styleVS2008_client_blue;
    TabCtrlStyle_VS2008_client_silver styleVS2008_client_silver;
    TabCtrlStyle_VS2008_client_olive styleVS2008_client_olive;
    TabCtrlStyle_VS2008_bars_classic styleVS2008_bars_classic;
    TabCtrlStyle_VS2008_bars_classic_custom1 styleVS2008_bars_classic_custom1;
    TabCtrlStyle_VS2008_bars_blue styleVS2008_bars_blue;
    TabCtrlStyle_VS2008_bars_blue_custom1 styleVS2008_bars_blue_custom1;
    TabCtrlStyle_VS2008_bars_silver styleVS2008_bars_silver;
    TabCtrlStyle_VS2008_bars_silver_custom1 styleVS2008_bars_silver_custom1;
    TabCtrlStyle_VS2008_bars_olive styleVS2008_bars_olive;
    TabCtrlStyle_VS2008_bars_olive_custom1 styleVS2008_bars_olive_custom1;
    TabCtrlStyle_VS2010_client styleVS2010_client;
    TabCtrlStyle_VS2010_client_custom1 styleVS2010_client_custom1;
    TabCtrlStyle_VS2010_client_custom2 styleVS2010_client_custom2;
    TabCtrlStyle_VS2010_bars styleVS2010_bars;
};
