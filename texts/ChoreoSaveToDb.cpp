#include "texts/ChoreoSaveToDb.h"

#include "store/ChoreoRef.h"
#include "platform/win/DataExchange.h"

#include <algorithm>

namespace {
constexpr int kLevelCombo = 1272;
constexpr int kNamesCombo = 1273;
constexpr int kNameEdit = 1086;
constexpr int kTypeEdit = 1271;
constexpr int kTypeLabel = 1135;
constexpr int kOkButton = 1097;
constexpr int kCancelButton = 1098;
} // namespace

BEGIN_MESSAGE_MAP(CChoreoSaveToDb, CDialogEx)
    ON_BN_CLICKED(kOkButton, OnOK)
    ON_BN_CLICKED(kCancelButton, OnCancelButton)
    ON_CBN_SELCHANGE(kLevelCombo, OnLevelChanged)
    ON_CBN_SELCHANGE(kNamesCombo, OnNameChosen)
    ON_EN_KILLFOCUS(kNameEdit, TakeValues)
    ON_EN_KILLFOCUS(kTypeEdit, TakeValues)
END_MESSAGE_MAP()

CChoreoSaveToDb::CChoreoSaveToDb(const std::string& reference, int mode, CWnd* parent)
    : CDialogEx(IDD, parent), m_reference(reference), m_mode(mode)
{
}

void CChoreoSaveToDb::DoDataExchange(CDataExchange* dx)
{
    CDialogEx::DoDataExchange(dx);
    DDX_Control(dx, kLevelCombo, m_levelCombo);
    DDX_Control(dx, kNamesCombo, m_namesCombo);
    DDX_Control(dx, kOkButton, m_ok);
    DDX_Control(dx, kCancelButton, m_cancel);
    DDX_CBIndex(dx, kLevelCombo, m_levelSel);
    DDX_Text(dx, kNameEdit, m_name);
    DDX_Text(dx, kTypeEdit, m_type);
}

BOOL CChoreoSaveToDb::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    const CChoreoRef ref(m_reference);
    m_level = 1;
    m_type.clear();
    if (!m_reference.empty()) {
        m_level = std::max(1, m_fn.LevelFromText(ref.GetTable()));
        m_type = m_db.GetEntryType(m_reference, 1);
    }
    for (int level = 1; level <= 10; ++level)
        m_levelCombo.AddString(m_fn.LevelDisplayName(level));
    m_levelSel = m_level - 1;
    // Names are shown as the user typed them, not in their stored form.
    m_name = m_fn.UnescapeSql(ref.GetName());

    const bool save = m_mode == kSave;
    if (CWnd* edit = GetDlgItem(kNameEdit))
        edit->EnableWindow(save);
    for (int id : {kTypeEdit, kTypeLabel})
        if (CWnd* w = GetDlgItem(id))
            w->ShowWindow(save ? SW_SHOW : SW_HIDE);
    SetWindowText(save ? "Mirtal - Save Choreography"
                       : m_mode == kOpen ? "Mirtal - Open Choreography" : "Mirtal - Delete Choreography");
    UpdateData(FALSE);
    FillNames(m_level);
    return TRUE;
}

void CChoreoSaveToDb::FillNames(int level)
{
    UpdateData(TRUE);
    m_namesCombo.ResetContent();
    CppSQLite3Table rows = m_db.Search(CChoreoRef(m_fn.LevelCode(level), "", "", "").GetEncoded(), 1);
    for (int row = 0; row < rows.RowCount(); ++row) {
        rows.SetRow(row);
        m_namesCombo.AddString(m_fn.UnescapeSql(rows.FieldTextOr(0, "")));
    }
    m_namesCombo.SetCurSel(0);
    UpdateData(FALSE);
}

void CChoreoSaveToDb::OnLevelChanged()
{
    m_level = m_levelCombo.GetCurSel() + 1;
    FillNames(m_level);
}

void CChoreoSaveToDb::OnNameChosen()
{
    UpdateData(TRUE);
    const int chosen = m_namesCombo.GetCurSel();
    if (chosen >= 0)
        m_name = m_namesCombo.GetLBText(chosen);
    UpdateData(FALSE);
}

bool CChoreoSaveToDb::Confirm(const std::string& verb)
{
    const std::string question =
        "Do you want to " + verb + " " + m_fn.LevelDisplayName(m_level) + " - " + m_name + "?";
    return ::MessageBox(m_hWnd, question, "Mirtal", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CChoreoSaveToDb::OnOK()
{
    UpdateData(TRUE);
    m_level = m_levelSel + 1;
    if (m_name.empty()) {
        ::MessageBox(m_hWnd, "Enter a name!", "Mirtal", MB_ICONINFORMATION);
        return;
    }
    if (m_mode == kSave && m_db.HasEntry(m_fn.LevelCode(m_level), m_name, 1) && !Confirm("overwrite"))
        return;
    if (m_mode == kDelete && !Confirm("delete"))
        return;
    EndDialog(IDOK);
}
