#include "app/MyTool.h"

#include "platform/win/DataExchange.h"

#include "platform/win/UnicodeText.h"

namespace texttool {
std::string ToLower(const std::string& text)
{
    return win::ToLower(text);
}

std::string ToUpper(const std::string& text)
{
    return win::ToUpper(text);
}
} // namespace texttool

BEGIN_MESSAGE_MAP(CMyTool, CDialogEx)
    ON_EN_CHANGE(1328, OnTextChanged)
    ON_BN_CLICKED(1329, OnLowerCase)
    ON_BN_CLICKED(1330, OnFirstUpper)
    ON_BN_CLICKED(1331, OnUpperCase)
    ON_BN_CLICKED(1235, OnToClipboard)
END_MESSAGE_MAP()

CMyTool::CMyTool(CWnd* parent) : CDialogEx(IDD, parent) {}

void CMyTool::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Text(dx, 1328, m_text);
}

BOOL CMyTool::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    m_text.clear();
    SetWindowPos(&wndTop, 100, 100, 490, 260, SWP_SHOWWINDOW);
    UpdateData(FALSE);
    return TRUE;
}

// Keeps the text what the edit shows, so the buttons work on it.
void CMyTool::OnTextChanged() { UpdateData(TRUE); }

void CMyTool::OnLowerCase()
{
    m_text = texttool::ToLower(m_text);
    UpdateData(FALSE);
}

void CMyTool::OnFirstUpper()
{
    m_text = m_fn.CapitalizeWords(m_text);
    UpdateData(FALSE);
}

void CMyTool::OnUpperCase()
{
    m_text = texttool::ToUpper(m_text);
    UpdateData(FALSE);
}

void CMyTool::OnToClipboard() { m_fn.CopyToClipboard(m_text); }
