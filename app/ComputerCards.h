#pragma once
// The computer cards window (template 294): a tip letter, A to M, moved on by
// the music page, and a number from 1 to 99 set with the spin. Nothing is
// stored: both start afresh on every creation.
#include "controls/ToolDialog.h"
#include "controls/PPToolTip.h"
#include "platform/win/Controls.h"
#include "platform/win/MFCButton.h"
#include "platform/win/SpinButtonCtrl.h"
#include "store/ResourceIds.h"

#include <string>

class CComputerCards : public CToolDialog {
public:
    enum { IDD = IDD_CARDS };
    explicit CComputerCards(CWnd* parent = nullptr);

    // Moves the tip letter on by one: A .. M, then A again.
    void NextTip();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Keeps the window on the screen and places it and its controls.
    void PlaceWindow();

    const std::string& Tip() const { return m_tip; }
    int Number() const { return m_number; }
    CPPToolTip& Tips() { return m_tips; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void ParkFocus() override;

    void OnHide();
    void OnSinkChange();
    void OnNumberChange();
    void OnTipChange();

    DECLARE_MESSAGE_MAP()

private:
    void TakeValues();

    CPPToolTip m_tips;
    std::string m_tip = "A";
    std::string m_sink;
    int m_number = 8;
    CSpinButtonCtrl m_spin;
    CEdit m_tipEdit;
    CEdit m_numberEdit;
    CStatic m_tipLabel;
    CStatic m_numberLabel;
    CMFCButton m_hide;
    bool m_refreshing = false;
};
