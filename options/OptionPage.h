#pragma once
// What the four Options pages share: a modal dialog holding one property
// grid over the placeholder 1096, built with its construction values and
// loaded when it opens; OK (1097) saves and closes, Cancel (1098), Esc and
// the close box close without writing, Default (1099) puts the construction
// values back without writing; the grid takes the keyboard focus 200 ms after
// the page opens; F1 asks the main window for the help file.
//
// A database error while loading or saving is reported: a failed load leaves
// the page open with its construction values, a failed save rolls back what
// its transaction wrote and leaves the page open.
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "platform/win/MFCButton.h"
#include "platform/win/PropertyGrid.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <exception>
#include <string>

class COptionPage : public CDialogEx {
public:
    COptionPage(UINT templateId, CWnd* parent);

    CMFCPropertyGridCtrl& Grid() { return m_propertyGrid; }
    BOOL DestroyWindow() override;

protected:
    DECLARE_MESSAGE_MAP()
protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnBnClickedOk();
    void OnBnClickedCancel();
    void OnBnClickedDefault();
    BOOL OnHelpInfo(HELPINFO* info);
    void OnTimer(UINT_PTR id);
    LRESULT OnPropertyChanged(WPARAM wParam, LPARAM lParam);

    // The page's own parts.
    virtual void BuildPage() = 0;
    // Reads every key (the page opens and commits its batch); raises on a database error.
    virtual void LoadPage() = 0;
    // Writes every key; false when a database error stopped it (already reported).
    virtual bool SavePage() = 0;
    virtual void ForgetGroups() = 0;
    virtual bool OpensExpanded() const { return true; }
    virtual bool ResetsUnderWaitCursor() const { return false; }
    virtual void PropertyChanged(CMFCPropertyGridProperty*) {}

    // Reports a database error of a load or save; the open batch is rolled back.
    void ReportDatabaseError(const std::exception& e, bool saving);
    int Dpi() const;

    UINT_PTR m_timerId = 0;
    CMusicDb m_db;
    MyFunctions m_functions;
    CMFCPropertyGridCtrl m_propertyGrid;
    CStatic m_gridFrame;
    CMFCButton m_ok, m_cancel, m_default; // with their pictures left of the text
};
