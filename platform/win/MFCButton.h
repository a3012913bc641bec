#pragma once
// The image button with text (CMFCButton): a push button with a picture
// beside its text, a face and a text colour of its own. A template's check box
// or radio button taken over by it becomes a push button that stays down
// while checked (radio buttons uncheck the others of their group); it reports
// BN_CLICKED as a button does.
#include "platform/win/Button.h"

class CMFCButton : public CButton {
public:
    enum FlatStyle { BUTTONSTYLE_3D, BUTTONSTYLE_FLAT, BUTTONSTYLE_SEMIFLAT, BUTTONSTYLE_NOBORDERS };

    // The picture (a bitmap resource) and the one shown while the button is down or checked.
    void SetImage(UINT bitmapId, UINT pressedBitmapId = 0, UINT disabledBitmapId = 0);
    void SetImage(HBITMAP bitmap, BOOL autoDestroy = TRUE, HBITMAP pressed = nullptr, HBITMAP disabled = nullptr);
    void SetFaceColor(COLORREF colour, BOOL redraw = TRUE);
    void SetTextColor(COLORREF colour);
    void SetTooltip(const char* text);
    void SetMouseCursorHand();
    // Applies m_nFlatStyle (the flat styles draw no frame until the pointer is over the button).
    void SetFlatStyle(FlatStyle style);

    FlatStyle m_nFlatStyle = BUTTONSTYLE_3D;
    BOOL m_bTransparent = FALSE;
    BOOL m_bDrawFocus = TRUE;

    bool AcceptsWidget(const QWidget* widget) const override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
