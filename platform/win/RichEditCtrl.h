#pragma once
// The rich-edit control ("RichEdit20A"): formatted text streamed in and out as
// RTF (our own reader and writer, Rtf.h) or plain text, lines, character
// format of the selection, undo and redo, the clipboard, read-only and the
// modified flag. Character positions count a paragraph break as one
// character; lines are the text's lines (paragraphs and line breaks), not the
// rows the wrapping shows.
#include "platform/win/Wnd.h"

#include <string>

using DWORD_PTR = std::uintptr_t;
using LPBYTE = BYTE*;

// Called until it gives no more bytes (StreamIn) or for every piece (StreamOut);
// a non-zero answer stops the stream and is kept in dwError.
using EDITSTREAMCALLBACK = DWORD (*)(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done);

struct EDITSTREAM {
    DWORD_PTR dwCookie = 0;
    DWORD dwError = 0;
    EDITSTREAMCALLBACK pfnCallback = nullptr;
};

constexpr int SF_TEXT = 0x0001;
constexpr int SF_RTF = 0x0002;
constexpr int SFF_SELECTION = 0x8000;

struct CHARFORMAT {
    UINT cbSize = sizeof(CHARFORMAT);
    DWORD dwMask = 0;
    DWORD dwEffects = 0;
    LONG yHeight = 0; // twips
    LONG yOffset = 0;
    COLORREF crTextColor = 0;
    BYTE bCharSet = 0;
    BYTE bPitchAndFamily = 0;
    char szFaceName[32] = {};
};

constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_SIZE = 0x80000000;
constexpr DWORD CFE_BOLD = 0x00000001;
constexpr DWORD CFE_ITALIC = 0x00000002;
constexpr DWORD CFE_UNDERLINE = 0x00000004;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

class CRichEditCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Replaces the content (or the selection with SFF_SELECTION) by what the
    // callback gives; returns the number of characters read in.
    long StreamIn(int format, EDITSTREAM& es);
    // Hands the content (or the selection) to the callback; returns the bytes written.
    long StreamOut(int format, EDITSTREAM& es);

    int GetLineCount() const;
    // Character index of a line's first character; -1 line: the caret's line.
    int LineIndex(int line = -1) const;
    // Length of the line that holds a character index; -1: the caret's line.
    int LineLength(int charIndex = -1) const;
    // Copies a line (no terminating zero, like the control); returns its length.
    int GetLine(int line, char* buffer, int maxLength) const;
    int LineFromChar(int charIndex = -1) const;
    void LineScroll(int lines, int chars = 0);

    void GetSel(long& start, long& end) const;
    void SetSel(long start, long end);
    std::string GetSelText() const;
    void ReplaceSel(const std::string& text, BOOL canUndo = FALSE);

    // The format of the selection: dwMask tells which members hold for all of it.
    DWORD GetSelectionCharFormat(CHARFORMAT& cf) const;
    BOOL SetSelectionCharFormat(CHARFORMAT& cf);
    BOOL SetDefaultCharFormat(CHARFORMAT& cf);

    BOOL CanUndo() const;
    BOOL CanRedo() const;
    BOOL Undo();
    BOOL Redo();
    void EmptyUndoBuffer();
    void Copy();
    void Cut();
    void Paste();
    void Clear();

    BOOL GetModify() const;
    void SetModify(BOOL modified = TRUE);
    BOOL SetReadOnly(BOOL readOnly = TRUE);

    bool AcceptsWidget(const QWidget* widget) const override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    QWidget* CreateWidget(QWidget* parent, DWORD style) override;
};
