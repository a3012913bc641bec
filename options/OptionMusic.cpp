#include "options/OptionMusic.h"

BEGIN_MESSAGE_MAP(COptionMusic, CDialogEx)
    ON_BN_CLICKED(1097, OnBnClickedOk)
END_MESSAGE_MAP()

COptionMusic::COptionMusic(CWnd* parent) : CDialogEx(IDD, parent) {}

void COptionMusic::OnBnClickedOk() { OnOK(); }
