#pragma once
// Dialogs built from the templates in res/: modal (DoModal runs a nested
// event loop until EndDialog) or modeless (Create). A modal dialog first asks
// the answerer of MessageBox.h, so tests answer it by its template id or
// caption, and a headless run never blocks on it.
#include "platform/win/MessageBox.h"
#include "platform/win/Wnd.h"

class QEventLoop;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual INT_PTR DoModal();
    // Creates the dialog modeless (shown when its template says WS_VISIBLE).
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    using CWnd::Create;

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    UINT GetTemplateId() const { return m_templateId; }
    bool IsModalRunning() const { return m_modal && !m_ended; }
    // The result EndDialog gave, -1 before it ran.
    int GetDialogResult() const { return m_result; }
    DWORD GetDefID() const;
    void SetDefID(UINT id);
    void MapDialogRect(LPRECT rect) const;
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;

    // Enter presses the default button, Esc cancels; a child dialog (a tab page)
    // leaves both to the top-level dialog it sits in.
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd = nullptr;

protected:
    DECLARE_MESSAGE_MAP()
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

private:
    BOOL createFromTemplate(CWnd* parent);

    UINT m_templateId = 0;
    UINT m_defId = IDOK;
    bool m_modal = false;
    bool m_ended = false;
    int m_result = -1;
    QEventLoop* m_loop = nullptr;
};

// The dialog base of the program's windows: a dialog with a background colour.
class CDialogEx : public CDialog {
public:
    explicit CDialogEx(UINT templateId = 0, CWnd* parent = nullptr) : CDialog(templateId, parent) {}
    void SetBackgroundColor(COLORREF color, BOOL repaint = TRUE);
    COLORREF GetBackgroundColor() const { return m_background; }

private:
    COLORREF m_background = 0xFFFFFFFF;
};
