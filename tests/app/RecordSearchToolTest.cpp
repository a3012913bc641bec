// The record search opened from the main window: its "vapkern" keyword opens
// a text-case tool beside it each time, and the tools go with the window.
#include "ServicesFixture.h"

#include "app/MyTool.h"
#include "app/ToolWindow.h"
#include "texts/SqRecord.h"

namespace {

class RecordSearchTool : public servicestest::ServicesTest {};

TEST_F(RecordSearchTool, VapkernOpensATextCaseToolEachTime)
{
    start();
    dlg->ToggleToolWindow(32846);
    CSqRecord* search = dlg->m_recordDb.Get();
    ASSERT_NE(search, nullptr);
    const int before = toolwin::LiveCount();
    search->GetDlgItem(1067)->SetWindowText("vapkern");
    for (int i = 0; i < 2; ++i)
        search->SendMessage(WM_COMMAND, MAKEWPARAM(1117, BN_CLICKED), LPARAM(search->GetDlgItem(1117)->m_hWnd));
    EXPECT_EQ(toolwin::LiveCount(), before + 2);
    search->SendMessage(WM_CLOSE, 0, 0);
    EXPECT_FALSE(dlg->m_recordDb);
    win::PumpMessages(20);
    toolwin::FreePending();
    EXPECT_EQ(toolwin::LiveCount(), before - 1) << "the search window and its tools are gone";
}

} // namespace
