#pragma once
// The computer cards window (template 294): a tip letter, A to M, moved on by
// the music page, and a number from 1 to 99 set with the spin. Nothing is
// stored: both start afresh on every creation.
#include "controls/PlainSpin.h"
#include "platform/win/Controls.h"
#include "platform/win/Dialog.h"
#include "store/ResourceIds.h"

#include <string>

class CComputerCards : public CDialogEx {
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

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Closing the window tells the main window (718), which destroys it.
    void OnCancel() override;
    void OnOK() override {}

    void OnMove(int x, int y);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnHide();
    void OnSinkChange();
    void OnNumberChange();
    void OnTipChange();

    DECLARE_MESSAGE_MAP()

private:
    void ParkFocus();
    void TakeValues();

    std::string m_tip = "A";
    std::string m_sink;
    int m_number = 8;
    CPlainSpin m_spin;
    CEdit m_tipEdit;
    CEdit m_numberEdit;
    CStatic m_tipLabel;
    CStatic m_numberLabel;
    bool m_refreshing = false;
};
