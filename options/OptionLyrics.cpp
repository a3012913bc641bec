#include "options/OptionLyrics.h"

BEGIN_MESSAGE_MAP(COptionLyrics, CDialogEx)
    ON_BN_CLICKED(1097, OnBnClickedOk)
END_MESSAGE_MAP()

COptionLyrics::COptionLyrics(CWnd* parent) : CDialogEx(IDD, parent) {}

void COptionLyrics::OnBnClickedOk() { OnOK(); }
