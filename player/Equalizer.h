#pragma once
// The equalizer window (template 189), a modeless tool window of the main
// window: three bands, the master volume and master tempo and pitch offsets
// on six inverted sliders, the equalizer on and off, named configurations in
// table eq, and whether each song keeps its own equalizer. It writes the
// player's values and asks the main window to apply them (706).
#include "controls/ToolDialog.h"
#include "player/ToolWindowKit.h"
#include "controls/BitmapSlider.h"
#include "controls/NewLabel.h"
#include "controls/PPToolTip.h"
#include "platform/win/ComboBox.h"
#include "platform/win/MFCButton.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <string>

// The name prompt of a new configuration (template 461).
class CEqName : public CDialogEx {
public:
    enum { IDD = 461 };
    explicit CEqName(CWnd* parent = nullptr);
    const std::string& GetName() const { return m_name; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    DECLARE_MESSAGE_MAP()
    void OnOkButton();
    void OnCancelButton() { OnCancel(); }

private:
    std::string m_name;
};

class CEqualizer : public CToolDialog {
public:
    enum { IDD = 189 };
    explicit CEqualizer(CWnd* parent = nullptr);

    // Sets its sliders and labels from the current equalizer, tempo, pitch and volume.
    void RefreshControls();
    // Switches the equalizer on or off and asks the main window to apply the values.
    void SetEqualizerOn(bool on);
    // Selects and applies the configuration named by "music - eqname".
    void SelectStoredConfig();
    // Background and labels take the dialog colour.
    void ApplyDialogColour();
    // Moves to its saved place at its size, kept on the screen.
    void PlaceWindow();

    BOOL PreTranslateMessage(MSG* msg) override;

    bool IsOn() const { return m_on != 0; }
    // A slider position for a value: the maximum is at the top.
    static int InvertSliderPos(int max, int value) { return max - value; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnClose();
    void OnOnOffButton();
    LRESULT OnSliderMoving(WPARAM id, LPARAM pos);
    void OnConfigSelected();
    void OnSaveConfig();
    void OnDeleteConfig();
    void OnEachSongToggle();
    void OnFocusEditChange();

private:
    void LoadConfigs();
    void ShowOnState();
    void SelectAll(const std::string& name);
    void CloseWindow();

    int m_on = 0;
    int m_eachSong = 0;
    toolkit::FocusSinkText m_sink;
    CPPToolTip m_tooltip;
    CBitmapSlider m_bass, m_mid, m_treble, m_volume, m_tempo, m_pitch;
    CNewLabel m_bassLabel, m_midLabel, m_trebleLabel, m_volumeLabel, m_tempoLabel, m_pitchLabel;
    CMFCButton m_onOff;
    CComboBox m_configs;
    CMusicDb m_db;
    MyFunctions m_fn;
};
