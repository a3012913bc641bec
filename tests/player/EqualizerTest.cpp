// The equalizer window: inverted sliders to gains and offsets, on and off,
// configurations in table eq, the each-song switch, and closing flat.
#include "PlayerFixture.h"

#include "player/Equalizer.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"

using namespace playertest;

namespace {

class EqualizerTest : public PlayerTest {
protected:
    std::unique_ptr<CEqualizer> eq;
    void SetUp() override
    {
        PlayerTest::SetUp();
        g_eqBass = g_eqMid = g_eqTreble = g_eqTempo = g_eqPitch = g_eqOn = 0;
        g_masterVolume = 80;
        g_eqEachSong = 0;
    }
    void TearDown() override
    {
        if (eq && eq->m_hWnd)
            eq->DestroyWindow();
        eq.reset();
        g_eqBass = g_eqMid = g_eqTreble = g_eqTempo = g_eqPitch = g_eqOn = 0;
        PlayerTest::TearDown();
    }
    CEqualizer& open()
    {
        eq = std::make_unique<CEqualizer>();
        EXPECT_TRUE(eq->Create(CEqualizer::IDD));
        return *eq;
    }
    void move(int id, int pos)
    {
        static_cast<CBitmapSlider*>(eq->GetDlgItem(id))->SetPos(pos);
        eq->SendMessage(UWM_SLIDER_MOVING, WPARAM(id), pos);
    }
    CComboBox& configs() { return *static_cast<CComboBox*>(eq->GetDlgItem(1304)); }
    std::vector<std::string> configNames()
    {
        std::vector<std::string> names;
        for (int i = 0; i < configs().GetCount(); ++i)
            names.push_back(configs().GetLBText(i));
        return names;
    }
};

TEST_F(EqualizerTest, SlidersGiveGainsAndOffsetsWithTheMaximumAtTheTop)
{
    open();
    struct Case {
        int id, pos;
        int* value;
        int expected;
    };
    const Case cases[] = {
        {1158, 0, &g_eqBass, 10},    {1158, 10, &g_eqBass, 0},    {1158, 20, &g_eqBass, -10},
        {1161, 5, &g_eqMid, 5},      {1162, 15, &g_eqTreble, -5}, {1041, 30, &g_masterVolume, 70},
        {1038, 19, &g_eqTempo, 1},   {1038, 18, &g_eqTempo, 2},   {1039, 25, &g_eqPitch, -5},
    };
    for (const Case& c : cases) {
        mainWnd.codes.clear();
        move(c.id, c.pos);
        EXPECT_EQ(*c.value, c.expected) << c.id << " at " << c.pos;
        EXPECT_EQ(mainWnd.codes, std::vector<UINT>{CMD_APPLY_EQUALIZER}) << c.id;
    }
    EXPECT_EQ(static_cast<CNewLabel*>(eq->GetDlgItem(1025))->GetText(), "-5.00");
    shot(*eq, "equalizer.png");
}

TEST_F(EqualizerTest, OnOffIsStoredAndClosingLeavesFlatSoundAndStoresOff)
{
    CEqualizer& w = open();
    click(w, 1143);
    EXPECT_EQ(g_eqOn, 1);
    EXPECT_EQ(setting("music - eqsavestate"), "true");
    EXPECT_EQ(w.GetDlgItem(1143)->GetWindowText(), "Equlizer On");
    move(1038, 10);
    move(1039, 30);
    move(1158, 0);
    mainWnd.codes.clear();
    // The main window destroys the window when it hears of the close.
    mainWnd.onCode = [&](UINT code) {
        if (code == CMD_EQUALIZER_CLOSED)
            w.DestroyWindow();
    };
    w.SendMessage(WM_CLOSE);
    mainWnd.onCode = nullptr;
    EXPECT_EQ(g_eqOn, 0);
    EXPECT_EQ(g_eqTempo, 0);
    EXPECT_EQ(g_eqPitch, 0);
    EXPECT_EQ(setting("music - eqsavestate"), "false");
    EXPECT_EQ(mainWnd.codes, (std::vector<UINT>{CMD_APPLY_EQUALIZER, CMD_EQUALIZER_CLOSED}));
}

TEST_F(EqualizerTest, APresetRoundTripsThroughTableEqAndDeleteAsksFirst)
{
    set("music - eqname", "Hall");
    open();
    move(1158, 4);  // +6
    move(1161, 13); // -3
    move(1162, 10); // 0
    dialogAnswers[CEqName::IDD] = [](CWnd* w) {
        w->SetDlgItemText(1086, "Hall");
        w->SendMessage(WM_COMMAND, MAKEWPARAM(1097, BN_CLICKED), LPARAM(w->GetDlgItem(1097)->m_hWnd));
        return IDOK;
    };
    click(*eq, 1200);
    EXPECT_EQ(configNames(), (std::vector<std::string>{"Default", "Hall"}));
    EXPECT_EQ(configs().GetCurSel(), 1);

    // A new window finds it; choosing it brings the bands back and stores the name.
    eq->DestroyWindow();
    g_eqBass = g_eqMid = g_eqTreble = 0;
    open();
    EXPECT_EQ(configNames(), (std::vector<std::string>{"Default", "Hall"}));
    eq->SelectStoredConfig();
    EXPECT_EQ(configs().GetCurSel(), 1);
    EXPECT_EQ(g_eqBass, 6);
    EXPECT_EQ(g_eqMid, -3);
    EXPECT_EQ(g_eqTreble, 0);
    EXPECT_EQ(static_cast<CBitmapSlider*>(eq->GetDlgItem(1158))->GetPos(), 4);
    configs().SetCurSel(0);
    notify(*eq, 1304, CBN_SELCHANGE);
    EXPECT_EQ(g_eqBass, 0) << "Default is flat";
    EXPECT_EQ(setting("music - eqname"), "Default");

    configs().SetCurSel(1);
    boxAnswers["Do you want to delete \"Hall\" configuration?"] = IDNO;
    click(*eq, 1201);
    EXPECT_EQ(configNames().size(), 2u);
    boxAnswers["Do you want to delete \"Hall\" configuration?"] = IDYES;
    click(*eq, 1201);
    EXPECT_EQ(configNames(), std::vector<std::string>{"Default"});
    CMusicDb db;
    EXPECT_EQ(db.GetEqPreset("Hall", 1).RowCount(), 0);
}

TEST_F(EqualizerTest, EachSongSelectsDefaultAndFlattensAtOnce)
{
    open();
    move(1158, 0);
    click(*eq, 1305);
    EXPECT_EQ(g_eqEachSong, 1);
    EXPECT_EQ(g_eqBass, 0);
    EXPECT_EQ(setting("music - eqeachsong"), "true");
    set("music - eqname", "Hall");
    eq->SelectStoredConfig();
    EXPECT_EQ(configs().GetCurSel(), 0) << "each song decides; the stored name is not taken";
    click(*eq, 1305);
    EXPECT_EQ(setting("music - eqeachsong"), "false");
}

} // namespace
