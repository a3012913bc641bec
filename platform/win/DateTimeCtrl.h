#pragma once
// The date-time picker ("SysDateTimePick32"): a date (or with DTS_TIMEFORMAT a
// time) field with a calendar drop-down. What the user changes reaches the
// parent as DTN_DATETIMECHANGE; the program's own SetTime does not report.
// Times are local; std::time_t overloads convert through the local calendar.
#include "platform/win/Wnd.h"

#include <ctime>

constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
constexpr DWORD DTS_TIMEFORMAT = 0x0009;

constexpr UINT DTM_GETSYSTEMTIME = 0x1001;
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_ERROR = DWORD(-1);
constexpr UINT DTN_DATETIMECHANGE = UINT(0u - 759u);

struct SYSTEMTIME {
    WORD wYear = 1601;
    WORD wMonth = 1;
    WORD wDayOfWeek = 0;
    WORD wDay = 1;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};

struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags = GDT_VALID;
    SYSTEMTIME st;
};

class CDateTimeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL SetTime(const SYSTEMTIME& time);
    BOOL SetTime(std::time_t time);
    DWORD GetTime(SYSTEMTIME& time) const;
    DWORD GetTime(std::time_t& time) const;

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
