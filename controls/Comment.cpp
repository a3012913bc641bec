#include "controls/Comment.h"

#include "platform/win/DataExchange.h"

BEGIN_MESSAGE_MAP(CComment, CDialogEx)
    ON_BN_CLICKED(1097, OnOkButton)
    ON_BN_CLICKED(1098, OnCancelButton)
END_MESSAGE_MAP()

CComment::CComment(const std::string& text, CWnd* parent) : CDialogEx(IDD, parent), m_text(text) {}

void CComment::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Text(dx, 1197, m_text);
}

void CComment::OnOkButton()
{
    UpdateData(TRUE);
    m_confirmed = 1;
    EndDialog(IDOK);
}
