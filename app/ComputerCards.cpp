#include "app/ComputerCards.h"

#include "app/CallRecorder.h"
#include "app/SendCommand.h"

CComputerCards::CComputerCards(CWnd* parent) : CDialogEx(IDD, parent) {}

void CComputerCards::NextTip() { CALLREC("CComputerCards::NextTip"); }

void CComputerCards::ApplyDialogColor() { CALLREC("CComputerCards::ApplyDialogColor"); }

void CComputerCards::PlaceWindow() { CALLREC("CComputerCards::PlaceWindow"); }

void CComputerCards::OnCancel() { SendCommand(CMD_CARDS_CLOSED); }
