#pragma once
// The pick dialog of a database choreography source (template 358): a level,
// a name, a type and a call to look for, or an own "sql=" query in the Call
// field. OK answers a choreography reference or the "sql=" text.
#include "store/MyFunctions.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Dialog.h"
#include "platform/win/MFCButton.h"

#include <string>

class CChoreoFromDb : public CDialogEx {
public:
    enum { IDD = 358 };
    // The start text: a reference, a "sql=" text or a level query.
    explicit CChoreoFromDb(const std::string& start, CWnd* parent = nullptr);

    std::string GetResult() const { return m_result; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    DECLARE_MESSAGE_MAP()
    void OnCancelButton() { EndDialog(IDCANCEL); }
    void TakeValues() { UpdateData(TRUE); }

private:
    CComboBox m_levelCombo;
    CMFCButton m_ok;
    CMFCButton m_cancel;
    int m_level = -1; // selection 0..9, -1 none
    std::string m_name;
    std::string m_type;
    std::string m_call;
    std::string m_result;
    MyFunctions m_fn;
};
