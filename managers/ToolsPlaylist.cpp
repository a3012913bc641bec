#include "managers/ToolsPlaylist.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CToolsPlaylist::CToolsPlaylist(CWnd* parent) : CDialogEx(IDD, parent) {}

void CToolsPlaylist::OnCancel() { SendCommand(CMD_PLAYLIST_MGR_CLOSED); }
