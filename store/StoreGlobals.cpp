#include "store/StoreGlobals.h"

std::string g_baseFolder;
BYTE g_logEnabled = 1;
int g_listDefFormatHtml = 0;
