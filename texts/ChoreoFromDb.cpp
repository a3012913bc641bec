#include "texts/ChoreoFromDb.h"

#include "store/ChoreoRef.h"
#include "platform/win/DataExchange.h"

namespace {
constexpr int kLevelCombo = 1272;
constexpr int kNameEdit = 1086;
constexpr int kTypeEdit = 1271;
constexpr int kCallEdit = 1087;
constexpr int kOkButton = 1097;
constexpr int kCancelButton = 1098;

bool isOwnQuery(const std::string& text) { return text.compare(0, 4, "sql=") == 0; }
} // namespace

BEGIN_MESSAGE_MAP(CChoreoFromDb, CDialogEx)
    ON_BN_CLICKED(kOkButton, OnOK)
    ON_BN_CLICKED(kCancelButton, OnCancelButton)
    ON_CBN_SELCHANGE(kLevelCombo, TakeValues)
    ON_EN_KILLFOCUS(kTypeEdit, TakeValues)
    ON_EN_KILLFOCUS(kNameEdit, TakeValues)
    ON_EN_KILLFOCUS(kCallEdit, TakeValues)
END_MESSAGE_MAP()

CChoreoFromDb::CChoreoFromDb(const std::string& start, CWnd* parent) : CDialogEx(IDD, parent), m_result(start) {}

void CChoreoFromDb::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kLevelCombo, m_levelCombo);
    DDX_Control(dx, kOkButton, m_ok);
    DDX_Control(dx, kCancelButton, m_cancel);
    DDX_CBIndex(dx, kLevelCombo, m_level);
    DDX_Text(dx, kNameEdit, m_name);
    DDX_Text(dx, kTypeEdit, m_type);
    DDX_Text(dx, kCallEdit, m_call);
}

BOOL CChoreoFromDb::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    if (isOwnQuery(m_result)) {
        m_name.clear();
        m_type.clear();
        m_call = m_result;
        m_level = -1;
    } else {
        const CChoreoRef ref(m_result);
        m_name = ref.GetName();
        m_type = ref.GetType();
        m_call = ref.GetCall();
        m_level = m_fn.LevelFromText(ref.GetTable()) - 1;
    }
    for (int level = 1; level <= 10; ++level)
        m_levelCombo.AddString(m_fn.LevelDisplayName(level));
    UpdateData(FALSE);
    return TRUE;
}

void CChoreoFromDb::OnOK()
{
    UpdateData(TRUE);
    if (isOwnQuery(m_call)) {
        m_result = m_call;
        EndDialog(IDOK);
        return;
    }
    const std::string code = m_fn.LevelCode(m_level + 1);
    if (code.empty()) {
        ::MessageBox(m_hWnd, "Wrong Level!", "Mirtal", MB_ICONINFORMATION);
        return;
    }
    const CChoreoRef ref(code, m_name, m_type, m_call);
    // The search puts the parts into its statement as they are.
    if (ref.GetEncoded().find_first_of("\\'\"%") != std::string::npos) {
        ::MessageBox(m_hWnd, "Illegal character is used. (\\, ', \" / or %)", "Mirtal", MB_ICONINFORMATION);
        return;
    }
    m_result = ref.GetEncoded();
    EndDialog(IDOK);
}

BOOL CChoreoFromDb::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        OnOK();
        return TRUE;
    }
    return CDialogEx::PreTranslateMessage(msg);
}
