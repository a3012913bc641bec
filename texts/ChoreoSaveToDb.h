#pragma once
// The editor's dialog for a database choreography (template 362): Save (mode
// 0: a typed or chosen name and a type), Open (1) and Delete (2: a name chosen
// from those stored at a level). It asks before an overwrite or a delete and
// answers level code, name and type; the editor does the database work.
#include "store/ChoreoDb.h"
#include "store/MyFunctions.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Dialog.h"
#include "platform/win/MFCButton.h"

#include <string>

class CChoreoSaveToDb : public CDialogEx {
public:
    enum { IDD = 362 };
    enum Mode { kSave = 0, kOpen = 1, kDelete = 2 };
    // The editor's current reference (or empty) and the mode.
    CChoreoSaveToDb(const std::string& reference, int mode, CWnd* parent = nullptr);

    std::string GetLevelCode() const { return m_fn.LevelCode(m_level); }
    std::string GetName() const { return m_name; }
    std::string GetType() const { return m_type; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
    void OnCancelButton() { EndDialog(IDCANCEL); }
    void OnLevelChanged();
    void OnNameChosen();
    void TakeValues() { UpdateData(TRUE); }

private:
    // The names stored at the level, sorted, the first one selected.
    void FillNames(int level);
    bool Confirm(const std::string& verb);

    CComboBox m_levelCombo;
    CComboBox m_namesCombo;
    CMFCButton m_ok;
    CMFCButton m_cancel;
    std::string m_reference;
    int m_mode = kSave;
    int m_level = 1; // 1..10
    int m_levelSel = 0;
    std::string m_name;
    std::string m_type;
    CChoreoDb m_db;
    MyFunctions m_fn;
};
