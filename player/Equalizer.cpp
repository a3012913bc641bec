#include "player/Equalizer.h"

#include "controls/ToolWindowInfos.h"
#include "platform/audio/Bass.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/ResourceIds.h"
#include "store/SendCommand.h"

#include <cstdlib>

namespace {

constexpr UINT kImageOff = 211, kImageOn = 206;

} // namespace

// ---- the name prompt ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CEqName, CDialogEx)
    ON_BN_CLICKED(1097, OnOkButton)
    ON_BN_CLICKED(1098, OnCancelButton)
END_MESSAGE_MAP()

CEqName::CEqName(CWnd* parent) : CDialogEx(IDD, parent) {}

void CEqName::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Text(dx, 1086, m_name);
}

void CEqName::OnOkButton()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

// ---- the window -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CEqualizer, CToolDialog)
    ON_WM_CLOSE()
    ON_BN_CLICKED(1143, OnOnOffButton)
    ON_MESSAGE(UWM_SLIDER_MOVING, OnSliderMoving)
    ON_CBN_SELCHANGE(1304, OnConfigSelected)
    ON_BN_CLICKED(1200, OnSaveConfig)
    ON_BN_CLICKED(1201, OnDeleteConfig)
    ON_BN_CLICKED(1305, OnEachSongToggle)
    ON_EN_CHANGE(IDC_FOCUS_SINK, OnFocusEditChange)
END_MESSAGE_MAP()

CEqualizer::CEqualizer(CWnd* parent) : CToolDialog(IDD, toolwindows::kEqualizer, parent) {}

void CEqualizer::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, 1158, m_bass);
    DDX_Control(dx, 1161, m_mid);
    DDX_Control(dx, 1162, m_treble);
    DDX_Control(dx, 1041, m_volume);
    DDX_Control(dx, 1038, m_tempo);
    DDX_Control(dx, 1039, m_pitch);
    DDX_Control(dx, 1301, m_bassLabel);
    DDX_Control(dx, 1466, m_midLabel);
    DDX_Control(dx, 1303, m_trebleLabel);
    DDX_Control(dx, 1027, m_volumeLabel);
    DDX_Control(dx, 1024, m_tempoLabel);
    DDX_Control(dx, 1025, m_pitchLabel);
    DDX_Control(dx, 1143, m_onOff);
    DDX_Control(dx, 1304, m_configs);
    DDX_Check(dx, 1305, m_eachSong);
    DDX_Text(dx, IDC_FOCUS_SINK, m_sink.text);
}

BOOL CEqualizer::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    toolkit::CreateBalloonTips(m_tooltip, *this, {
        {1143, "Toggle Equlizer On/Off"}, {1158, "Adjust the bass"},   {1161, "Adjust the Mid"},
        {1162, "Adjust the tremble"},     {1041, "Adjust the volume"}, {1038, "Adjust the tempo"},
        {1039, "Adjust the pitch"},
    });

    ApplyDialogColour();
    m_onOff.SetImage(kImageOff, kImageOn);
    m_onOff.MoveWindow(100, 10, 90, 35);
    m_on = 0;

    m_bassLabel.SetText("0");
    m_midLabel.SetText("0");
    m_trebleLabel.SetText("0");
    m_volumeLabel.SetText(std::to_string(g_masterVolume));
    m_tempoLabel.SetText(std::to_string(g_eqTempo));
    m_pitchLabel.SetText(m_fn.FloatToString(float(g_eqPitch)));
    for (CNewLabel* l : {&m_bassLabel, &m_midLabel, &m_trebleLabel, &m_volumeLabel, &m_tempoLabel, &m_pitchLabel})
        l->SetTextColor(RGB(0, 0, 255)).SetFontSize(18).SetFontBold(TRUE).SetAlignment(0x12);

    struct Setup {
        CBitmapSlider* slider;
        int max;
        int pos;
    };
    const Setup sliders[] = {
        {&m_bass, 20, InvertSliderPos(20, g_eqBass + 10)},
        {&m_mid, 20, InvertSliderPos(20, g_eqMid + 10)},
        {&m_treble, 20, InvertSliderPos(20, g_eqTreble + 10)},
        {&m_volume, 100, InvertSliderPos(100, g_masterVolume)},
        {&m_tempo, 40, 20},
        {&m_pitch, 40, 20},
    };
    for (const Setup& s : sliders) {
        s.slider->SetBitmapChannel(196);
        s.slider->SetBitmapThumb(198);
        s.slider->SetVertical();
        s.slider->SetMargin(0, 0, 0, 0);
        s.slider->SetDrawFocusRect(FALSE);
        s.slider->SetRange(0, s.max);
        s.slider->SetPos(s.pos);
        s.slider->SetPageSize(1);
    }
    m_eachSong = g_eqEachSong ? 1 : 0;
    LoadConfigs();
    PlaceWindow();
    ParkFocus();
    return TRUE;
}

BOOL CEqualizer::PreTranslateMessage(MSG* msg)
{
    toolkit::RelayAndForwardKeys(m_tooltip, msg);
    return CToolDialog::PreTranslateMessage(msg);
}

void CEqualizer::LoadConfigs()
{
    m_configs.ResetContent();
    m_configs.AddString("Default");
    CppSQLite3Table presets = m_db.GetEqPresets(1);
    for (int row = 0; row < presets.RowCount(); ++row) {
        presets.SetRow(row);
        m_configs.AddString(presets.FieldTextOr(0));
    }
    m_configs.SetCurSel(0);
}

LRESULT CEqualizer::OnSliderMoving(WPARAM id, LPARAM)
{
    switch (id) {
    case 1038:
        g_eqTempo = (40 - m_tempo.GetPos()) - 20;
        m_tempoLabel.SetText(std::to_string(g_eqTempo));
        break;
    case 1039:
        g_eqPitch = (40 - m_pitch.GetPos()) - 20;
        m_pitchLabel.SetText(m_fn.FloatToString(float(g_eqPitch)));
        break;
    case 1041:
        g_masterVolume = 100 - m_volume.GetPos();
        m_volumeLabel.SetText(std::to_string(g_masterVolume));
        break;
    case 1158:
        g_eqBass = (20 - m_bass.GetPos()) - 10;
        m_bassLabel.SetText(std::to_string(g_eqBass));
        break;
    case 1161:
        g_eqMid = (20 - m_mid.GetPos()) - 10;
        m_midLabel.SetText(std::to_string(g_eqMid));
        break;
    case 1162:
        g_eqTreble = (20 - m_treble.GetPos()) - 10;
        m_trebleLabel.SetText(std::to_string(g_eqTreble));
        break;
    default:
        break;
    }
    ParkFocus();
    SendCommand(CMD_APPLY_EQUALIZER);
    return 0;
}

void CEqualizer::RefreshControls()
{
    m_bass.SetPos(InvertSliderPos(20, g_eqBass + 10));
    m_mid.SetPos(InvertSliderPos(20, g_eqMid + 10));
    m_treble.SetPos(InvertSliderPos(20, g_eqTreble + 10));
    // Without a started output the library has no volume; the last one stays.
    const float volume = BASS_GetVolume();
    if (volume >= 0)
        g_masterVolume = int(volume * 100);
    m_volume.SetPos(InvertSliderPos(100, g_masterVolume));
    m_bassLabel.SetText(std::to_string(g_eqBass));
    m_midLabel.SetText(std::to_string(g_eqMid));
    m_trebleLabel.SetText(std::to_string(g_eqTreble));
    m_volumeLabel.SetText(std::to_string(g_masterVolume));
    m_tempoLabel.SetText(std::to_string(g_eqTempo));
    m_pitchLabel.SetText(m_fn.FloatToString(float(g_eqPitch)));
    ParkFocus();
}

void CEqualizer::ShowOnState()
{
    if (m_on) {
        m_onOff.SetImage(kImageOn, kImageOff);
        m_onOff.SetWindowText("Equlizer On");
    } else {
        m_onOff.SetImage(kImageOff, kImageOn);
        m_onOff.SetWindowText("Equlizer Off");
    }
}

void CEqualizer::OnOnOffButton()
{
    m_on = m_on ? 0 : 1;
    ShowOnState();
    m_db.SetSetting("music - eqsavestate", m_on ? "true" : "false", 1);
    g_eqOn = m_on;
    ParkFocus();
    SendCommand(CMD_APPLY_EQUALIZER);
}

void CEqualizer::SetEqualizerOn(bool on)
{
    m_on = on ? 1 : 0;
    ShowOnState();
    RefreshControls();
    g_eqOn = m_on;
    SendCommand(CMD_APPLY_EQUALIZER);
    ParkFocus();
}

void CEqualizer::OnConfigSelected()
{
    const int index = m_configs.GetCurSel();
    const std::string name = index >= 0 ? m_configs.GetLBText(index) : std::string("Default");
    CppSQLite3Table preset = m_db.GetEqPreset(name, 1);
    if (preset.RowCount() > 0) {
        preset.SetRow(0);
        g_eqBass = std::atoi(preset.FieldTextOr(1));
        g_eqMid = std::atoi(preset.FieldTextOr(2));
        g_eqTreble = std::atoi(preset.FieldTextOr(3));
    } else {
        g_eqBass = g_eqMid = g_eqTreble = 0;
    }
    m_db.SetSetting("music - eqname", name, 1);
    RefreshControls();
    SendCommand(CMD_APPLY_EQUALIZER);
    ParkFocus();
}

void CEqualizer::SelectAll(const std::string& name)
{
    for (int i = 0; i < m_configs.GetCount(); ++i)
        if (m_configs.GetLBText(i) == name)
            m_configs.SetCurSel(i);
}

void CEqualizer::SelectStoredConfig()
{
    const std::string name = m_db.GetSetting("music - eqname", 1);
    if (m_eachSong)
        return;
    SelectAll(name);
    OnConfigSelected();
}

void CEqualizer::OnSaveConfig()
{
    CEqName prompt(this);
    if (prompt.DoModal() == IDOK && !prompt.GetName().empty()) {
        m_db.SaveEqPreset(prompt.GetName(), 1);
        m_configs.AddString(prompt.GetName());
        SelectAll(prompt.GetName());
    }
    ParkFocus();
}

void CEqualizer::OnDeleteConfig()
{
    const int index = m_configs.GetCurSel();
    if (index < 0)
        return;
    const std::string name = m_configs.GetLBText(index);
    if (::MessageBox(m_hWnd, "Do you want to delete \"" + name + "\" configuration?", "Mirtal",
                     MB_YESNO | MB_ICONSTOP) == IDYES) {
        m_db.DeleteEqPreset(name, 1);
        m_configs.DeleteString(index);
        m_configs.SetCurSel(0);
    }
    ParkFocus();
}

void CEqualizer::OnEachSongToggle()
{
    m_eachSong = m_eachSong ? 0 : 1;
    if (m_eachSong) {
        m_configs.SetCurSel(0);
        OnConfigSelected();
        m_db.SetSetting("music - eqeachsong", "true", 1);
    } else {
        m_db.SetSetting("music - eqeachsong", "false", 1);
    }
    g_eqEachSong = m_eachSong;
    ParkFocus();
}

void CEqualizer::OnFocusEditChange() { m_sink.Empty(*this, IDC_FOCUS_SINK); }

// Closing switches the equalizer off: flat bands and no tempo or pitch offset.
void CEqualizer::CloseWindow()
{
    m_db.SetSetting("music - eqsavestate", "false", 1);
    g_eqOn = 0;
    g_eqTempo = 0;
    g_eqPitch = 0;
    SendCommand(CMD_APPLY_EQUALIZER);
}

void CEqualizer::OnCancel()
{
    CloseWindow();
    CToolDialog::OnCancel();
}

void CEqualizer::OnClose()
{
    CloseWindow();
    CToolDialog::OnClose();
}

void CEqualizer::ApplyDialogColour()
{
    const COLORREF colour = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(colour);
    for (CNewLabel* l : {&m_bassLabel, &m_midLabel, &m_trebleLabel, &m_volumeLabel, &m_tempoLabel, &m_pitchLabel})
        if (l->m_hWnd)
            l->SetBkColor(colour);
}

void CEqualizer::PlaceWindow()
{
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const int w = g_largeLayout ? 400 : 350, h = g_largeLayout ? 460 : 380;
    if (g_equalizerPosX > screenW - w)
        g_equalizerPosX = screenW - w;
    if (g_equalizerPosY > screenH - (g_largeLayout ? 490 : 410))
        g_equalizerPosY = screenH - (g_largeLayout ? 490 : 410);
    if (g_equalizerPosX < 0)
        g_equalizerPosX = 0;
    if (g_equalizerPosY < 0)
        g_equalizerPosY = 0;
    if (g_largeLayout)
        m_onOff.MoveWindow(110, 15, 110, 40);
    const int x = g_equalizerPosX, y = g_equalizerPosY;
    SetWindowPos(&wndTop, x, y, w, h, SWP_SHOWWINDOW);
    ParkFocus();
}
