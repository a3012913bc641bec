#pragma once
// The combo box ("ComboBox"): a drop-down list, editable unless
// CBS_DROPDOWNLIST, its entries in the order added or, with CBS_SORT, sorted
// without regard to case. Each entry carries an item datum. Reports
// CBN_SELCHANGE when the user picks an entry (never for the program's own
// selection, as on Windows), CBN_EDITCHANGE when the user edits the text and
// CBN_SETFOCUS / CBN_KILLFOCUS when it gains or loses the keyboard focus.
// Its window text is the text shown in its field. The member functions send
// the CB_ messages, which the window procedure answers from the widget.
#include "platform/win/Wnd.h"

#include <string>

constexpr int CB_ERR = -1;

constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Appends the entry, or puts it in its sorted place with CBS_SORT; its index.
    int AddString(const std::string& text);
    // Puts the entry at the index (-1: at the end), never sorting; its index or CB_ERR.
    int InsertString(int index, const std::string& text);
    // The number of entries left, CB_ERR for a bad index.
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    // The selected entry, CB_ERR for none.
    int GetCurSel() const;
    // Selects an entry (-1 clears the selection); CB_ERR when out of range (the selection is cleared).
    int SetCurSel(int index);
    // The entry's text; the length copied, CB_ERR for a bad index (the text is then emptied).
    int GetLBText(int index, std::string& text) const;
    std::string GetLBText(int index) const;
    int GetLBTextLen(int index) const;
    // The first entry after start (-1: from the top), wrapping round, that begins with the text, ignoring case.
    int FindString(int start, const std::string& text) const;
    // As FindString, for the entry equal to the text, ignoring case.
    int FindStringExact(int start, const std::string& text) const;
    // Selects what FindString finds; returns its index, or CB_ERR leaving the selection as it was.
    int SelectString(int start, const std::string& text);
    // The entry's datum (0 until set); CB_ERR for a bad index.
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
