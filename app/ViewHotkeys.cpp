#include "app/ViewHotkeys.h"

#include "app/CallRecorder.h"
#include "app/SendCommand.h"

CViewHotkeys::CViewHotkeys(CWnd* parent) : CDialogEx(IDD, parent) {}

void CViewHotkeys::BuildText() { CALLREC("CViewHotkeys::BuildText"); }

void CViewHotkeys::ApplyDialogColor() { CALLREC("CViewHotkeys::ApplyDialogColor"); }

void CViewHotkeys::PlaceWindow() { CALLREC("CViewHotkeys::PlaceWindow"); }

void CViewHotkeys::OnCancel() { SendCommand(CMD_HOTKEYS_VIEW_CLOSED); }
