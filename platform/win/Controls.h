#pragma once
// The plain controls: static text and pictures, edit fields, buttons (push,
// check, radio, group box). Each reports to its parent as WM_COMMAND with the
// usual notification codes (BN_CLICKED, STN_CLICKED, EN_CHANGE, ...).
#include "platform/win/Wnd.h"

#include <string>

class CStatic : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xffff);
    // Shows a bitmap or icon resource in a picture control.
    void SetImageResource(UINT id);
    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    void ReplaceSel(const std::string& text, BOOL canUndo = FALSE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    void LimitText(int maxChars = 0);
    bool AcceptsWidget(const QWidget* widget) const override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};

class CButton : public CWnd {
public:
    BOOL Create(const char* text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int GetCheck() const;
    void SetCheck(int check);
    bool AcceptsWidget(const QWidget* widget) const override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
