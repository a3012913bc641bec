#include "app/Calls.h"

#include "app/CallRecorder.h"
#include "app/SendCommand.h"

CCalls::CCalls(CWnd* parent) : CDialogEx(IDD, parent) {}

void CCalls::LoadCalls() { CALLREC("CCalls::LoadCalls"); }

void CCalls::BuildPool() { CALLREC("CCalls::BuildPool"); }

void CCalls::ToggleScrolling() { CALLREC("CCalls::ToggleScrolling"); }

void CCalls::ShowNextCall() { CALLREC("CCalls::ShowNextCall"); }

void CCalls::ApplyColors() { CALLREC("CCalls::ApplyColors"); }

void CCalls::PlaceWindow() { CALLREC("CCalls::PlaceWindow"); }

void CCalls::OnCancel() { SendCommand(CMD_CALLS_CLOSED); }
