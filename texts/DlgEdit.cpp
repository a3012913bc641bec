#include "texts/DlgEdit.h"

#include "app/CallRecorder.h"

CDlgEdit::CDlgEdit(CWnd* parent) : CDialogEx(IDD, parent) {}

void CDlgEdit::LoadDocument(const std::string& path, bool remember)
{
    CALLREC("CDlgEdit::LoadDocument", path, remember);
    if (remember)
        m_path = path;
}

void CDlgEdit::OnCancel() { DestroyWindow(); }
