#pragma once
// The About box (template 100): the program's version and the versions and
// last-modified times of the main and the utility database. It opens where
// it was last moved to, at 330 by 310 pixels.
#include "platform/win/Dialog.h"
#include "store/MusicDb.h"
#include "store/UtilityDb.h"

#include <string>

class CAboutDlg : public CDialogEx {
public:
    enum { IDD = 100 };
    CAboutDlg();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnWindowPosChanged(WINDOWPOS* pos);
    void OnOkButton() { OnOK(); }

private:
    CMusicDb m_musicDb;
    CUtilityDb m_utilityDb;
    std::string m_mainVersion;
    std::string m_utilityVersion;
    std::string m_mainModified;
    std::string m_utilityModified;
};
