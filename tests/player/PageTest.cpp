// The page itself: its kit controls, the settings it reads with their
// substitutions, the focus sink, and a picture of the page with a song playing.
#include "MusicPageFixture.h"

#include "controls/BitmapSlider.h"
#include "controls/NewLabel.h"
#include "controls/PeakMeterCtrl.h"
#include "controls/QuickList.h"

#include <QApplication>
#include <QImage>
#include <QWidget>

namespace {

using namespace musicpagetest;

class PageTest : public MusicPageTest {};

TEST_F(PageTest, TheControlsAreTheKitsAndStartWithTheirValues)
{
    g_defaultVolume = 80;
    start({{"general - digitalclock", "2"}, {"music - showlistboxnr", "true"}, {"music - singledeletequeue", "true"}});
    for (UINT id : {1009u, 1011u, 1012u})
        EXPECT_NE(dynamic_cast<CQuickList*>(CWnd::FromHandlePermanent(page->GetDlgItem(id)->m_hWnd)), nullptr) << id;
    for (UINT id : {1038u, 1039u, 1040u, 1041u})
        EXPECT_NE(dynamic_cast<CBitmapSlider*>(CWnd::FromHandlePermanent(page->GetDlgItem(id)->m_hWnd)), nullptr) << id;
    auto* meter = dynamic_cast<CPeakMeterCtrl*>(CWnd::FromHandlePermanent(page->GetDlgItem(1034)->m_hWnd));
    ASSERT_NE(meter, nullptr);
    EXPECT_EQ(meter->GetBandCount(), 1);
    EXPECT_EQ(meter->GetSegmentCount(), 10);
    auto* volume = dynamic_cast<CBitmapSlider*>(CWnd::FromHandlePermanent(page->GetDlgItem(1041)->m_hWnd));
    EXPECT_EQ(volume->GetPos(), 80);
    auto* title = dynamic_cast<CNewLabel*>(CWnd::FromHandlePermanent(page->GetDlgItem(1010)->m_hWnd));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->GetText(), "Welcome to Mirtal");
    EXPECT_FALSE(page->IsSongLoaded());
    EXPECT_FALSE(page->GetDlgItem(1036)->IsWindowVisible()) << "digital clock in 24-hour mode";
    EXPECT_TRUE(page->GetDlgItem(1131)->IsWindowVisible());
    EXPECT_FALSE(page->GetDlgItem(1061)->IsWindowVisible()) << "row counts hidden";
    EXPECT_TRUE(page->GetDlgItem(1269)->IsWindowVisible());
    EXPECT_FALSE(page->GetDlgItem(1270)->IsWindowVisible());
    EXPECT_FALSE(page->GetDlgItem(1243)->IsWindowVisible());
    EXPECT_EQ(page->GetDlgItem(1309)->SendMessage(BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(PageTest, GlobalEntriesOfTheSettingsAreSubstituted)
{
    start({{"music - colname2", "3"},
           {"music - colnameglobal", "1"},
           {"music - colsort1", "4"},
           {"music - colsortglobal", "2"},
           {"lyrics - searchfor3", "3"},
           {"lyrics - searchforglobal", "2"},
           {"lyrics - path1", ""},
           {"lyrics - path2", "Global"},
           {"lyrics - path3", "GLOBAL"},
           {"lyrics - pathglobal", "/lyrics"},
           {"music - trackdatetime", "true"},
           {"music - commentactive", "false"},
           {"music - tempoprocent", "true"},
           {"music - bothtempovalues", "true"},
           {"music - listboxsortdesc3", "true"}});
    const Mp3PageSettings& s = page->Settings();
    EXPECT_EQ(s.namingMode[1], 1);
    EXPECT_EQ(s.sortColumn[0], 2);
    EXPECT_EQ(s.lyricsSearchFor[2], 2);
    EXPECT_EQ(s.lyricsPath[0], "/lyrics");
    EXPECT_EQ(s.lyricsPath[1], "/lyrics");
    EXPECT_EQ(s.lyricsPath[2], "GLOBAL");
    EXPECT_EQ(s.commentActive, 1);
    EXPECT_EQ(s.bothTempoValues, 0);
    EXPECT_EQ(s.sortDescending[0] + s.sortDescending[1], 0);
    EXPECT_EQ(s.sortDescending[2], 1);
    EXPECT_EQ(page->IsLyricsSearchOn(0), 0);
    EXPECT_EQ(page->IsLyricsSearchOn(4), 0);
}

TEST_F(PageTest, EscEnterAndTypingLeaveThePageWithAnEmptySink)
{
    start();
    CWnd* sink = page->GetDlgItem(1004);
    sink->SetWindowText("abc");
    EXPECT_EQ(sink->GetWindowText(), "");
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(1096, BN_CLICKED), 0);
    EXPECT_TRUE(::IsWindow(page->m_hWnd));
    EXPECT_TRUE(page->IsWindowVisible());
    NMHDR hdr{page->GetDlgItem(1009)->m_hWnd, 1009, NM_RDBLCLK};
    page->SendMessage(WM_NOTIFY, 1009, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(page->IsSongLoaded()) << "a right double click opens nothing";
}

TEST_F(PageTest, PictureOfThePageWithASongPlaying)
{
    start({{"music - autostart", "false"}});
    rows(1, {wav("Red Boots - Hoedown.wav", 30), wav("Blue Moon - Singing call.wav", 30)});
    page->OpenListRow(1, 0);
    page->Play();
    pollAt(12);
    QApplication::processEvents();
    const QImage shot = page->widget()->grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const char* keep = std::getenv("MIRTAL_SCREENSHOT_DIR");
    const std::string path = keep ? std::string(keep) + "/music-page.png" : dir.file("music-page.png");
    EXPECT_TRUE(shot.save(QString::fromStdString(path)));
    EXPECT_EQ(page->GetDlgItem(1010)->GetWindowText(), "Red Boots - Hoedown");
}

} // namespace

namespace {

using namespace musicpagetest;

class DisplayNoticeTest : public MusicPageTest {};

// On a large layout the display-scale notice opens once, shortly after the start.
TEST_F(DisplayNoticeTest, TheLargeLayoutShowsTheNoticeOnceUnlessSwitchedOff)
{
    std::vector<UINT> shown;
    win::SetMessageBoxAnswerer([&](const win::MessageBoxRequest& q) -> std::optional<int> {
        if (q.kind == win::DialogKind::Dialog)
            shown.push_back(q.dialogId);
        return IDOK;
    });
    g_largeLayout = 1;
    start({{"general - dpimsg", "false"}});
    ASSERT_TRUE(page->IsTimerArmed(kTimerDpiNotice));
    EXPECT_EQ(page->TimerPeriod(kTimerDpiNotice), 400u);
    page->Tick(kTimerDpiNotice);
    page->Tick(kTimerDpiNotice);
    EXPECT_EQ(shown, std::vector<UINT>{404});
    page->DestroyWindow();
    start({{"general - dpimsg", "true"}});
    EXPECT_FALSE(page->IsTimerArmed(kTimerDpiNotice));
    g_largeLayout = 0;
}

} // namespace
