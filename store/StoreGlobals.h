#pragma once
// Shared globals owned by the data store.
#include "platform/win/WinTypes.h"

#include <string>

// The data folder: the working directory at start. Every database file and the log live here.
extern std::string g_baseFolder;
// While set, MyFunctions::WriteLog writes its records to "mirtal.log".
extern BYTE g_logEnabled;
// 1: the list and definition documents are the HTML ones, 0: the PDF ones ("general - listdefformat").
extern int g_listDefFormatHtml;
