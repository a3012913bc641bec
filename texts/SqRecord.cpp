#include "texts/SqRecord.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CSqRecord::CSqRecord(CWnd* parent) : CDialogEx(IDD, parent) {}

void CSqRecord::RefreshBackground() { CALLREC("CSqRecord::RefreshBackground"); }

void CSqRecord::OnCancel() { SendCommand(CMD_RECORDDB_CLOSED); }
