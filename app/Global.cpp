#include "app/Global.h"

BEGIN_MESSAGE_MAP(CGlobal, CDialogEx)
    ON_BN_CLICKED(1097, OnOkButton)
    ON_BN_CLICKED(1098, OnCancelButton)
END_MESSAGE_MAP()
