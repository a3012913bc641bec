#pragma once
// The show-calls window (template 178): every few seconds a random call of
// the current level in large letters, the two before it moved down a line.
// The calls come from utility.db, from the caller's calls file of the level,
// or from both.
#include "controls/ToolDialog.h"
#include "controls/NewLabel.h"
#include "controls/PPToolTip.h"
#include "platform/win/Controls.h"
#include "platform/win/MFCButton.h"
#include "platform/win/SpinButtonCtrl.h"
#include "store/ResourceIds.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/UtilityDb.h"

#include <array>
#include <string>
#include <vector>

// The calls of utility.db for the levels 1 to 10 (index 0 to 9), as stored.
extern std::array<std::vector<std::string>, 10> g_levelCalls;
// The lines of the calls file of the current level.
extern std::vector<std::string> g_fileCalls;
// What the window draws from.
extern std::vector<std::string> g_callPool;

class CCalls : public CToolDialog {
public:
    enum { IDD = IDD_CALLS };
    explicit CCalls(CWnd* parent = nullptr);

    // Loads the settings and all calls after creation and starts the display.
    void LoadCalls();

    // Rebuilds the pool for the current level and starts the display again.
    void BuildPool();

    // Starts or stops showing calls.
    void ToggleScrolling();

    // Shows the next call at once, also while scrolling is off.
    void ShowNextCall();

    // Dialog and line backgrounds from the dialog colour.
    void ApplyColors();

    // Moves to its saved place and size, on top, and shows.
    void PlaceWindow();

    // What the lines show (0 is the newest) and at which font height.
    std::string LineText(int line) const;
    int LineFontHeight(int line) const { return m_fontHeight[size_t(line)]; }
    bool IsPaused() const { return m_paused != 0; }
    bool IsTimerRunning() const { return m_timerId != 0; }
    int Seconds() const { return m_seconds; }
    const std::string& CallsPath() const { return m_path; }
    CPPToolTip& Tips() { return m_tips; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void ParkFocus() override;

    void OnTimer(UINT_PTR id);
    void OnSize(UINT type, int cx, int cy);
    void OnMove(int x, int y);
    void OnHide();
    void OnScrolling();
    void OnSourceChange();
    void OnChooseFile();
    void OnSecondsChange();
    void OnSinkChange();

    DECLARE_MESSAGE_MAP()

private:
    void ReadCallsPath();
    void LoadCallsFile(const std::string& path);
    std::string PickCall() const;
    void StartDisplay();
    void RestartTimer();
    void LayoutLines();
    void SetLineFont(int line, int height);

    CPPToolTip m_tips;
    MyFunctions m_fn;
    CMusicDb m_db;
    CUtilityDb m_udb;
    UINT_PTR m_timerId = 0;
    std::array<CNewLabel, 3> m_lines;
    std::array<int, 3> m_fontHeight{56, 56, 56};
    CMFCButton m_scroll;
    int m_seconds = 3;
    CSpinButtonCtrl m_spin;
    int m_paused = 0;
    CMFCButton m_hide;
    std::string m_sink;
    int m_source = 0;
    std::string m_path;
    bool m_placed = false;
    bool m_refreshing = false;
};
