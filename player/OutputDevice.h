#pragma once
// The output-device choice (template 237), run modally. Ending with OK means
// the chosen device was stored as "music - outputdevice". The list of devices
// comes with the music player.
#include "platform/win/Dialog.h"

class COutputDevice : public CDialogEx {
public:
    enum { IDD = 237 };
    explicit COutputDevice(CWnd* parent = nullptr);

protected:
    DECLARE_MESSAGE_MAP()
    void OnBnClickedOk();
};
