// The label: what it takes from its template, the text it answers, how it
// aligns a block of lines, and the colours it paints in.
#include "ControlShots.h"
#include "controls/NewLabel.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

constexpr UINT kLabelDialog = 9721;

const char* kScript = R"rc(
9721 DIALOGEX 0, 0, 240, 170
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    LTEXT           "0:00", 1151, 5, 5, 200, 70
    CTEXT           "centred", 1152, 5, 80, 200, 20
    CONTROL         "right", 1153, "Static", SS_RIGHT | SS_CENTERIMAGE, 5, 105, 200, 20
    EDITTEXT        1154, 5, 130, 60, 14
END
)rc";

class LabelDialog : public CDialog {
public:
    LabelDialog() : CDialog(kLabelDialog) {}
    CNewLabel big, centred, right;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, 1151, big);
        DDX_Control(dx, 1152, centred);
        DDX_Control(dx, 1153, right);
    }
};

// The extent of the pixels that are not the background, one box per line of text.
std::vector<CRect> inkLines(const QImage& image, COLORREF back)
{
    std::vector<CRect> lines;
    std::optional<CRect> current;
    for (int y = 0; y < image.height(); ++y) {
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x)
            if (shots::at(image, x, y) != back) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        if (right < 0) {
            if (current)
                lines.push_back(*current);
            current.reset();
            continue;
        }
        if (!current)
            current = CRect(left, y, right + 1, y + 1);
        current->left = std::min<LONG>(current->left, left);
        current->right = std::max<LONG>(current->right, right + 1);
        current->bottom = y + 1;
    }
    if (current)
        lines.push_back(*current);
    return lines;
}

struct NewLabels : ::testing::Test {
    LabelDialog dlg;

    void SetUp() override
    {
        static const bool added = [] {
            win::AddResourceScript(kScript);
            return true;
        }();
        (void)added;
        ASSERT_TRUE(dlg.Create(kLabelDialog));
        dlg.ShowWindow(SW_SHOW);
        win::PumpMessages(10);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
};

TEST_F(NewLabels, TakeTheirTextAndAlignmentFromTheTemplate)
{
    EXPECT_EQ(dlg.big.GetText(), "0:00");
    EXPECT_TRUE(dlg.big.GetStyle() & SS_NOTIFY);
    dlg.centred.SetBkColor(RGB(255, 255, 255)).SetTextColor(RGB(0, 0, 0));
    dlg.right.SetBkColor(RGB(255, 255, 255)).SetTextColor(RGB(0, 0, 0));
    CRect client;
    dlg.right.GetClientRect(&client);

    const std::vector<CRect> centred = inkLines(shots::grab(dlg.centred), RGB(255, 255, 255));
    ASSERT_EQ(centred.size(), 1u);
    EXPECT_NEAR(centred[0].CenterPoint().x, client.Width() / 2, 3);
    EXPECT_LT(centred[0].top, client.Height() / 3) << "at the top";

    const std::vector<CRect> right = inkLines(shots::grab(dlg.right), RGB(255, 255, 255));
    ASSERT_EQ(right.size(), 1u);
    EXPECT_GE(right[0].right, client.right - 3);
    EXPECT_NEAR(right[0].CenterPoint().y, client.Height() / 2, 3) << "centred vertically";
}

TEST_F(NewLabels, AnswerTheirOwnTextAndNeverWritePastABuffer)
{
    CNewLabel& label = dlg.big;
    label.SetText("12:34");
    EXPECT_EQ(label.GetWindowText(), "12:34");
    label.SetWindowText("Break 5:00");
    EXPECT_EQ(label.GetText(), "Break 5:00") << "a text set from outside is the label's text";
    EXPECT_EQ(label.GetWindowText(), "Break 5:00");

    struct Case {
        WPARAM size;
        LRESULT copied;
        const char* expect;
    };
    const Case cases[] = {{0, 0, nullptr}, {1, 0, ""}, {4, 3, "Bre"}, {64, 10, "Break 5:00"}};
    for (const Case& c : cases) {
        char buffer[80];
        std::memset(buffer, 'X', sizeof buffer);
        EXPECT_EQ(label.SendMessage(WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buffer)), c.copied) << c.size;
        if (c.expect) {
            EXPECT_STREQ(buffer, c.expect) << c.size;
        } else {
            EXPECT_EQ(buffer[0], 'X') << "a buffer of no size gets nothing";
        }
    }
}

TEST_F(NewLabels, AlignEachLineWithinTheBlockAndTheBlockWithinTheLabel)
{
    CNewLabel& label = dlg.big;
    const COLORREF back = RGB(255, 255, 255);
    label.SetBkColor(back).SetTextColor(RGB(0, 0, 0)).SetFontSize(22).SetText("MM\n\nMMMMMM");
    CRect client;
    label.GetClientRect(&client);
    struct Case {
        int flags;
        int horizontal; // 0 left, 1 centred, 2 right
        int vertical;
    };
    const Case cases[] = {{CNewLabel::kLeft, 0, 0},
                          {CNewLabel::kCentre | CNewLabel::kVCentre, 1, 1},
                          {CNewLabel::kRight | CNewLabel::kBottom, 2, 2},
                          {CNewLabel::kLeft, 0, 0}}; // after centring both ways: back at left and top
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        label.SetAlignment(c.flags);
        const std::vector<CRect> lines = inkLines(shots::grab(label, "label-aligned"), back);
        ASSERT_EQ(lines.size(), 2u) << "an empty line is dropped";
        const CRect& shortLine = lines[0];
        const CRect& longLine = lines[1];
        switch (c.horizontal) {
        case 0:
            EXPECT_NEAR(shortLine.left, longLine.left, 2);
            EXPECT_LE(longLine.left, 3);
            break;
        case 1:
            EXPECT_NEAR(shortLine.CenterPoint().x, longLine.CenterPoint().x, 2);
            EXPECT_NEAR(longLine.CenterPoint().x, client.Width() / 2, 3);
            break;
        default:
            EXPECT_NEAR(shortLine.right, longLine.right, 2);
            EXPECT_GE(longLine.right, client.right - 4);
            break;
        }
        const int top = shortLine.top, bottom = longLine.bottom;
        if (c.vertical == 0) {
            EXPECT_LE(top, 8);
        } else if (c.vertical == 1) {
            EXPECT_NEAR((top + bottom) / 2, client.Height() / 2, 4);
        } else {
            EXPECT_GE(bottom, client.bottom - 8);
        }
    }

    // A text longer than the label is cut at its right edge, whatever the alignment.
    label.SetText("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");
    label.SetAlignment(CNewLabel::kRight);
    const std::vector<CRect> cut = inkLines(shots::grab(label), back);
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_LE(cut[0].left, 3) << "the text's beginning shows";
}

TEST_F(NewLabels, KeepTheirColoursAfterASystemColourChangeAndEmbossWhenDisabled)
{
    CNewLabel& label = dlg.big;
    label.SetFontSize(40).SetFontBold(TRUE).SetText("0:00");
    EXPECT_EQ(shots::at(shots::grab(label), 2, 2), GetSysColor(COLOR_BTNFACE)) << "no colour of its own yet";

    label.SetBkColor(RGB(20, 40, 60)).SetTextColor(RGB(250, 200, 0)).SetBorder(TRUE);
    label.SendMessage(WM_SYSCOLORCHANGE);
    dlg.SendMessage(WM_SYSCOLORCHANGE);
    const QImage shot = shots::grab(label, "label-colours");
    CRect client;
    label.GetClientRect(&client);
    EXPECT_EQ(shots::at(shot, 0, 0), GetSysColor(COLOR_WINDOWFRAME)) << "the border";
    EXPECT_EQ(shots::at(shot, client.right - 3, client.bottom - 3), RGB(20, 40, 60));
    EXPECT_GT(shots::count(shot, client, RGB(250, 200, 0)), 30);

    label.EnableWindow(FALSE);
    const QImage disabled = shots::grab(label, "label-disabled");
    EXPECT_EQ(shots::count(disabled, client, RGB(250, 200, 0)), 0);
    EXPECT_GT(shots::count(disabled, client, GetSysColor(COLOR_BTNSHADOW)), 30);
    EXPECT_GT(shots::count(disabled, client, GetSysColor(COLOR_BTNHIGHLIGHT)), 5);
    EXPECT_EQ(shots::at(disabled, client.right - 3, client.bottom - 3), RGB(20, 40, 60));
}

} // namespace
