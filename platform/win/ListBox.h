#pragma once
// The list box ("ListBox"): a list of text entries with one selected. With
// LBS_NOTIFY it reports LBN_SELCHANGE and LBN_DBLCLK to its parent.
#include "platform/win/Wnd.h"

#include <string>

constexpr int LB_ERR = -1;

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const std::string& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    // The selected entry, LB_ERR for none.
    int GetCurSel() const;
    int SetCurSel(int index);
    std::string GetText(int index) const;

    bool AcceptsWidget(const QWidget* widget) const override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
