// Control kinds as window classes: each template control gets the object of
// its class; text and check state go through the window procedure, so an
// owner-drawn subclass can answer them itself; data exchange insists on the
// class it needs; trackbars report to their parent.
#include "platform/win/ControlClass.h"
#include "platform/win/Controls.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Dialog.h"
#include "platform/win/Resources.h"

#include <QSlider>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

constexpr UINT kKindsDialog = 9101;

const char* kScript = R"rc(
9101 DIALOGEX 0, 0, 200, 150
STYLE DS_SETFONT | WS_POPUP | WS_CAPTION
FONT 8, "MS Shell Dlg"
BEGIN
    EDITTEXT        1001, 10, 10, 60, 14, ES_AUTOHSCROLL
    AUTOCHECKBOX    "Check", 1002, 10, 30, 60, 10
    LTEXT           "Label", 1003, 10, 45, 60, 8
    COMBOBOX        1004, 10, 60, 60, 50, CBS_DROPDOWNLIST | WS_TABSTOP
    LISTBOX         1005, 80, 10, 60, 40, LBS_NOTIFY
    CONTROL         "", 1006, "msctls_trackbar32", WS_TABSTOP, 80, 60, 60, 14
    CONTROL         "", 1007, "msctls_progress32", 0, 80, 80, 60, 10
    CONTROL         "", 1008, "MirtalOwnDrawn", 0, 80, 95, 60, 10
    AUTORADIOBUTTON "One", 1009, 10, 100, 40, 10, WS_GROUP
    AUTORADIOBUTTON "Two", 1010, 10, 112, 40, 10
    DEFPUSHBUTTON   "OK", IDOK, 140, 130, 50, 14
END
)rc";

void registerTemplates()
{
    static const bool done = [] {
        win::AddResourceScript(kScript);
        return true;
    }();
    (void)done;
}

// A label that draws its text itself: it keeps the text in upper case and
// never hands it to the static control underneath.
class OwnerLabel : public CStatic {
public:
    std::string own;

    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SETTEXT:
            own = reinterpret_cast<const char*>(lParam);
            for (char& c : own)
                c = char(std::toupper(static_cast<unsigned char>(c)));
            return TRUE;
        case WM_GETTEXTLENGTH: return LRESULT(own.size());
        case WM_GETTEXT: {
            const size_t n = std::min(own.size(), size_t(wParam) - 1);
            own.copy(reinterpret_cast<char*>(lParam), n);
            reinterpret_cast<char*>(lParam)[n] = '\0';
            return LRESULT(n);
        }
        default: return CStatic::DefWindowProc(message, wParam, lParam);
        }
    }
};

// A check box drawn by its owner with a state of its own (0, 1, 2 in turn).
class OwnerCheck : public CButton {
public:
    int state = 0;

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT OnGetCheck(WPARAM, LPARAM) { return state; }
    LRESULT OnSetCheck(WPARAM check, LPARAM)
    {
        state = int(check);
        return 0;
    }
};

BEGIN_MESSAGE_MAP(OwnerCheck, CButton)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
END_MESSAGE_MAP()

class KindsDialog : public CDialog {
public:
    KindsDialog() : CDialog(kKindsDialog) {}
    std::function<void(CDataExchange*)> exchange;
    std::vector<std::string> scrolls;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        if (exchange)
            exchange(dx);
    }
    DECLARE_MESSAGE_MAP()
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar)
    {
        scrolls.push_back(std::to_string(code) + "@" + std::to_string(pos) +
                          (bar && bar->GetDlgCtrlID() == 1006 ? " from 1006" : " from ?"));
    }
};

BEGIN_MESSAGE_MAP(KindsDialog, CDialog)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

class ControlClasses : public ::testing::Test {
protected:
    void SetUp() override { registerTemplates(); }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }
    KindsDialog dlg;
};

TEST_F(ControlClasses, EachTemplateControlIsAnObjectOfItsClass)
{
    ASSERT_TRUE(dlg.Create(kKindsDialog));
    EXPECT_NE(dynamic_cast<CEdit*>(dlg.GetDlgItem(1001)), nullptr);
    EXPECT_NE(dynamic_cast<CButton*>(dlg.GetDlgItem(1002)), nullptr);
    EXPECT_NE(dynamic_cast<CStatic*>(dlg.GetDlgItem(1003)), nullptr);
    EXPECT_NE(dynamic_cast<CComboBox*>(dlg.GetDlgItem(1004)), nullptr);
    EXPECT_NE(dynamic_cast<CListBox*>(dlg.GetDlgItem(1005)), nullptr);
    EXPECT_NE(dynamic_cast<CSliderCtrl*>(dlg.GetDlgItem(1006)), nullptr);
    EXPECT_NE(dynamic_cast<CProgressCtrl*>(dlg.GetDlgItem(1007)), nullptr);
    CWnd* own = dlg.GetDlgItem(1008);
    ASSERT_NE(own, nullptr) << "a class nobody registered still gets a window";
    EXPECT_EQ(dynamic_cast<CStatic*>(own), nullptr);

    // Names are found whatever their case; a name registered twice is a mistake.
    ASSERT_NE(win::FindControlClass("BUTTON"), nullptr);
    EXPECT_EQ(win::FindControlClass("nothing"), nullptr);
    EXPECT_THROW(win::RegisterControlClass<CButton>("button"), std::logic_error);
}

TEST_F(ControlClasses, AnOwnerDrawnSubclassAnswersTextAndCheckThroughItsWindowProcedure)
{
    OwnerLabel label;
    OwnerCheck check;
    std::string text = "set by exchange";
    int checked = 2;
    dlg.exchange = [&](CDataExchange* dx) {
        DDX_Control(dx, 1003, label);
        DDX_Control(dx, 1002, check);
        DDX_Text(dx, 1003, text);
        DDX_Check(dx, 1002, checked);
    };
    ASSERT_TRUE(dlg.Create(kKindsDialog));

    // Filling the controls went through the subclass.
    EXPECT_EQ(label.own, "SET BY EXCHANGE");
    EXPECT_EQ(check.state, 2);
    dlg.SetDlgItemText(1003, "mixed Case");
    EXPECT_EQ(label.GetWindowText(), "MIXED CASE");
    std::string read;
    dlg.GetDlgItemText(1003, read);
    EXPECT_EQ(read, "MIXED CASE");
    EXPECT_EQ(label.GetWindowTextLength(), 10);

    dlg.CheckDlgButton(1002, BST_INDETERMINATE);
    EXPECT_EQ(check.state, BST_INDETERMINATE);
    check.state = BST_CHECKED;
    EXPECT_EQ(dlg.IsDlgButtonChecked(1002), UINT(BST_CHECKED));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(text, "MIXED CASE");
    EXPECT_EQ(checked, BST_CHECKED);
}

TEST_F(ControlClasses, DataExchangeRoundTripsThroughTheClassInterface)
{
    std::string edit = "typed";
    int check = 1, radio = 1, combo = 1, list = 2, slider = 40;
    dlg.exchange = [&](CDataExchange* dx) {
        if (!dx->m_bSaveAndValidate) {
            auto* c = static_cast<CComboBox*>(dlg.GetDlgItem(1004));
            auto* l = static_cast<CListBox*>(dlg.GetDlgItem(1005));
            if (c->GetCount() == 0)
                for (const char* s : {"Alpha", "Beta", "Gamma"}) {
                    c->AddString(s);
                    l->AddString(s);
                }
        }
        DDX_Text(dx, 1001, edit);
        DDX_Check(dx, 1002, check);
        DDX_Radio(dx, 1009, radio);
        DDX_CBIndex(dx, 1004, combo);
        DDX_LBIndex(dx, 1005, list);
        DDX_Slider(dx, 1006, slider);
    };
    ASSERT_TRUE(dlg.Create(kKindsDialog));
    EXPECT_EQ(dlg.GetDlgItem(1004)->GetWindowText(), "Beta");
    EXPECT_EQ(dlg.GetCheckedRadioButton(1009, 1010), 1010);
    edit = "x";
    check = radio = combo = list = slider = -5;
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(edit, "typed");
    EXPECT_EQ(check, 1);
    EXPECT_EQ(radio, 1);
    EXPECT_EQ(combo, 1);
    EXPECT_EQ(list, 2);
    EXPECT_EQ(slider, 40);
}

TEST_F(ControlClasses, DataExchangeOnAControlOfAnotherClassFailsNamingIt)
{
    ASSERT_TRUE(dlg.Create(kKindsDialog));
    struct Case {
        const char* what;
        std::function<void(CDataExchange*)> exchange;
        const char* message;
    };
    int value = 0;
    const Case cases[] = {
        {"check on an edit", [&](CDataExchange* dx) { DDX_Check(dx, 1001, value); },
         "DDX_Check: control 1001 is not a CButton"},
        {"index on a list box", [&](CDataExchange* dx) { DDX_CBIndex(dx, 1005, value); },
         "DDX_CBIndex: control 1005 is not a CComboBox"},
        {"list index on a combo box", [&](CDataExchange* dx) { DDX_LBIndex(dx, 1004, value); },
         "DDX_LBIndex: control 1004 is not a CListBox"},
        {"slider on a progress bar", [&](CDataExchange* dx) { DDX_Slider(dx, 1007, value); },
         "DDX_Slider: control 1007 is not a CSliderCtrl"},
        {"radio on a check box", [&](CDataExchange* dx) { DDX_Radio(dx, 1002, value); },
         "DDX_Radio: control 1002 is not a radio button"},
        {"a missing control", [&](CDataExchange* dx) { DDX_Check(dx, 4242, value); },
         "the dialog has no control 4242"},
    };
    for (const Case& c : cases) {
        dlg.exchange = c.exchange;
        for (const BOOL save : {FALSE, TRUE}) {
            try {
                dlg.UpdateData(save);
                ADD_FAILURE() << c.what << ": no failure";
            } catch (const std::logic_error& e) {
                EXPECT_STREQ(e.what(), c.message) << c.what;
            }
        }
    }
}

TEST_F(ControlClasses, ATemplateTrackbarReportsWhatTheUserDoesToItsParent)
{
    ASSERT_TRUE(dlg.Create(kKindsDialog));
    auto* bar = static_cast<CSliderCtrl*>(dlg.GetDlgItem(1006));
    bar->SetRange(0, 100);
    bar->SetPageSize(10);
    bar->SetPos(50);
    EXPECT_TRUE(dlg.scrolls.empty()) << "the program's own changes are not reported";
    EXPECT_EQ(bar->GetPos(), 50);

    auto* s = qobject_cast<QSlider*>(bar->widget());
    ASSERT_NE(s, nullptr);
    s->triggerAction(QAbstractSlider::SliderPageStepAdd);
    s->triggerAction(QAbstractSlider::SliderSingleStepSub);
    const std::vector<std::string> expected = {"3@60 from 1006", "8@60 from 1006", "0@59 from 1006",
                                               "8@59 from 1006"};
    EXPECT_EQ(dlg.scrolls, expected);

    // Dragging the thumb: tracking while down, then the final place and the end.
    dlg.scrolls.clear();
    s->setSliderDown(true);
    s->setSliderPosition(70);
    s->setSliderDown(false);
    const std::vector<std::string> dragged = {"5@70 from 1006", "4@70 from 1006", "8@70 from 1006"};
    EXPECT_EQ(dlg.scrolls, dragged);
}

} // namespace
