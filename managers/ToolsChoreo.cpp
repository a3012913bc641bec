#include "managers/ToolsChoreo.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CToolsChoreo::CToolsChoreo(CWnd* parent) : CDialogEx(IDD, parent) {}

void CToolsChoreo::OnCancel() { SendCommand(CMD_CHOREO_MGR_CLOSED); }
