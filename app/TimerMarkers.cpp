#include "app/TimerMarkers.h"

#include "app/CallRecorder.h"

CTimerMarkers::CTimerMarkers(CWnd* parent) : CDialogEx(IDD, parent) {}

void CTimerMarkers::SetTimes(const std::string& left, const std::string& right) { CALLREC("CTimerMarkers::SetTimes", left, right); }

void CTimerMarkers::SetState(int state) { CALLREC("CTimerMarkers::SetState", state); }

void CTimerMarkers::ApplyColours() { CALLREC("CTimerMarkers::ApplyColours"); }

void CTimerMarkers::Reposition() { CALLREC("CTimerMarkers::Reposition"); }

void CTimerMarkers::OnCancel() { ShowWindow(SW_HIDE); }
