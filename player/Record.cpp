#include "player/Record.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CRecord::CRecord(CWnd* parent) : CDialogEx(IDD, parent) {}

void CRecord::StartOnPlay() { CALLREC("CRecord::StartOnPlay"); }

void CRecord::StopOnStop() { CALLREC("CRecord::StopOnStop"); }

void CRecord::ApplyDialogColour() { CALLREC("CRecord::ApplyDialogColour"); }

void CRecord::PlaceWindow() { CALLREC("CRecord::PlaceWindow"); }

void CRecord::OnCancel() { SendCommand(CMD_RECORDER_CLOSED); }
