#include "options/OptionChoreo.h"

BEGIN_MESSAGE_MAP(COptionChoreo, CDialogEx)
    ON_BN_CLICKED(1097, OnBnClickedOk)
END_MESSAGE_MAP()

COptionChoreo::COptionChoreo(CWnd* parent) : CDialogEx(IDD, parent) {}

void COptionChoreo::OnBnClickedOk() { OnOK(); }
