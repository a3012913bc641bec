#pragma once
// The colour button (CMFCColorButton): a push button showing its colour. A
// click opens a pop-up with the automatic colour (where enabled), a set of
// colours and "Other..." (the colour dialog); a choice becomes the button's
// colour and is reported to the parent as BN_CLICKED.
#include "platform/win/Button.h"

#include <string>

class QWidget;

class CMFCColorButton : public CButton {
public:
    void SetColor(COLORREF color, BOOL redraw = TRUE);
    // The colour shown; the automatic colour while that is chosen.
    COLORREF GetColor() const;
    bool IsAutomatic() const { return m_automatic; }
    void EnableAutomaticButton(const std::string& label, COLORREF color, BOOL enable = TRUE);
    void EnableOtherButton(const std::string& label, BOOL altColorDialog = TRUE, BOOL editable = FALSE);

    // The pop-up's choices (and the tests'): each reports BN_CLICKED.
    void ChooseColor(COLORREF color);
    void ChooseAutomatic();
    bool ChooseOther(); // the colour dialog; false when it was cancelled
    // The open pop-up, or null.
    QWidget* ColorPopup() const;

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;

private:
    void showColor();
    void openPopup();
    void report();

    COLORREF m_color = 0;
    bool m_automatic = false;
    bool m_autoEnabled = false;
    std::string m_autoLabel;
    COLORREF m_autoColor = 0;
    bool m_otherEnabled = false;
    std::string m_otherLabel;
};
