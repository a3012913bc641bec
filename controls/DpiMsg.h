#pragma once
// The display-scale warning (template 404): shown once at start on a display
// above 96 DPI; its check box silences it for good ("general - dpimsg").
#include "platform/win/Dialog.h"
#include "store/MusicDb.h"

class CDpiMsg : public CDialogEx {
public:
    enum { IDD = 404 };
    explicit CDpiMsg(CWnd* parent = nullptr);

protected:
    void DoDataExchange(CDataExchange* dx) override;

    DECLARE_MESSAGE_MAP()
    void OnDontShow();
    void OnOkButton();

private:
    CMusicDb m_db;
    CMusicDb m_db2;
    int m_dontShow = 0;
};
