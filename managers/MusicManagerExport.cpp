#include "managers/MusicManagerExport.h"

#include "platform/win/Button.h"
#include "platform/win/DataExchange.h"
#include "store/AppGlobals.h"

namespace {
constexpr int kOneFile = 1136;
constexpr int kMultiple = 1137;
constexpr int kSubdirs = 1307;
constexpr int kOk = 1097;
constexpr int kCancel = 1098;
} // namespace

BEGIN_MESSAGE_MAP(CMusicManagerExport, CDialogEx)
    ON_BN_CLICKED(kOneFile, OnOneFile)
    ON_BN_CLICKED(kMultiple, OnMultipleFiles)
    ON_BN_CLICKED(kSubdirs, OnIncludeSubdirs)
    ON_BN_CLICKED(kOk, OnOK)
    ON_BN_CLICKED(kCancel, OnCancel)
END_MESSAGE_MAP()

CMusicManagerExport::CMusicManagerExport(int importForm, CWnd* parent)
    : CDialogEx(IDD, parent), m_import(importForm)
{
}

BOOL CMusicManagerExport::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    SetDefID(kOk);
    if (m_import == 1) {
        SetDlgItemText(kOneFile, "Import from one CSV file");
        SetDlgItemText(kMultiple, "Import from multiple CSV files");
        GetDlgItem(kSubdirs)->EnableWindow(FALSE);
    } else {
        GetDlgItem(kSubdirs)->ShowWindow(SW_HIDE);
    }
    m_includeSubdirs = 0;
    m_mode = 0;
    UpdateData(FALSE);
    return TRUE;
}

void CMusicManagerExport::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Radio(dx, kOneFile, m_mode);
    DDX_Check(dx, kSubdirs, m_includeSubdirs);
}

void CMusicManagerExport::OnOneFile()
{
    m_mode = 0;
    if (m_import == 1)
        GetDlgItem(kSubdirs)->EnableWindow(FALSE);
    UpdateData(FALSE);
}

void CMusicManagerExport::OnMultipleFiles()
{
    m_mode = 1;
    if (m_import == 1)
        GetDlgItem(kSubdirs)->EnableWindow(TRUE);
    UpdateData(FALSE);
}

void CMusicManagerExport::OnIncludeSubdirs()
{
    m_includeSubdirs = m_includeSubdirs ? 0 : 1;
    UpdateData(FALSE);
}

void CMusicManagerExport::OnOK()
{
    UpdateData(TRUE);
    if (m_mode < 0)
        m_mode = 0;
    EndDialog(IDOK);
}

void CMusicManagerExport::OnCancel()
{
    m_mode = -1;
    EndDialog(IDCANCEL);
}
