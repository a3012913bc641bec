#include "player/JukeBox.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CJukeBox::CJukeBox(CWnd* parent) : CDialogEx(IDD, parent) {}

void CJukeBox::ApplyDialogColour() { CALLREC("CJukeBox::ApplyDialogColour"); }

void CJukeBox::PlaceWindow() { CALLREC("CJukeBox::PlaceWindow"); }

void CJukeBox::OnCancel() { SendCommand(CMD_JUKEBOX_CLOSED); }
