#include "controls/DpiMsg.h"

#include "platform/win/DataExchange.h"
#include "platform/win/MessageBox.h"

#include <exception>

BEGIN_MESSAGE_MAP(CDpiMsg, CDialogEx)
    ON_BN_CLICKED(1284, OnDontShow)
    ON_BN_CLICKED(1075, OnOkButton)
END_MESSAGE_MAP()

CDpiMsg::CDpiMsg(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDpiMsg::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Check(dx, 1284, m_dontShow);
}

void CDpiMsg::OnDontShow()
{
    m_dontShow = m_dontShow ? 0 : 1;
    UpdateData(FALSE);
}

void CDpiMsg::OnOkButton()
{
    if (m_dontShow) {
        try {
            m_db.SetSetting("general - dpimsg", "true", 1);
        } catch (const std::exception& e) {
            // The warning comes again next time; say why rather than pretend.
            AfxMessageBox(e.what(), MB_OK | MB_ICONEXCLAMATION);
        }
    }
    EndDialog(IDOK);
}
