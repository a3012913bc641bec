#include "managers/ToolsMusic.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CToolsMusic::CToolsMusic(CWnd* parent) : CDialogEx(IDD, parent) {}

void CToolsMusic::Reload() { CALLREC("CToolsMusic::Reload"); }

void CToolsMusic::OnCancel() { SendCommand(CMD_MUSIC_MGR_CLOSED); }
