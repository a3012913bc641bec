#include "import/ImportOld.h"

#include "platform/win/DataExchange.h"

BEGIN_MESSAGE_MAP(CImportOld, CDialogEx)
    ON_BN_CLICKED(1097, OnClickedOk)
    ON_BN_CLICKED(1098, OnClickedCancel)
END_MESSAGE_MAP()

CImportOld::CImportOld(int mode, CWnd* parent) : CDialogEx(IDD, parent), m_mode(mode) {}

void CImportOld::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Check(dx, 1179, m_importSettings);
    DDX_Check(dx, 1032, m_importMusic);
    DDX_Check(dx, 1180, m_importMarry);
    DDX_Check(dx, 1175, m_importMarked);
    DDX_Check(dx, 1177, m_importTrack);
    DDX_Check(dx, 1178, m_importMemory);
    DDX_Check(dx, 1183, m_importHotkeys);
    DDX_Check(dx, 1184, m_importStylesheet);
    DDX_Text(dx, 1181, m_folderPath);
    DDX_Text(dx, 1182, m_databasePath);
}
