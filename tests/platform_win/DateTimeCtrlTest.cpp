// The date-time picker: the program's time kept to the second and never
// reported, the user's change reported as DTN_DATETIMECHANGE with the new date.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr UINT kDialog = 9174;

const char* kScript = R"rc(
9174 DIALOGEX 0, 0, 200, 60
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    CONTROL         "", 1311, "SysDateTimePick32", WS_TABSTOP, 10, 10, 80, 14
END
)rc";

class DateDialog : public CDialog {
public:
    DateDialog() : CDialog(kDialog) {}
    std::vector<SYSTEMTIME> changes;

protected:
    DECLARE_MESSAGE_MAP()
    void OnChange(NMHDR* h, LRESULT*) { changes.push_back(reinterpret_cast<NMDATETIMECHANGE*>(h)->st); }
};

BEGIN_MESSAGE_MAP(DateDialog, CDialog)
    ON_NOTIFY(DTN_DATETIMECHANGE, 1311, OnChange)
END_MESSAGE_MAP()

TEST(DateTimePicker, KeepsTheProgramsTimeSilentlyAndReportsTheUsersChange)
{
    static const bool done = [] {
        win::AddResourceScript(kScript);
        return true;
    }();
    (void)done;
    DateDialog dlg;
    ASSERT_TRUE(dlg.Create(kDialog));
    auto* picker = dynamic_cast<CDateTimeCtrl*>(dlg.GetDlgItem(1311));
    ASSERT_NE(picker, nullptr);

    std::tm local{};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 4;
    local.tm_mday = 1;
    local.tm_hour = 19;
    local.tm_min = 30;
    local.tm_sec = 5;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    ASSERT_TRUE(picker->SetTime(when));
    std::time_t back = 0;
    EXPECT_EQ(picker->GetTime(back), GDT_VALID);
    EXPECT_EQ(back, when);
    SYSTEMTIME st;
    picker->GetTime(st);
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 5);
    EXPECT_EQ(st.wDay, 1);
    EXPECT_EQ(st.wDayOfWeek, 3); // a Wednesday
    EXPECT_TRUE(dlg.changes.empty());

    // The user steps the day with the Up key.
    auto* edit = qobject_cast<QDateTimeEdit*>(picker->widget());
    ASSERT_NE(edit, nullptr);
    edit->setCurrentSection(QDateTimeEdit::DaySection);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(edit, &up);
    ASSERT_EQ(dlg.changes.size(), 1u);
    EXPECT_EQ(dlg.changes[0].wDay, 2);
    picker->GetTime(st);
    EXPECT_EQ(st.wDay, 2);
    dlg.DestroyWindow();
}

} // namespace
