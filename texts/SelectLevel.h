#pragma once
// The level picker (template 356): ten radio buttons, Basic chosen at first.
#include "platform/win/Dialog.h"

#include <string>

class CSelectLevel : public CDialogEx {
public:
    enum { IDD = 356 };
    explicit CSelectLevel(CWnd* parent = nullptr);

    // "basic" .. "c4" for the chosen radio; empty for none.
    std::string GetLevelCode() const;
    int GetSelectedIndex() const { return m_selected; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override { OnOkButton(); }

    DECLARE_MESSAGE_MAP()
    void OnRadio(UINT id);
    void OnOkButton();

private:
    int m_selected = 0;
};
