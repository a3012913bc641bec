#include "managers/ToolsMarry.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CToolsMarry::CToolsMarry(CWnd* parent) : CDialogEx(IDD, parent) {}

void CToolsMarry::ReloadMarriages() { CALLREC("CToolsMarry::ReloadMarriages"); }

void CToolsMarry::OnCancel() { SendCommand(CMD_MARRY_MGR_CLOSED); }
