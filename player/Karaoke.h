#pragma once
// The karaoke window (template 409), a modeless tool window of the main
// window. While it is open the player opens a same-named ".cdg" companion for
// every MP3, and the window repaints the add-on's current frame of that
// stream on a timer, stretched over its client area; without one it shows
// the logo.
#include "controls/ToolDialog.h"

#include <string>

class CKaraoke : public CToolDialog {
public:
    enum { IDD = 409 };
    explicit CKaraoke(CWnd* parent = nullptr);

    // Moves to its saved place and size, kept on the screen.
    void PlaceWindow();

    // Restarts its repaint timer from "music - karaokemillie".
    void RestartFrameTimer();

    // Caption "Karaoke - " and the file name of the path.
    void SetSongTitle(const std::string& path);

    // The repaint period in milliseconds (at least 50).
    int FramePeriod() const { return m_period; }

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnClose();
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnWindowPosChanged(WINDOWPOS* pos);

private:
    void ReadFramePeriod();

    int m_period = 50;
};
