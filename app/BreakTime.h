#pragma once
// The break timer (template 398): counts the break between two tips down in
// large digits, turns them red and signals when the time is up, and goes on
// counting below zero so the caller sees how far the break has run over.
#include "controls/NewLabel.h"
#include "controls/ToolDialog.h"
#include "store/ResourceIds.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <functional>
#include <string>

class CBreakTime : public CToolDialog {
public:
    enum { IDD = IDD_BREAK_TIME };
    explicit CBreakTime(CWnd* parent = nullptr);

    // Starts the count, by hand or automatically (then shortened by "music - autobreaktime").
    void Start(bool automatic);

    // One minute more (add) or less.
    void AdjustMinute(bool add);

    // Re-reads length, alert flag and break music; colours.
    void ReloadSettings();

    // Moves to its saved place, on top, and shows.
    void PlaceWindow();

    // What the display shows now, and its text colour.
    std::string DisplayText() const { return m_display.GetText(); }
    COLORREF DisplayColor() const { return m_display.GetTextColor(); }
    CNewLabel& Display() { return m_display; }

    // Plays the alert sound; tests put a counter in its place. Empty restores the default.
    static void SetAlertPlayer(std::function<void()> player);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // The close box ends the break: the count stops at zero and the main
    // window destroys the window.
    void OnCancel() override;

    void OnTimer(UINT_PTR id);
    void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    void ApplyColors();
    void EndCount();
    void SignalBreakEnd();

    std::string m_musicPath;
    int m_minutes = 0;
    int m_alert = 0;
    MyFunctions m_fn;
    CMusicDb m_db;
    CNewLabel m_display;
};
