#include "controls/ModelessInitDlg.h"

#include "platform/win/ProgressCtrl.h"
#include "store/AppGlobals.h"

namespace {
constexpr int kBar = 1011;
constexpr int kText = 1012;
} // namespace

CModelessInitDlg::CModelessInitDlg(CWnd* parent) : CDialogEx(IDD, parent) {}

BOOL CModelessInitDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    m_max = 0;
    return TRUE;
}

void CModelessInitDlg::PostNcDestroy()
{
    CDialogEx::PostNcDestroy();
    delete this;
}

void CModelessInitDlg::Show()
{
    if (CWnd* w = GetDlgItem(kText))
        w->UpdateWindow();
    UpdateWindow();
}

void CModelessInitDlg::SetText(const std::string& text)
{
    SetDlgItemText(kText, text);
    Show();
}

void CModelessInitDlg::StartProgress(int low, int high, int step)
{
    m_max = high;
    m_step = step;
    if (auto* bar = dynamic_cast<CProgressCtrl*>(GetDlgItem(kBar))) {
        bar->ShowWindow(SW_SHOW);
        bar->SetRange(low, high);
        bar->SetPos(low);
    }
    Show();
}

void CModelessInitDlg::Step()
{
    if (auto* bar = dynamic_cast<CProgressCtrl*>(GetDlgItem(kBar)))
        if (bar->GetPos() < m_max)
            bar->SetPos(bar->GetPos() + m_step);
}

bool CModelessInitDlg::StepAndTest()
{
    auto* bar = dynamic_cast<CProgressCtrl*>(GetDlgItem(kBar));
    if (!bar || bar->GetPos() >= m_max)
        return true;
    bar->SetPos(bar->GetPos() + m_step);
    Show();
    return false;
}
