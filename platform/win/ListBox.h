#pragma once
// The list box ("ListBox"): a list of text entries with at most one selected,
// in the order added or, with LBS_SORT, sorted without regard to case. Each
// entry carries an item datum. With LBS_NOTIFY it reports LBN_SELCHANGE when
// the user changes the selection (never for the program's own, as on Windows)
// and LBN_DBLCLK when the user double-clicks an entry. The member functions
// send the LB_ messages, which the window procedure answers from the widget.
#include "platform/win/Wnd.h"

#include <string>

constexpr int LB_ERR = -1;

constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Appends the entry, or puts it in its sorted place with LBS_SORT; its index.
    int AddString(const std::string& text);
    // Puts the entry at the index (-1: at the end), never sorting; its index or LB_ERR.
    int InsertString(int index, const std::string& text);
    // The number of entries left, LB_ERR for a bad index.
    int DeleteString(int index);
    void ResetContent();
    int GetCount() const;
    // The selected entry, LB_ERR for none.
    int GetCurSel() const;
    // Selects an entry; -1 clears the selection (0 returned), another bad index clears it and gives LB_ERR.
    int SetCurSel(int index);
    // The entry's text, empty for a bad index.
    std::string GetText(int index) const;
    int GetText(int index, std::string& text) const;
    int GetTextLen(int index) const;
    // The first entry after start (-1: from the top), wrapping round, that begins with (or equals) the text, ignoring case.
    int FindString(int start, const std::string& text) const;
    int FindStringExact(int start, const std::string& text) const;
    // Selects what FindString finds; its index, or LB_ERR leaving the selection as it was.
    int SelectString(int start, const std::string& text);
    // The entry's datum (0 until set); LB_ERR for a bad index.
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
