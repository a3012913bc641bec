#include "app/TagsDlg.h"

#include "app/CallRecorder.h"
#include "app/SendCommand.h"

CTagsDlg::CTagsDlg(CWnd* parent) : CDialogEx(IDD, parent) {}

std::string CTagsDlg::ReadTags(const std::string& path)
{
    CALLREC("CTagsDlg::ReadTags", path);
    return {};
}

void CTagsDlg::ShowTags(const std::string& tags) { CALLREC("CTagsDlg::ShowTags", tags); }

void CTagsDlg::ApplyDialogColor() { CALLREC("CTagsDlg::ApplyDialogColor"); }

void CTagsDlg::PlaceWindow() { CALLREC("CTagsDlg::PlaceWindow"); }

void CTagsDlg::OnCancel() { SendCommand(CMD_TAGS_CLOSED); }
