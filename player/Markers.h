#pragma once
// The markers window (template 191), a modeless tool window of the main
// window: the current song's markers with their comments, made, deleted,
// flagged and visited from here, and the time since the current marker.
#include "controls/ToolDialog.h"
#include "player/ToolWindowKit.h"
#include "controls/NewLabel.h"
#include "controls/PPToolTip.h"
#include "controls/ReportCtrl.h"
#include "player/MarkerList.h"
#include "platform/win/MFCButton.h"

#include <string>

class CMarkers : public CToolDialog {
public:
    enum { IDD = 191 };
    explicit CMarkers(CWnd* parent = nullptr);

    // Markers command 0..6 of the hotkeys.
    void HotkeyCommand(int command);
    // Refills the marker list from the current song's markers.
    void LoadMarkers();
    // Starts the 500 ms timer of its marker time display.
    void StartRefreshTimer();
    // Background and labels take the dialog colour.
    void ApplyDialogColour();
    // Moves to its saved place at its size.
    void PlaceWindow();

    BOOL PreTranslateMessage(MSG* msg) override;

    CMarkerList& Markers() { return m_markers; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    DECLARE_MESSAGE_MAP()
    void OnClose();
    void OnPrevious();
    void OnNext();
    void OnMake();
    void OnDelete();
    void OnFlag();
    void OnComment();
    void OnSave();
    void OnAutoMemoryToggle();
    void OnLockToggle();
    void OnListDoubleClick(NMHDR* hdr, LRESULT* result);
    void OnListRightClick(NMHDR* hdr, LRESULT* result);
    void OnTimer(UINT_PTR id);
    void OnFocusEditChange();

private:
    void ReadControls();

    CReportCtrl m_list;
    CMarkerList m_markers;
    CNewLabel m_since;
    CMFCButton m_previous, m_next, m_make, m_delete;
    CPPToolTip m_tooltip;
    int m_autoMemory = 0, m_lock = 0, m_fadeIn = 0;
    toolkit::FocusSinkText m_sink;
};
