#include "texts/SelectLevel.h"

#include "store/MyFunctions.h"
#include "platform/win/DataExchange.h"

namespace {
constexpr int kFirstRadio = 1136;
constexpr int kLastRadio = 1145;
constexpr int kOkButton = 1270;
} // namespace

BEGIN_MESSAGE_MAP(CSelectLevel, CDialogEx)
    ON_COMMAND_RANGE(kFirstRadio, kLastRadio, OnRadio)
    ON_BN_CLICKED(kOkButton, OnOkButton)
END_MESSAGE_MAP()

CSelectLevel::CSelectLevel(CWnd* parent) : CDialogEx(IDD, parent) {}

void CSelectLevel::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Radio(dx, kFirstRadio, m_selected);
}

BOOL CSelectLevel::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_selected = 0;
    UpdateData(FALSE);
    return TRUE;
}

void CSelectLevel::OnRadio(UINT id)
{
    m_selected = int(id) - kFirstRadio;
    UpdateData(FALSE);
}

void CSelectLevel::OnOkButton()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

std::string CSelectLevel::GetLevelCode() const
{
    return m_selected >= 0 && m_selected <= 9 ? MyFunctions().LevelCode(m_selected + 1) : std::string();
}
