#include "player/Record.h"

#include "controls/GetName.h"
#include "controls/ToolWindowInfos.h"
#include "controls/FolderPicker.h"
#include "platform/audio/BassEnc.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"

#include <cstdio>

namespace {

constexpr UINT_PTR kFastTimer = 1; // drains the capture, time and meter
constexpr UINT_PTR kSlowTimer = 2; // refreshes the controls
constexpr UINT kFastMs = 50, kSlowMs = 200;
constexpr UINT IDB_CHECK32 = 206;

std::string& encoderProgram()
{
    static std::string program = "lame";
    return program;
}

} // namespace

BEGIN_MESSAGE_MAP(CRecord, CToolDialog)
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_MESSAGE(UWM_SLIDER_MOVING, OnSliderMoving)
    ON_CBN_SELCHANGE(1132, OnDeviceChange)
    ON_CBN_SELCHANGE(1139, OnInputChange)
    ON_BN_CLICKED(1124, OnHide)
    ON_BN_CLICKED(1133, OnLinkToPlayer)
    ON_BN_CLICKED(1136, OnNameByDate)
    ON_BN_CLICKED(1137, OnNameByTemplate)
    ON_BN_CLICKED(1264, OnChooseName)
    ON_BN_CLICKED(1265, OnChooseFolder)
    ON_BN_CLICKED(1240, OnStart)
    ON_BN_CLICKED(1239, OnStop)
    ON_BN_CLICKED(1238, OnPause)
    ON_BN_CLICKED(1274, OnPlay)
    ON_EN_KILLFOCUS(1114, OnNameKillFocus)
    ON_EN_CHANGE(1225, OnFocusSinkChange)
END_MESSAGE_MAP()

CRecord::CRecord(CWnd* parent) : CToolDialog(IDD, toolwindows::kRecorder, parent) {}

CRecord::~CRecord()
{
    // A window destroyed without its close still leaves no recording behind.
    if (m_channel)
        BASS_ChannelStop(m_channel);
    if (m_playback)
        BASS_StreamFree(m_playback);
}

void CRecord::SetEncoderProgram(const std::string& program) { encoderProgram() = program; }

void CRecord::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Control(dx, 1134, m_levelSlider);
    DDX_Control(dx, 1135, m_gainSlider);
    DDX_Control(dx, 1031, m_levelLabel);
    DDX_Control(dx, 1032, m_gainLabel);
    DDX_Control(dx, 1130, m_nameLabel);
    DDX_Control(dx, 1131, m_timeLabel);
    DDX_Control(dx, 1034, m_meter);
    DDX_Control(dx, 1240, m_start);
    DDX_Control(dx, 1239, m_stop);
    DDX_Control(dx, 1238, m_pause);
    DDX_Control(dx, 1274, m_play);
    DDX_Control(dx, 1132, m_devices);
    DDX_Control(dx, 1139, m_inputs);
    DDX_Control(dx, 1124, m_hide);
    DDX_Control(dx, 1138, m_counterSpin);
    DDX_Radio(dx, 1136, m_naming);
    DDX_Check(dx, 1133, m_link);
    DDX_Text(dx, 1114, m_template);
    DDX_Text(dx, 1209, m_folder);
    DDX_Text(dx, 1225, m_sink.text);
}

BOOL CRecord::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    ApplyDialogColour();

    m_start.SetBitmaps(382, RGB(255, 0, 255));
    m_stop.SetIcon(310);
    m_pause.SetIcon(307);
    m_play.SetIcon(308);
    for (CButtonST* b : {&m_start, &m_stop, &m_pause, &m_play}) {
        b->OffsetColor(CButtonST::BTNST_COLOR_BK_IN, 30);
        b->SetColor(CButtonST::BTNST_COLOR_FG_IN, RGB(0, 128, 0));
        b->DrawTransparent(TRUE);
    }
    m_hide.SetImage(IDB_CHECK32);
    m_timeLabel.SetTextColor(RGB(0, 0, 255)).SetFontSize(18).SetFontBold(TRUE);
    m_timeLabel.SetAlignment(0x12).SetBorder(TRUE).SetText("0:00");
    m_nameLabel.SetTextColor(RGB(0, 0, 255)).SetFontSize(16).SetFontBold(TRUE);
    m_nameLabel.SetAlignment(0x12).SetBorder(TRUE).SetText("Mirtal");
    for (CNewLabel* l : {&m_levelLabel, &m_gainLabel})
        l->SetTextColor(RGB(0, 0, 255)).SetFontSize(16).SetFontBold(TRUE).SetAlignment(4);
    for (CBitmapSlider* s : {&m_levelSlider, &m_gainSlider}) {
        s->SetBitmapChannel(150, 153);
        s->SetBitmapThumb(159, 161, TRUE);
        s->SetMargin(0, 0, 0, 0);
        s->SetDrawFocusRect(FALSE);
        s->SetRange(1, 100);
        s->SetPageSize(5);
    }
    m_meter.SetMeterBands(1, 10);
    m_meter.ShowGrid(TRUE);
    m_meter.Start(55);

    m_channel = 0;
    m_playback = 0;
    m_folder = m_db.GetSetting("record - path", 1);
    m_device = m_db.GetSettingInt("record - device", 1);
    m_inputLevel = m_db.GetSettingInt("record - volume", 1);
    m_input = m_db.GetSettingInt("record - input", 1);
    m_recordGain = m_db.GetSettingInt("record - volumerec", 1);
    m_naming = m_db.GetSettingInt("record - datename", 1) == 1 ? 1 : 0;
    m_counter = m_db.GetSettingInt("record - counter", 1);
    m_template = m_db.GetSetting("record - filename", 1);
    GetDlgItem(1114)->EnableWindow(m_naming == 1);

    toolkit::CreateBalloonTips(m_tooltip, *this, {
        {1240, "Start recording"},
        {1239, "Stop the recording"},
        {1238, "Pause the recording"},
        {1274, "Play the recorded music"},
        {1124, "Hide the recording window"},
        {1133, "Toggle start/stop recording when the music is started/stopped"},
        {1132, "Select the device for recording"},
        {1265, "Select folder for the recrdings"},
        {1264, "Select filename for recording"},
        {1136, "Use date and time as filename"},
        {1137, "Use the selected name as filename"},
    });
    m_tooltip.AddTool(GetDlgItem(1209), m_folder);

    if (m_counter < 1 || m_counter > 999)
        m_counter = 1;
    m_counterSpin.SetRange32(1, 999);
    m_counterSpin.SetPos32(m_counter);
    m_link = 0;
    m_recordedPath.clear();

    BASS_DEVICEINFO info{};
    for (DWORD d = 0; BASS_RecordGetDeviceInfo(d, &info); ++d) {
        const std::string name = info.name ? info.name : "";
        m_devices.AddString((info.flags & BASS_DEVICE_LOOPBACK) ? "loopback: " + name.substr(0, 99) : name);
    }
    m_devices.SetCurSel(m_device);
    InitDevice(m_device);
    ApplyLevels();
    PlaceWindow();
    ParkFocus();
    return TRUE;
}

void CRecord::ParkFocus()
{
    if (CWnd* sink = GetDlgItem(1225))
        sink->SetFocus();
    UpdateData(FALSE);
}

BOOL CRecord::PreTranslateMessage(MSG* msg)
{
    toolkit::RelayAndForwardKeys(m_tooltip, msg);
    return CToolDialog::PreTranslateMessage(msg);
}

void CRecord::StoreSetting(const char* key, const std::string& value) { m_db.SetSetting(key, value, 1); }

void CRecord::ShowBassError(const std::string& message)
{
    char text[512];
    std::snprintf(text, sizeof text, "%s\n\nBASS error code: %d", message.c_str(), BASS_ErrorGetCode());
    ::MessageBox(m_hWnd, std::string(text) + "\r\n\r\nSee the helpfile for more information.", "Error",
                 MB_OK | MB_ICONEXCLAMATION);
}

// ---- device, input and levels ---------------------------------------------------------------

bool CRecord::InitDevice(int device)
{
    BASS_RecordFree();
    if (!BASS_RecordInit(device)) {
        ShowBassError("Can't initialize recording device");
        return false;
    }
    m_inputs.ResetContent();
    m_input = 0;
    for (int i = 0; const char* name = BASS_RecordGetInputName(i); ++i) {
        m_inputs.AddString(name);
        // The last input that is switched on is the current one.
        if (!(BASS_RecordGetInput(i, nullptr) & BASS_INPUT_OFF)) {
            m_input = i;
            m_inputs.SetCurSel(i);
        }
    }
    ReadInputLevel();
    return true;
}

void CRecord::ReadInputLevel()
{
    float level = 0;
    if (BASS_RecordGetInput(m_input, &level) == DWORD(-1) || level <= 0)
        BASS_RecordGetInput(-1, &level);
    m_recordGain = int(level * 100);
    ApplyLevels();
}

void CRecord::ApplyLevels()
{
    BASS_RecordSetInput(m_input, 0, float(m_inputLevel) / 100);
    m_levelLabel.SetText(std::to_string(m_inputLevel));
    StoreSetting("record - volume", std::to_string(m_inputLevel));
    if (m_channel)
        BASS_ChannelSetAttribute(m_channel, BASS_ATTRIB_VOLDSP, float(m_recordGain) / 100);
    m_gainLabel.SetText(std::to_string(m_recordGain));
    StoreSetting("record - volumerec", std::to_string(m_recordGain));
    m_levelSlider.SetPos(m_inputLevel);
    m_gainSlider.SetPos(m_recordGain);
    UpdateData(FALSE);
}

LRESULT CRecord::OnSliderMoving(WPARAM id, LPARAM)
{
    if (id == 1134)
        m_inputLevel = m_levelSlider.GetPos();
    else if (id == 1135)
        m_recordGain = m_gainSlider.GetPos();
    ApplyLevels();
    return 0;
}

// A new device ends the file being written (the encoder finishes it) and
// goes on in a new file with its own encoder, so nothing is lost unseen.
void CRecord::OnDeviceChange()
{
    UpdateData(TRUE);
    m_device = m_devices.GetCurSel();
    const bool wasRecording = m_channel != 0;
    if (wasRecording)
        StopRecording();
    if (InitDevice(m_device)) {
        StoreSetting("record - device", std::to_string(m_device));
        if (wasRecording) {
            m_nameLabel.SetText(MakeFileName());
            StartRecording();
        }
    }
    UpdateRecordStatus();
}

void CRecord::OnInputChange()
{
    UpdateData(TRUE);
    m_input = m_inputs.GetCurSel();
    for (int i = 0; BASS_RecordSetInput(i, BASS_INPUT_OFF, -1); ++i) {
    }
    BASS_RecordSetInput(m_input, BASS_INPUT_ON, -1);
    ReadInputLevel();
    StoreSetting("record - input", std::to_string(m_input));
    ParkFocus();
}

// ---- file names -----------------------------------------------------------------------------

std::string CRecord::DateTimeName(const std::tm& t)
{
    char text[80];
    std::snprintf(text, sizeof text, "%04d%02d%02d_%02d%02d%02d.mp3", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                  t.tm_hour, t.tm_min, t.tm_sec);
    return text;
}

std::string CRecord::ExpandNameTemplate(const std::string& name) const
{
    const std::string& song = g_currentSongPath;
    if (name == "DATE LABEL NAME")
        return m_fn.TodayText() + " " + m_fn.FileTitleFromPath(song);
    if (name == "DATE NAME")
        return m_fn.TodayText() + " " + m_fn.TitlePart(song);
    if (name == "DATE LABEL")
        return m_fn.TodayText() + " " + m_fn.LabelPart(song);
    if (name == "LABEL NAME")
        return m_fn.FileTitleFromPath(song);
    return name;
}

std::string CRecord::NameWithCounter()
{
    std::string name = ExpandNameTemplate(m_template);
    if (m_counter < 10)
        name += "0";
    name += std::to_string(m_counter) + ".mp3";
    ++m_counter;
    if (m_counterSpin.m_hWnd)
        m_counterSpin.SetPos32(m_counter);
    StoreSetting("record - counter", std::to_string(m_counter));
    UpdateData(FALSE);
    return name;
}

std::string CRecord::MakeFileName()
{
    if (m_naming == 1)
        return NameWithCounter();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateTimeName(local);
}

// ---- recording ------------------------------------------------------------------------------

void CRecord::OnStart()
{
    const DWORD state = m_channel ? BASS_ChannelIsActive(m_channel) : BASS_ACTIVE_STOPPED;
    if (m_channel && state == BASS_ACTIVE_PAUSED) {
        BASS_ChannelPlay(m_channel, FALSE);
    } else if (state == BASS_ACTIVE_STOPPED) {
        if (m_channel)
            StopRecording();
        m_nameLabel.SetText(MakeFileName());
        StartRecording();
    }
    UpdateRecordStatus();
}

// The folder goes to the encoder as one quoted argument, so any folder name
// (dots and blanks too) is fine. Without a folder the recording goes to the
// data folder.
bool CRecord::StartRecording()
{
    m_fn.EnterDataFolder();
    const std::string folder = m_folder.empty() ? g_baseFolder : m_folder;
    m_recordedPath = folder + (folder.empty() || folder.back() == '/' ? "" : "/") + m_nameLabel.GetText();
    if (m_playback) {
        BASS_StreamFree(m_playback);
        m_playback = 0;
    }
    m_channel = BASS_RecordStart(44100, 2, BASS_RECORD_PAUSE, nullptr, nullptr);
    if (!m_channel) {
        ShowBassError("Couldn't start recording");
        return false;
    }
    const std::string command = encoderProgram() + " - " + audio::encoderArgument(m_recordedPath);
    if (!BASS_Encode_Start(m_channel, command.c_str(), BASS_ENCODE_AUTOFREE, nullptr, nullptr)) {
        ShowBassError("Couldn't start encoding");
        BASS_ChannelStop(m_channel);
        m_channel = 0;
        return false;
    }
    BASS_ChannelSetAttribute(m_channel, BASS_ATTRIB_VOLDSP, float(m_recordGain) / 100);
    m_encoderDeadShown = false;
    BASS_ChannelPlay(m_channel, FALSE);
    SetTimer(kFastTimer, kFastMs);
    SetTimer(kSlowTimer, kSlowMs);
    return true;
}

// Stopping frees the channel and with it the encoder, which finishes the file.
void CRecord::StopRecording()
{
    if (m_channel)
        BASS_ChannelStop(m_channel);
    m_channel = 0;
}

void CRecord::OnPause()
{
    if (m_channel) {
        if (BASS_ChannelIsActive(m_channel) == BASS_ACTIVE_PAUSED)
            BASS_ChannelPlay(m_channel, FALSE);
        else
            BASS_ChannelPause(m_channel);
    }
    UpdateRecordStatus();
}

void CRecord::OnStop()
{
    if (m_channel) {
        StopRecording();
    } else if (m_playback) {
        BASS_ChannelStop(m_playback);
        BASS_StreamFree(m_playback);
        m_playback = 0;
    }
    KillTimer(kFastTimer);
    KillTimer(kSlowTimer);
    UpdateRecordStatus();
}

void CRecord::StartOnPlay()
{
    if (m_link)
        OnStart();
}

void CRecord::StopOnStop()
{
    if (m_link)
        OnStop();
}

void CRecord::OnPlay()
{
    if (m_channel) {
        StopRecording();
        UpdateRecordStatus();
    }
    if (m_playback && BASS_ChannelIsActive(m_playback) == BASS_ACTIVE_PLAYING) {
        BASS_ChannelPause(m_playback);
    } else {
        BASS_Start();
        if (m_playback)
            BASS_StreamFree(m_playback);
        m_playback = BASS_StreamCreateFile(FALSE, m_recordedPath.c_str(), 0, 0, 0);
        if (m_playback)
            BASS_ChannelSetAttribute(m_playback, BASS_ATTRIB_VOL, float(g_defaultVolume) / 100);
        if (!m_playback || !BASS_ChannelPlay(m_playback, FALSE))
            ShowBassError("Can't play stream");
    }
    SetTimer(kFastTimer, kFastMs);
    SetTimer(kSlowTimer, kSlowMs);
    ParkFocus();
}

void CRecord::OnTimer(UINT_PTR id)
{
    if (id == kFastTimer && m_channel) {
        if (BASS_ChannelIsActive(m_channel) != BASS_ACTIVE_STOPPED) {
            char buffer[20000];
            BASS_ChannelGetData(m_channel, buffer, sizeof buffer);
            const double seconds = BASS_ChannelBytes2Seconds(m_channel, BASS_ChannelGetPosition(m_channel, BASS_POS_BYTE));
            m_timeLabel.SetText(m_fn.SecondsToText(int(seconds)));
            UpdateMeter();
        } else if (!m_encoderDeadShown) {
            // The encoder went away: the file ends here. Said once, and the
            // status no longer claims a recording.
            m_encoderDeadShown = true;
            StopRecording();
            KillTimer(kFastTimer);
            KillTimer(kSlowTimer);
            UpdateRecordStatus();
            ShowBassError("Error: The encoder died!\n");
        }
    } else if (id == kFastTimer && m_playback) {
        const double seconds = BASS_ChannelBytes2Seconds(m_playback, BASS_ChannelGetPosition(m_playback, BASS_POS_BYTE));
        m_timeLabel.SetText(m_fn.SecondsToText(int(seconds)));
    }
    UpdateData(FALSE);
}

void CRecord::UpdateMeter()
{
    const DWORD handle = m_channel ? m_channel : m_playback;
    const DWORD level = BASS_ChannelGetLevel(handle);
    if (level == DWORD(-1))
        return;
    const int left = int(LOWORD(level)), right = int(HIWORD(level));
    const int value = (left / 175 + right / 175) / 2;
    m_meter.SetData(&value, 0, 1);
}

void CRecord::UpdateRecordStatus()
{
    const DWORD state = m_channel ? BASS_ChannelIsActive(m_channel) : BASS_ACTIVE_STOPPED;
    if (state == BASS_ACTIVE_PLAYING)
        g_statusRecordText = "Recording on";
    else if (state == BASS_ACTIVE_PAUSED)
        g_statusRecordText = "Recording paused";
    else if (state == BASS_ACTIVE_STOPPED)
        g_statusRecordText = "Recording stopped";
    SendCommand(CMD_UPDATE_STATUS_BAR);
    ParkFocus();
}

// ---- naming, folder and link ----------------------------------------------------------------

void CRecord::OnNameByDate()
{
    m_naming = 0;
    GetDlgItem(1114)->EnableWindow(FALSE);
    StoreSetting("record - datename", "0");
    ParkFocus();
}

void CRecord::OnNameByTemplate()
{
    m_naming = 1;
    GetDlgItem(1114)->EnableWindow(TRUE);
    StoreSetting("record - datename", "1");
    ParkFocus();
}

void CRecord::OnChooseFolder()
{
    CFolderPicker picker;
    const std::string folder = picker.BrowseEx(this, "Select a folder:", 0, m_folder, BIF_NEWDIALOGSTYLE);
    if (!folder.empty()) {
        m_folder = folder;
        StoreSetting("record - path", m_folder);
        m_tooltip.AddTool(GetDlgItem(1209), m_folder);
    }
    ParkFocus();
}

void CRecord::OnChooseName()
{
    CGetName prompt(m_template, "Enter the filename:", this);
    if (prompt.DoModal() == IDOK) {
        m_template = prompt.GetName();
        StoreSetting("record - filename", m_template);
    }
    UpdateData(FALSE);
}

void CRecord::OnLinkToPlayer()
{
    m_link = m_link ? 0 : 1;
    ParkFocus();
}

void CRecord::OnFocusSinkChange() { m_sink.Empty(*this, 1225); }

// ---- window ---------------------------------------------------------------------------------

void CRecord::ApplyDialogColour()
{
    const COLORREF colour = RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB);
    SetBackgroundColor(colour);
    if (m_levelLabel.m_hWnd) {
        m_levelLabel.SetBkColor(colour);
        m_gainLabel.SetBkColor(colour);
    }
}

void CRecord::PlaceWindow()
{
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    const int w = g_largeLayout ? 460 : 395, h = g_largeLayout ? 405 : 330;
    if (g_recorderPosX > screenW - w)
        g_recorderPosX = screenW - w;
    if (g_recorderPosY > screenH - h)
        g_recorderPosY = screenH - h;
    if (g_recorderPosX < 0)
        g_recorderPosX = 0;
    if (g_recorderPosY < 0)
        g_recorderPosY = 0;
    const int x = g_recorderPosX, y = g_recorderPosY;
    SetWindowPos(&wndTop, x, y, w, h, SWP_SHOWWINDOW);
    if (g_largeLayout) {
        GetDlgItem(1209)->MoveWindow(28, 272, 360, 26);
        GetDlgItem(1114)->MoveWindow(140, 314, 190, 26);
    }
    ParkFocus();
}

void CRecord::OnHide()
{
    ParkFocus();
    ShowWindow(SW_HIDE);
}

void CRecord::StopAll()
{
    StopRecording();
    if (m_playback) {
        BASS_ChannelStop(m_playback);
        BASS_StreamFree(m_playback);
        m_playback = 0;
    }
    KillTimer(kFastTimer);
    KillTimer(kSlowTimer);
    BASS_RecordFree();
    UpdateRecordStatus();
}

void CRecord::OnCancel()
{
    StopAll();
    CToolDialog::OnCancel();
}

void CRecord::OnClose()
{
    StopAll();
    CToolDialog::OnClose();
}
