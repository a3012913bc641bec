#include "player/Karaoke.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CKaraoke::CKaraoke(CWnd* parent) : CDialogEx(IDD, parent) {}

void CKaraoke::PlaceWindow() { CALLREC("CKaraoke::PlaceWindow"); }

void CKaraoke::RestartFrameTimer() { CALLREC("CKaraoke::RestartFrameTimer"); }

void CKaraoke::SetSongTitle(const std::string& path) { CALLREC("CKaraoke::SetSongTitle", path); }

void CKaraoke::OnCancel() { SendCommand(CMD_KARAOKE_CLOSED); }
