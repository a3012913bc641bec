#include "options/OptionPage.h"

#include "store/AppGlobals.h"
#include "store/CommandCodes.h"
#include "platform/win/DataExchange.h"
#include "platform/win/MessageBox.h"
#include "platform/win/WinApp.h"

namespace {

constexpr UINT kGridFrame = 1096;
constexpr UINT kCheckBitmap = 206;   // IDB_CHECK32
constexpr UINT kCheckNoBitmap = 211; // IDB_CHECKNO32

} // namespace

BEGIN_MESSAGE_MAP(COptionPage, CDialogEx)
    ON_BN_CLICKED(1097, OnBnClickedOk)
    ON_BN_CLICKED(1098, OnBnClickedCancel)
    ON_BN_CLICKED(1099, OnBnClickedDefault)
    ON_WM_HELPINFO()
    ON_WM_TIMER()
    ON_MESSAGE(AFX_WM_PROPERTY_CHANGED, OnPropertyChanged)
END_MESSAGE_MAP()

COptionPage::COptionPage(UINT templateId, CWnd* parent) : CDialogEx(templateId, parent) {}

void COptionPage::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kGridFrame, m_gridFrame);
    DDX_Control(dx, 1097, m_ok);
    DDX_Control(dx, 1098, m_cancel);
    DDX_Control(dx, 1099, m_default);
}

int COptionPage::Dpi() const { return m_propertyGrid.GetDpi(); }

BOOL COptionPage::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB), TRUE);
    m_ok.SetImage(kCheckBitmap);
    m_cancel.SetImage(kCheckNoBitmap);
    m_default.SetImage(kCheckBitmap);

    CRect rect;
    m_gridFrame.GetWindowRect(rect);
    ScreenToClient(rect);
    m_propertyGrid.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, rect, this, UINT(-1));
    m_propertyGrid.EnableHeaderCtrl(TRUE, "Property", "Value");
    m_propertyGrid.EnableDescriptionArea(TRUE);
    m_propertyGrid.SetVSDotNetLook(TRUE);
    m_propertyGrid.MarkModifiedProperties(TRUE, TRUE);
    m_propertyGrid.SetShowDragContext(TRUE);

    BuildPage();
    m_propertyGrid.ExpandAll(OpensExpanded() ? TRUE : FALSE);
    try {
        LoadPage();
    } catch (const std::exception& e) {
        // The page opens with what it was built with.
        m_propertyGrid.ResetOriginalValues(TRUE);
        ReportDatabaseError(e, false);
    }
    m_timerId = SetTimer(1, 200);
    UpdateData(FALSE);
    return TRUE;
}

void COptionPage::ReportDatabaseError(const std::exception& e, bool saving)
{
    m_db.AbortBatch();
    const std::string what = saving ? "The settings could not be saved; the changes of the failed step were not "
                                      "stored and the page stays open."
                                    : "The settings could not be read; the page shows the default values.";
    MessageBox(m_hWnd, what + "\n\n" + e.what(), kAppCaption, MB_OK | MB_ICONERROR);
}

void COptionPage::OnBnClickedOk()
{
    if (SavePage())
        OnOK();
}

void COptionPage::OnBnClickedCancel() { OnCancel(); }

void COptionPage::OnBnClickedDefault()
{
    const bool wait = ResetsUnderWaitCursor();
    if (wait)
        BeginWaitCursor();
    m_propertyGrid.ResetOriginalValues(TRUE);
    if (wait) {
        UpdateData(FALSE);
        EndWaitCursor();
    }
}

BOOL COptionPage::OnHelpInfo(HELPINFO*)
{
    if (CWnd* main = AfxGetMainWnd(); main && main != this)
        main->SendMessage(WM_KEYDOWN, CMD_HELP, 0);
    return FALSE;
}

void COptionPage::OnTimer(UINT_PTR id)
{
    if (id == m_timerId) {
        KillTimer(m_timerId);
        m_propertyGrid.SetFocus();
        UpdateData(FALSE);
    }
    CDialogEx::OnTimer(id);
}

LRESULT COptionPage::OnPropertyChanged(WPARAM, LPARAM lParam)
{
    PropertyChanged(reinterpret_cast<CMFCPropertyGridProperty*>(lParam));
    return 0;
}

BOOL COptionPage::DestroyWindow()
{
    ForgetGroups();
    return CDialogEx::DestroyWindow();
}
