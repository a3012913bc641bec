#pragma once
// The lyrics options page (template 399), run modally from Options > Lyrics.
// Ending with OK means its settings and style-sheet values were stored. The
// page's settings grid comes with the Options pages.
#include "platform/win/Dialog.h"

class COptionLyrics : public CDialogEx {
public:
    enum { IDD = 399 };
    explicit COptionLyrics(CWnd* parent = nullptr);

protected:
    DECLARE_MESSAGE_MAP()
    void OnBnClickedOk();
};
