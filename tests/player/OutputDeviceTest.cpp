// The output-device choice: which device each row stands for, what OK,
// Default, a double click and Cancel store, and the list kept current.
#include "PlayerFixture.h"

#include "player/OutputDevice.h"

#include <string>
#include <vector>

using namespace playertest;

namespace {

struct Device {
    std::string name;
    DWORD flags;
};

class OutputDeviceTest : public PlayerTest {
protected:
    std::vector<Device> devices;
    void SetUp() override
    {
        PlayerTest::SetUp();
        COutputDevice::SetDeviceSource([this](DWORD d, BASS_DEVICEINFO* info) -> BOOL {
            if (d >= devices.size())
                return FALSE;
            info->name = devices[d].name.c_str();
            info->driver = "";
            info->flags = devices[d].flags;
            return TRUE;
        });
    }
    void TearDown() override
    {
        COutputDevice::SetDeviceSource({});
        PlayerTest::TearDown();
    }

    // Runs the dialog; the test acts on the open window and gives its answer.
    int run(const std::function<void(COutputDevice&)>& act)
    {
        dialogAnswers[COutputDevice::IDD] = [&](CWnd* w) {
            auto& d = *static_cast<COutputDevice*>(w);
            act(d);
            return d.GetDialogResult() >= 0 ? d.GetDialogResult() : IDCANCEL;
        };
        COutputDevice choice;
        return int(choice.DoModal());
    }
    static std::vector<std::string> rows(COutputDevice& d)
    {
        auto* list = static_cast<CListBox*>(d.GetDlgItem(1009));
        std::vector<std::string> texts;
        for (int i = 0; i < list->GetCount(); ++i)
            texts.push_back(list->GetText(i));
        return texts;
    }
    static void selectRow(COutputDevice& d, int row)
    {
        static_cast<CListBox*>(d.GetDlgItem(1009))->SetCurSel(row);
        notify(d, 1009, LBN_SELCHANGE);
    }
};

TEST_F(OutputDeviceTest, RowsStandForTheirDevicesAndOnlyOkStores)
{
    devices = {{"No sound", 1}, {"Speakers", 1}, {"Headphones", 1}};
    set("music - outputdevice", "0");
    struct Case {
        const char* what;
        std::function<void(COutputDevice&)> act;
        int result;
        std::string stored;
    };
    const Case cases[] = {
        {"row 2 and OK", [](COutputDevice& d) { selectRow(d, 2); click(d, 1097); }, IDOK, "1"},
        {"Default and OK", [](COutputDevice& d) { click(d, 1099); click(d, 1097); }, IDOK, "-1"},
        {"double click on row 3", [](COutputDevice& d) { static_cast<CListBox*>(d.GetDlgItem(1009))->SetCurSel(3);
                                                          notify(d, 1009, LBN_DBLCLK); }, IDOK, "2"},
        {"row 3 then Cancel", [](COutputDevice& d) { selectRow(d, 3); click(d, 1098); }, IDCANCEL, "0"},
    };
    for (const Case& c : cases) {
        set("music - outputdevice", "0");
        std::vector<std::string> shown;
        int selected = -2;
        const int result = run([&](COutputDevice& d) {
            shown = rows(d);
            selected = static_cast<CListBox*>(d.GetDlgItem(1009))->GetCurSel();
            c.act(d);
        });
        EXPECT_EQ(shown, (std::vector<std::string>{"Default Output", "No sound", "Speakers", "Headphones"})) << c.what;
        EXPECT_EQ(selected, 1) << "the stored device 0 is row 1";
        EXPECT_EQ(result, c.result) << c.what;
        EXPECT_EQ(setting("music - outputdevice"), c.stored) << c.what;
    }
}

TEST_F(OutputDeviceTest, ADisabledDeviceHidesNothingAfterIt)
{
    devices = {{"No sound", 1}, {"Unplugged", 0}, {"Headphones", 1}, {"Speakers", 1}};
    set("music - outputdevice", "3");
    std::vector<std::string> shown;
    run([&](COutputDevice& d) {
        shown = rows(d);
        EXPECT_EQ(static_cast<CListBox*>(d.GetDlgItem(1009))->GetCurSel(), 3) << "Speakers, device 3";
        selectRow(d, 2);
        click(d, 1097);
    });
    EXPECT_EQ(shown, (std::vector<std::string>{"Default Output", "No sound", "Headphones", "Speakers"}));
    EXPECT_EQ(setting("music - outputdevice"), "2") << "Headphones is device 2";
}

TEST_F(OutputDeviceTest, AGoneDeviceShowsNoSelectionAndOkKeepsIt)
{
    devices = {{"No sound", 1}};
    set("music - outputdevice", "4");
    run([&](COutputDevice& d) {
        EXPECT_EQ(static_cast<CListBox*>(d.GetDlgItem(1009))->GetCurSel(), -1);
        click(d, 1097);
    });
    EXPECT_EQ(setting("music - outputdevice"), "4");
}

TEST_F(OutputDeviceTest, APluggedDeviceShowsUpAtTheNextRefresh)
{
    devices = {{"No sound", 1}};
    run([&](COutputDevice& d) {
        EXPECT_EQ(rows(d).size(), 2u);
        devices.push_back({"USB headset", 1});
        d.SendMessage(WM_TIMER, 1);
        EXPECT_EQ(rows(d), (std::vector<std::string>{"Default Output", "No sound", "USB headset"}));
        selectRow(d, 2);
        shot(d, "output-device.png");
        click(d, 1097);
    });
    EXPECT_EQ(setting("music - outputdevice"), "1");
}

} // namespace
