#pragma once
// The modal one-line name prompt (template 351): shows a name and a prompt;
// after OK the name is the edited text, after Cancel or the close box empty.
#include "platform/win/Dialog.h"

#include <string>

class CGetName : public CDialogEx {
public:
    enum { IDD = 351 };
    CGetName(const std::string& name, const std::string& prompt, CWnd* parent = nullptr);

    const std::string& GetName() const { return m_name; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    // Nothing chosen: no name to take by mistake.
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnOkButton();
    void OnCancelButton() { OnCancel(); }
    void OnNameKillFocus() { UpdateData(TRUE); }

private:
    std::string m_name;
    std::string m_prompt;
};
