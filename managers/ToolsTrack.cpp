#include "managers/ToolsTrack.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CToolsTrack::CToolsTrack(CWnd* parent) : CDialogEx(IDD, parent) {}

void CToolsTrack::Reload() { CALLREC("CToolsTrack::Reload"); }

void CToolsTrack::OnCancel() { SendCommand(CMD_TRACK_MGR_CLOSED); }
