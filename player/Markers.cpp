#include "player/Markers.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CMarkers::CMarkers(CWnd* parent) : CDialogEx(IDD, parent) {}

void CMarkers::HotkeyCommand(int command) { CALLREC("CMarkers::HotkeyCommand", command); }

void CMarkers::LoadMarkers() { CALLREC("CMarkers::LoadMarkers"); }

void CMarkers::StartRefreshTimer() { CALLREC("CMarkers::StartRefreshTimer"); }

void CMarkers::ApplyDialogColour() { CALLREC("CMarkers::ApplyDialogColour"); }

void CMarkers::PlaceWindow() { CALLREC("CMarkers::PlaceWindow"); }

void CMarkers::OnCancel() { SendCommand(CMD_MARKERS_CLOSED); }
