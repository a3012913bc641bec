#pragma once
// The combo box ("ComboBox"): a drop-down list, editable unless
// CBS_DROPDOWNLIST. Reports CBN_SELCHANGE when the user picks an entry and
// CBN_EDITCHANGE when the user edits the text. Its window text is the text
// shown in its field.
#include "platform/win/Wnd.h"

#include <string>

constexpr int CB_ERR = -1;

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    int AddString(const std::string& text);
    int InsertString(int index, const std::string& text);
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    // The selected entry, CB_ERR for none.
    int GetCurSel() const;
    // Selects an entry (-1 clears the selection); CB_ERR when out of range.
    int SetCurSel(int index);
    void GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    // The first entry after start (-1: from the top) that begins with the text, ignoring case.
    int FindString(int start, const std::string& text) const;
    // Selects what FindString finds; returns its index or CB_ERR.
    int SelectString(int start, const std::string& text);

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
