// The music page's audio engine: the start of the audio library, its errors,
// the restart after a device change, the sound font and the song's beat scan.
#include "player/DlgMp3.h"

#include "karaoke/Karalux.h"
#include "platform/audio/BassFx.h"
#include "platform/audio/BassPlugin.h"
#include "platform/win/MessageBox.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"
#include "store/StoreGlobals.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// The karaoke add-on: the data folder's copy first, then the one beside the program.
std::string KaraokeLibraryPath()
{
    namespace fs = std::filesystem;
    const std::string name = "libkaralux.so";
    std::error_code ec;
    const fs::path inData = fs::path(g_baseFolder) / name;
    if (!g_baseFolder.empty() && fs::exists(inData, ec))
        return inData.string();
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path beside = program.parent_path() / name;
        if (fs::exists(beside, ec))
            return beside.string();
    }
    return inData.string();
}

} // namespace

std::function<BOOL(int, DWORD, DWORD)>& CDlgMp3::InitHook()
{
    static std::function<BOOL(int, DWORD, DWORD)> hook;
    return hook;
}

namespace {

BOOL InitDevice(int device, DWORD flags)
{
    if (auto& hook = CDlgMp3::InitHook())
        return hook(device, 44100, flags);
    return BASS_Init(device, 44100, flags, nullptr, nullptr);
}

// A device this process has open already is ready to use.
bool Opened(BOOL ok) { return ok || BASS_ErrorGetCode() == BASS_ERROR_ALREADY; }

} // namespace

void CDlgMp3::StartAudio()
{
    m_fn.EnterDataFolder();
    const bool mono = m_db.GetSettingBool("music - bassmono", 1);
    const DWORD flags = mono ? BASS_DEVICE_MONO : 0;
    if (HIWORD(BASS_GetVersion()) != BASSVERSION)
        ::MessageBox(m_hWnd, "Error: BASS version 2.4 or greater was not loaded!", "Mirtal", MB_ICONSTOP);

    StopTimer(kTimerAudioRetry);
    const bool chosenDevice = g_outputDevice >= 0 || mono;
    bool opened = Opened(chosenDevice ? InitDevice(g_outputDevice, flags) : InitDevice(-1, 0));
    if (!opened) {
        // A chosen device that fails falls back to the default one at once; the default
        // device is tried again later only when a retry can help (it exists but is busy).
        const int code = BASS_ErrorGetCode();
        if (chosenDevice)
            opened = Opened(InitDevice(-1, 0));
        else if (code != BASS_ERROR_DEVICE)
            ArmTimer(kTimerAudioRetry, 5000);
        else
            ReportNoDevice();
        if (chosenDevice && !opened)
            ReportNoDevice();
    }

    BASS_PluginLoad(KaraokeLibraryPath().c_str(), 0);
    KARALUX_SetConfig(KARALUX_CONFIG_NODRAW, 1);
    BASS_Start();
    BASS_SetConfig(35, 1);
    BASS_SetConfig(BASS_CONFIG_AAC_MP4, 1);
    LoadSoundFont();
    if (g_maxVolume)
        BASS_SetVolume(1.0f);
    g_masterVolume = int(BASS_GetVolume() * 100);
    m_audioStarted = 1;
}

void CDlgMp3::ReportNoDevice()
{
    if (BASS_ErrorGetCode() == BASS_ERROR_DEVICE)
        ::MessageBox(m_hWnd, "Bass.dll can not find a sounddevice on the computer", "Mirtal", MB_ICONSTOP);
    else
        ShowBassError("Can not init Bass.dll");
}

// The second attempt on the default device, five seconds after the first.
void CDlgMp3::OpenAudioDevice()
{
    StopTimer(kTimerAudioRetry);
    if (!Opened(InitDevice(-1, 0))) {
        ReportNoDevice();
        return;
    }
    BASS_Start();
    if (g_maxVolume)
        BASS_SetVolume(1.0f);
    g_masterVolume = int(BASS_GetVolume() * 100);
}

std::string CDlgMp3::BassErrorText(const std::string& message, int code)
{
    char head[201];
    std::snprintf(head, sizeof head, "%s\n\nBASS error code: %d", message.c_str(), code);
    return std::string(head) +
           (code == BASS_ERROR_HANDLE ? "\r\n\r\nCheck the filepath." : "\r\n\r\nSee the helpfile for more information.");
}

void CDlgMp3::ShowBassError(const std::string& message)
{
    const int code = BASS_ErrorGetCode();
    ::MessageBox(m_hWnd, BassErrorText(message, code), "Mirtal", MB_ICONSTOP);
    if (code == BASS_ERROR_START || code == BASS_ERROR_ALREADY)
        SendCommand(CMD_SELECT_OUTPUT_DEVICE_ON_ERROR);
}

void CDlgMp3::RestartAudio()
{
    // The song and the library go first: the new device (or an earlier one) is then
    // opened afresh, and the song is opened again there.
    const std::string path = g_currentSongPath;
    const int list = m_currentList, row = m_currentRow, type = m_listType, naming = m_namingMode;
    if (g_playing)
        Pause();
    FreeSong();
    BASS_Free();
    StartAudio();
    if (!path.empty())
        OpenSong(list, row, path, type, 1, naming);
}

void CDlgMp3::LoadSoundFont()
{
    if (m_soundFont)
        BASS_MIDI_FontFree(m_soundFont);
    m_soundFont = BASS_MIDI_FontInit(g_soundFontPath.c_str(), 0);
    const BASS_MIDI_FONT font{m_soundFont, -1, 0};
    BASS_MIDI_StreamSetFonts(0, &font, 1);
}

BOOL CDlgMp3::DestroyWindow()
{
    BASS_Free();
    m_stream = 0;
    g_cdgStream = 0;
    return CDialogEx::DestroyWindow();
}

float CDlgMp3::DetectedBpm()
{
    // The beat scan runs in the background; its answer is taken the first time it is needed.
    if (m_bpmScan) {
        const float bpm = BASS_FX_BPM_DecodeGet(m_bpmScan, 60.0, 90.0, 0, 0x10003, nullptr, nullptr);
        m_bpmScan = 0;
        if (bpm > 0)
            m_detectedBpm = bpm;
    }
    return m_detectedBpm;
}
