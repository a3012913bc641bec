#pragma once
// The output-device choice (template 237), run modally: "Default Output" and
// every enabled output device of the audio library, refreshed every 5 s so a
// device plugged in or out shows up or goes. OK stores the choice as
// "music - outputdevice" (-1 the default device); Cancel stores nothing.
#include "platform/audio/Bass.h"
#include "platform/win/Dialog.h"
#include "platform/win/ListBox.h"

#include <functional>
#include <vector>

class COutputDevice : public CDialogEx {
public:
    enum { IDD = 237 };
    explicit COutputDevice(CWnd* parent = nullptr);

    // Where the device names come from (the audio library; tests give their own).
    using DeviceSource = std::function<BOOL(DWORD device, BASS_DEVICEINFO* info)>;
    static void SetDeviceSource(DeviceSource source);

    // The device numbers of the list's rows: row 0 is -1, the default device.
    const std::vector<int>& RowDevices() const { return m_rowDevices; }

    // Refills the list from the devices the library knows now.
    void FillDeviceList();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnTimer(UINT_PTR id);
    void OnOkButton();
    void OnCancelButton();
    void OnDefault();
    void OnListSelChange();
    void OnListDoubleClick();

private:
    CListBox m_list;
    // The chosen device number (-1 the default device).
    int m_device = -1;
    std::vector<int> m_rowDevices;
};
