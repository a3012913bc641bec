#include "app/SquareID.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CSquareID::CSquareID(CWnd* parent) : CDialogEx(IDD, parent) {}

void CSquareID::ApplyLayout() { CALLREC("CSquareID::ApplyLayout"); }

void CSquareID::ApplyDialogColor() { CALLREC("CSquareID::ApplyDialogColor"); }

void CSquareID::ParkFocus() { CALLREC("CSquareID::ParkFocus"); }

void CSquareID::OnCancel() { SendCommand(CMD_SQUAREID_CLOSED); }
