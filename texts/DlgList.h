#pragma once
// A choreography viewer (list) page of the main window (template 198). This
// class offers the operations the main window's start and level switch
// call; the page's own work comes with the choreography viewers.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"

class CDlgList : public CDialogEx {
public:
    enum { IDD = 198 };
    explicit CDlgList(CWnd* parent = nullptr);

    // The page's number 0..14, used in its settings keys.
    void SetPageNumber(int n) { m_pageNumber = n; }
    int GetPageNumber() const { return m_pageNumber; }
    // The next settings load reads the fonts and colours again.
    void MarkFontReload() { m_fontReload = true; }
    // Reads the page's settings for the current level and rebuilds its list.
    void LoadSettings();
    void ParkFocus();
    int GetLoadCount() const { return m_loads; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override { ParkFocus(); }
    void OnCancel() override { ParkFocus(); }

private:
    CEdit m_commandSink;
    int m_pageNumber = -1;
    bool m_fontReload = false;
    int m_loads = 0;
};
