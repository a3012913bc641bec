#include "controls/GetName.h"

#include "platform/win/DataExchange.h"

BEGIN_MESSAGE_MAP(CGetName, CDialogEx)
    ON_BN_CLICKED(1097, OnOkButton)
    ON_BN_CLICKED(1098, OnCancelButton)
    ON_EN_KILLFOCUS(1067, OnNameKillFocus)
END_MESSAGE_MAP()

CGetName::CGetName(const std::string& name, const std::string& prompt, CWnd* parent)
    : CDialogEx(IDD, parent), m_name(name), m_prompt(prompt)
{
}

void CGetName::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Text(dx, 1067, m_name);
    DDX_Text(dx, 1012, m_prompt);
}

void CGetName::OnOkButton()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CGetName::OnCancel()
{
    m_name.clear();
    CDialogEx::OnCancel();
}
