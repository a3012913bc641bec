#pragma once
// The karaoke window (template 409), a modeless tool window of the main
// window. This class offers what the main window calls; the window's own work
// comes with the music player.
#include "platform/win/Dialog.h"

#include <string>

class CKaraoke : public CDialogEx {
public:
    enum { IDD = 409 };
    explicit CKaraoke(CWnd* parent = nullptr);

    // Moves to its saved place and size.
    void PlaceWindow();

    // Restarts its repaint timer from "music - karaokemillie".
    void RestartFrameTimer();

    // Caption "Karaoke - " and the file name of the path.
    void SetSongTitle(const std::string& path);

protected:
    // Closing the window tells the main window (929), which destroys it.
    void OnCancel() override;
    void OnOK() override {}
};
