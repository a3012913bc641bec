#include "options/OptionHotkeys.h"

BEGIN_MESSAGE_MAP(COptionHotkeys, CDialogEx)
    ON_BN_CLICKED(1097, OnBnClickedOk)
END_MESSAGE_MAP()

COptionHotkeys::COptionHotkeys(CWnd* parent) : CDialogEx(IDD, parent) {}

void COptionHotkeys::OnBnClickedOk() { OnOK(); }
