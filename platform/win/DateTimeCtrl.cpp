#include "platform/win/DateTimeCtrl.h"

#include "platform/win/WidgetGlue.h"

#include <QDateTimeEdit>

using namespace win::detail;

namespace {

QDateTimeEdit* picker(const CWnd* w) { return qobject_cast<QDateTimeEdit*>(w->widget()); }

SYSTEMTIME toSystemTime(const QDateTime& t)
{
    SYSTEMTIME st;
    st.wYear = WORD(t.date().year());
    st.wMonth = WORD(t.date().month());
    st.wDay = WORD(t.date().day());
    st.wDayOfWeek = WORD(t.date().dayOfWeek() % 7); // Sunday is 0
    st.wHour = WORD(t.time().hour());
    st.wMinute = WORD(t.time().minute());
    st.wSecond = WORD(t.time().second());
    st.wMilliseconds = WORD(t.time().msec());
    return st;
}

QDateTime fromSystemTime(const SYSTEMTIME& st)
{
    return QDateTime(QDate(st.wYear, st.wMonth, st.wDay), QTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds));
}

} // namespace

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CreateEx(0, "SysDateTimePick32", "", style, rect, parent, id);
}

QWidget* CDateTimeCtrl::CreateWidget(QWidget* parent, DWORD style)
{
    auto* p = new Widget<QDateTimeEdit>(parent);
    const bool time = (style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT;
    const QLocale locale;
    p->setDisplayFormat(time ? locale.timeFormat(QLocale::ShortFormat)
                             : locale.dateFormat((style & DTS_LONGDATEFORMAT) ? QLocale::LongFormat : QLocale::ShortFormat));
    p->setCalendarPopup(!time && !(style & DTS_UPDOWN));
    {
        const QSignalBlocker quiet(p);
        p->setDateTime(QDateTime::currentDateTime());
    }
    QObject::connect(p, &QDateTimeEdit::dateTimeChanged, [p](const QDateTime& t) {
        CWnd* self = CWnd::FromHandle(HandleOfWidget(p));
        CWnd* parentWnd = self ? self->GetParent() : nullptr;
        if (!parentWnd)
            return;
        Guarded(self->m_hWnd, WM_NOTIFY, [&] {
            NMDATETIMECHANGE nm;
            nm.nmhdr.hwndFrom = self->m_hWnd;
            nm.nmhdr.idFrom = UINT_PTR(self->GetDlgCtrlID());
            nm.nmhdr.code = DTN_DATETIMECHANGE;
            nm.st = toSystemTime(t);
            parentWnd->SendMessage(WM_NOTIFY, nm.nmhdr.idFrom, reinterpret_cast<LPARAM>(&nm.nmhdr));
        });
    });
    ApplyFocusPolicy(p, style, Qt::ClickFocus);
    return p;
}

bool CDateTimeCtrl::AcceptsWidget(const QWidget* w) const { return qobject_cast<const QDateTimeEdit*>(w) != nullptr; }

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME& time)
{
    return BOOL(SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time)));
}

BOOL CDateTimeCtrl::SetTime(std::time_t time)
{
    return SetTime(toSystemTime(QDateTime::fromSecsSinceEpoch(qint64(time))));
}

DWORD CDateTimeCtrl::GetTime(SYSTEMTIME& time) const
{
    return DWORD(const_cast<CDateTimeCtrl*>(this)->SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)));
}

DWORD CDateTimeCtrl::GetTime(std::time_t& time) const
{
    SYSTEMTIME st;
    const DWORD r = GetTime(st);
    if (r == GDT_VALID)
        time = std::time_t(fromSystemTime(st).toSecsSinceEpoch());
    return r;
}

LRESULT CDateTimeCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    QDateTimeEdit* p = picker(this);
    if (!p)
        return CWnd::DefWindowProc(message, wParam, lParam);
    switch (message) {
    case DTM_SETSYSTEMTIME: {
        const auto* st = reinterpret_cast<const SYSTEMTIME*>(lParam);
        const QDateTime t = st ? fromSystemTime(*st) : QDateTime();
        if (wParam != GDT_VALID || !t.isValid())
            return FALSE;
        const QSignalBlocker quiet(p);
        p->setDateTime(t);
        return TRUE;
    }
    case DTM_GETSYSTEMTIME:
        if (!lParam)
            return LRESULT(GDT_ERROR);
        *reinterpret_cast<SYSTEMTIME*>(lParam) = toSystemTime(p->dateTime());
        return GDT_VALID;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}
