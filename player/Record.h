#pragma once
// The recorder (template 185), a modeless tool window of the main window: it
// records a recording device of the audio library at 44100 Hz stereo and
// pipes the sound into the outside encoder "lame", which writes the MP3 file.
// Files are named by date and time or by a name template with a counter; the
// last recording can be played back, and with the link on the recorder
// follows the player's start and stop. Its state shows in the fifth pane of
// the main window's status bar.
#include "controls/ToolDialog.h"
#include "player/ToolWindowKit.h"
#include "controls/BitmapSlider.h"
#include "controls/ButtonST.h"
#include "controls/NewLabel.h"
#include "controls/PPToolTip.h"
#include "controls/PeakMeterCtrl.h"
#include "platform/audio/Bass.h"
#include "platform/win/ComboBox.h"
#include "platform/win/MFCButton.h"
#include "platform/win/SpinButtonCtrl.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <ctime>
#include <string>

class CRecord : public CToolDialog {
public:
    enum { IDD = 185 };
    explicit CRecord(CWnd* parent = nullptr);
    ~CRecord() override;

    // Starts or resumes recording when the link to the player is on.
    void StartOnPlay();
    // Stops recording when the link to the player is on.
    void StopOnStop();
    // Background and the value labels take the dialog colour.
    void ApplyDialogColour();
    // Moves to its saved place at its size, kept on the screen.
    void PlaceWindow();

    BOOL PreTranslateMessage(MSG* msg) override;

    // "20250203_090507.mp3" for 2025-02-03 09:05:07.
    static std::string DateTimeName(const std::tm& local);
    // The template's base name (or the keyword's expansion), the counter with
    // at least two digits and ".mp3"; the counter moves on and is stored.
    std::string NameWithCounter();
    std::string ExpandNameTemplate(const std::string& nameTemplate) const;

    // What a test or the main window can see.
    HRECORD RecordingChannel() const { return m_channel; }
    HSTREAM PlaybackStream() const { return m_playback; }
    const std::string& RecordedPath() const { return m_recordedPath; }
    int Counter() const { return m_counter; }

    // The encoder program, "lame" unless a test gives another.
    static void SetEncoderProgram(const std::string& program);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnClose();
    void OnTimer(UINT_PTR id);
    LRESULT OnSliderMoving(WPARAM id, LPARAM pos);
    void OnDeviceChange();
    void OnInputChange();
    void OnHide();
    void OnLinkToPlayer();
    void OnNameByDate();
    void OnNameByTemplate();
    void OnChooseName();
    void OnChooseFolder();
    void OnStart();
    void OnStop();
    void OnPause();
    void OnPlay();
    void OnFocusSinkChange();
    void OnNameKillFocus() { UpdateData(TRUE); }
    void ParkFocus() override;

private:
    bool InitDevice(int device);
    void ReadInputLevel();
    void ApplyLevels();
    std::string MakeFileName();
    bool StartRecording();
    void StopRecording();
    void StopAll();
    void UpdateMeter();
    void UpdateRecordStatus();
    void ShowBassError(const std::string& message);
    void StoreSetting(const char* key, const std::string& value);

    HRECORD m_channel = 0;
    HSTREAM m_playback = 0;
    std::string m_recordedPath;
    int m_device = 0;
    int m_input = 0;
    int m_inputLevel = 0;
    int m_recordGain = 0;
    int m_naming = 0;
    int m_counter = 1;
    std::string m_template;
    std::string m_folder;
    int m_link = 0;
    toolkit::FocusSinkText m_sink;
    bool m_encoderDeadShown = false;

    CPPToolTip m_tooltip;
    CBitmapSlider m_levelSlider, m_gainSlider;
    CNewLabel m_levelLabel, m_gainLabel, m_nameLabel, m_timeLabel;
    CPeakMeterCtrl m_meter;
    CButtonST m_start, m_stop, m_pause, m_play;
    CComboBox m_devices, m_inputs;
    CMFCButton m_hide;
    CSpinButtonCtrl m_counterSpin;
    CMusicDb m_db;
    MyFunctions m_fn;
};
