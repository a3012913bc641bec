#include "platform/win/MessageBox.h"

#include <gtest/gtest.h>

namespace {

struct DefaultCase {
    UINT type;
    int expected;
};

TEST(MessageBox, HeadlessBoxAnswersWithItsDefaultButton)
{
    const DefaultCase cases[] = {
        {MB_OK, IDOK},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_OKCANCEL | MB_DEFBUTTON3, IDOK}, // no third button: the first
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageBox(nullptr, "text", "cap", c.type), c.expected) << c.type;
}

TEST(MessageBox, AnswererChoosesAndEveryBoxIsRecorded)
{
    win::ClearMessageBoxLog();
    win::SetMessageBoxAnswerer([](const win::MessageBoxRequest& r) -> std::optional<int> {
        if (r.text == "Delete?")
            return IDNO;
        return std::nullopt;
    });
    EXPECT_EQ(AfxMessageBox("Delete?", MB_YESNO), IDNO);
    EXPECT_EQ(AfxMessageBox("Other", MB_YESNO), IDYES);
    win::SetMessageBoxAnswerer({});

    ASSERT_EQ(win::MessageBoxLog().size(), 2u);
    EXPECT_EQ(win::MessageBoxLog()[0].caption, "Mirtal");
    EXPECT_EQ(win::MessageBoxLog()[1].text, "Other");
}

} // namespace
