#include "managers/ToolsMemory.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CToolsMemory::CToolsMemory(CWnd* parent) : CDialogEx(IDD, parent) {}

void CToolsMemory::ReloadList() { CALLREC("CToolsMemory::ReloadList"); }

void CToolsMemory::OnCancel() { SendCommand(CMD_MEMORY_CLOSED); }
