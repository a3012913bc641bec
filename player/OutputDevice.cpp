#include "player/OutputDevice.h"

BEGIN_MESSAGE_MAP(COutputDevice, CDialogEx)
    ON_BN_CLICKED(1097, OnBnClickedOk)
END_MESSAGE_MAP()

COutputDevice::COutputDevice(CWnd* parent) : CDialogEx(IDD, parent) {}

void COutputDevice::OnBnClickedOk() { OnOK(); }
