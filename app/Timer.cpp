#include "app/Timer.h"

#include "app/CallRecorder.h"
#include "app/SendCommand.h"

CTimer::CTimer(CWnd* parent) : CDialogEx(IDD, parent) {}

void CTimer::SetTime(const std::string& text) { CALLREC("CTimer::SetTime", text); }

void CTimer::SetState(int state) { CALLREC("CTimer::SetState", state); }

void CTimer::ApplyColours() { CALLREC("CTimer::ApplyColours"); }

void CTimer::PlaceWindow() { CALLREC("CTimer::PlaceWindow"); }

void CTimer::OnCancel() { SendCommand(CMD_TIMER_CLOSED); }
