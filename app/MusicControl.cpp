#include "app/MusicControl.h"

#include "app/CallRecorder.h"
#include "app/SendCommand.h"

CMusicControl::CMusicControl(CWnd* parent) : CDialogEx(IDD, parent) {}

void CMusicControl::RefreshText() { CALLREC("CMusicControl::RefreshText"); }

void CMusicControl::ApplyDialogColor() { CALLREC("CMusicControl::ApplyDialogColor"); }

void CMusicControl::PlaceWindow() { CALLREC("CMusicControl::PlaceWindow"); }

void CMusicControl::OnCancel() { SendCommand(CMD_MUSIC_CONTROL_CLOSED); }
