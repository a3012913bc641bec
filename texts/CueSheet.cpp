#include "texts/CueSheet.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CCueSheet::CCueSheet(CWnd* parent) : CDialogEx(IDD, parent) {}

void CCueSheet::OnCancel() { SendCommand(CMD_CUESHEET_CLOSED); }
