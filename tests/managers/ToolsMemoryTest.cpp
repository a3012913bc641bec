// The memory manager: the order it shows, deleting, editing and saving a list file.
#include "ManagersFixture.h"
#include "managers/ToolsMemory.h"

#include <QImage>
#include <QWidget>
#include <filesystem>

namespace {

class ToolsMemoryTest : public managerstest::ManagersTest {
protected:
    CToolsMemory* open()
    {
        page = std::make_unique<CToolsMemory>();
        EXPECT_TRUE(page->Create(CToolsMemory::IDD, nullptr));
        page->ShowWindow(SW_SHOW);
        win::PumpMessages(10);
        return page.get();
    }
    void TearDown() override
    {
        if (page && page->m_hWnd)
            page->DestroyWindow();
        page.reset();
        ManagersTest::TearDown();
    }
    CQuickList& list() { return *static_cast<CQuickList*>(page->GetDlgItem(1009)); }
    void click(int id) { page->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    std::unique_ptr<CToolsMemory> page;
};

using Paths = std::vector<std::string>;

TEST_F(ToolsMemoryTest, OpensAscendingAndHeaderClicksAlternate)
{
    for (const char* p : {"C", "A", "B"})
        exec(std::string("INSERT INTO memory VALUES ('") + p + "');");
    open();
    EXPECT_EQ(page->Paths(), (Paths{"A", "B", "C"}));
    EXPECT_EQ(list().GetItemCount(), 3);
    page->SortRows(0);
    EXPECT_EQ(page->Paths(), (Paths{"C", "B", "A"}));
    page->SortRows(0);
    EXPECT_EQ(page->Paths(), (Paths{"A", "B", "C"}));
    page->SortRows(1); // no such column: nothing
    EXPECT_EQ(page->Paths(), (Paths{"A", "B", "C"}));

    // The main window's reload shows the table's order.
    page->ReloadList();
    EXPECT_EQ(page->Paths(), (Paths{"C", "A", "B"}));
}

TEST_F(ToolsMemoryTest, DeletingKeepsTheOrderTheListHad)
{
    for (const char* p : {"C", "A", "B"})
        exec(std::string("INSERT INTO memory VALUES ('") + p + "');");
    open();
    list().SetSelectionMark(1); // B
    click(1183);
    EXPECT_EQ(page->Paths(), (Paths{"A", "C"}));
    EXPECT_EQ(query("SELECT * FROM memory ORDER BY 1;"), "A|C|");

    exec("INSERT INTO memory VALUES ('B');");
    page->ReloadList();
    page->SortRows(0); // the next sort is descending: C, B, A
    ASSERT_EQ(page->Paths(), (Paths{"C", "B", "A"}));
    list().SetSelectionMark(1);
    click(1183);
    EXPECT_EQ(page->Paths(), (Paths{"C", "A"}));
}

TEST_F(ToolsMemoryTest, EditSendsTheMarkedPathAndSaveWritesTheListShown)
{
    exec("INSERT INTO memory VALUES ('/c/Bob[\xC2\xA4]s.htm');");
    exec("INSERT INTO memory VALUES ('[choreotable]plus[choreoname]x_1[choreotype]');");
    exec("INSERT INTO memory VALUES ('/c/a.htm');");
    open();
    ASSERT_EQ(page->Paths(), (Paths{"/c/Bob's.htm", "/c/a.htm", "[choreotable]plus[choreoname]x_1[choreotype]"}));

    g_htmlPath = "old";
    click(1189);
    EXPECT_EQ(g_htmlPath, "");
    EXPECT_EQ(mainWnd.codes.back(), UINT(CMD_EDIT_HTML));
    list().SetSelectionMark(0);
    click(1189);
    EXPECT_EQ(g_htmlPath, "/c/Bob's.htm");

    const std::string out = dir.file("memory.ini");
    win::SetFileDialogAnswerer([&](const win::FileDialogRequest& r) -> std::optional<std::vector<std::string>> {
        EXPECT_FALSE(r.open);
        return std::vector<std::string>{out};
    });
    click(1200);
    EXPECT_EQ(testsupport::readFile(out),
              "/c/Bob's.htm\r\n/c/a.htm\r\n[choreotable]plus[choreoname]x_1[choreotype]\r\n");

    win::SetFileDialogAnswerer([&](const win::FileDialogRequest&) -> std::optional<std::vector<std::string>> {
        return std::vector<std::string>{dir.file("no/folder/x.ini")};
    });
    click(1200);
    EXPECT_EQ(boxes, (std::vector<std::string>{"Unable To Open The File!"}));
}

TEST_F(ToolsMemoryTest, LayoutAndClosingReportToTheMainWindow)
{
    exec("INSERT INTO memory VALUES ('/c/Mixer 1.htm');");
    exec("INSERT INTO memory VALUES ('[choreotable]plus[choreoname]x_1[choreotype]');");
    open();
    page->SetWindowPos(nullptr, 0, 0, 600, 400, SWP_NOZORDER | SWP_NOMOVE);
    win::PumpMessages(20);
    CRect client, placed;
    page->GetClientRect(client);
    list().GetWindowRect(placed);
    page->ScreenToClient(placed);
    EXPECT_EQ(placed, CRect(10, 70, client.Width() - 10, client.Height() - 10));
    EXPECT_EQ(list().GetColumnWidth(0), client.Width() - 42);
    const QImage shot = page->frameWidget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    if (const char* out = std::getenv("MIRTAL_SCREENSHOT_DIR"))
        shot.save(QString::fromStdString((std::filesystem::path(out) / "memory-manager.png").string()));

    page->SendMessage(WM_CLOSE);
    EXPECT_EQ(mainWnd.codes, (std::vector<UINT>{CMD_MEMORY_CLOSED}));
}

} // namespace
