#include "app/BreakTime.h"

#include "app/CallRecorder.h"

CBreakTime::CBreakTime(CWnd* parent) : CDialogEx(IDD, parent) {}

void CBreakTime::Start(bool automatic) { CALLREC("CBreakTime::Start", automatic); }

void CBreakTime::AdjustMinute(bool add) { CALLREC("CBreakTime::AdjustMinute", add); }

void CBreakTime::ReloadSettings() { CALLREC("CBreakTime::ReloadSettings"); }

void CBreakTime::PlaceWindow() { CALLREC("CBreakTime::PlaceWindow"); }

void CBreakTime::OnCancel() { ShowWindow(SW_HIDE); }
