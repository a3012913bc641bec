#include "player/OutputDevice.h"

#include "platform/win/DataExchange.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"

#include <string>

namespace {

constexpr UINT_PTR kRefreshTimer = 1;

COutputDevice::DeviceSource& deviceSource()
{
    static COutputDevice::DeviceSource source;
    return source;
}

BOOL deviceInfo(DWORD device, BASS_DEVICEINFO* info)
{
    if (deviceSource())
        return deviceSource()(device, info);
    return BASS_GetDeviceInfo(device, info);
}

} // namespace

BEGIN_MESSAGE_MAP(COutputDevice, CDialogEx)
    ON_WM_TIMER()
    ON_BN_CLICKED(1097, OnOkButton)
    ON_BN_CLICKED(1098, OnCancelButton)
    ON_BN_CLICKED(1099, OnDefault)
    ON_LBN_SELCHANGE(1009, OnListSelChange)
    ON_LBN_DBLCLK(1009, OnListDoubleClick)
END_MESSAGE_MAP()

COutputDevice::COutputDevice(CWnd* parent) : CDialogEx(IDD, parent) {}

void COutputDevice::SetDeviceSource(DeviceSource source) { deviceSource() = std::move(source); }

void COutputDevice::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, 1009, m_list);
}

BOOL COutputDevice::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    SetTimer(kRefreshTimer, 5000);
    CMusicDb db;
    m_device = db.GetSettingInt("music - outputdevice", 1);
    FillDeviceList();
    return TRUE;
}

// Only enabled devices get a row; each row keeps its device number, so a
// disabled device between two others hides nothing after it.
void COutputDevice::FillDeviceList()
{
    m_list.ResetContent();
    m_rowDevices.assign(1, -1);
    m_list.AddString("Default Output");
    BASS_DEVICEINFO info{};
    for (DWORD device = 0; deviceInfo(device, &info); ++device) {
        if (!(info.flags & BASS_DEVICE_ENABLED))
            continue;
        m_list.AddString(info.name ? info.name : "");
        m_rowDevices.push_back(int(device));
    }
    // A stored device that is gone shows no selection; OK then keeps it.
    m_list.SetCurSel(-1);
    for (size_t row = 0; row < m_rowDevices.size(); ++row)
        if (m_rowDevices[row] == m_device)
            m_list.SetCurSel(int(row));
}

void COutputDevice::OnTimer(UINT_PTR id)
{
    if (id == kRefreshTimer)
        FillDeviceList();
}

void COutputDevice::OnOkButton() { OnOK(); }
void COutputDevice::OnCancelButton() { OnCancel(); }

void COutputDevice::OnOK()
{
    CMusicDb db;
    db.SetSetting("music - outputdevice", std::to_string(m_device), 1);
    KillTimer(kRefreshTimer);
    EndDialog(IDOK);
}

void COutputDevice::OnCancel()
{
    KillTimer(kRefreshTimer);
    EndDialog(IDCANCEL);
}

void COutputDevice::OnDefault()
{
    m_device = -1;
    m_list.SetCurSel(0);
}

void COutputDevice::OnListSelChange()
{
    const int row = m_list.GetCurSel();
    if (row >= 0 && size_t(row) < m_rowDevices.size())
        m_device = m_rowDevices[size_t(row)];
}

void COutputDevice::OnListDoubleClick()
{
    OnListSelChange();
    OnOK();
}
