#include "player/Equalizer.h"

#include "app/CallRecorder.h"
#include "store/SendCommand.h"

CEqualizer::CEqualizer(CWnd* parent) : CDialogEx(IDD, parent) {}

void CEqualizer::RefreshControls() { CALLREC("CEqualizer::RefreshControls"); }

void CEqualizer::SetEqualizerOn(bool on) { CALLREC("CEqualizer::SetEqualizerOn", on); }

void CEqualizer::SelectStoredConfig() { CALLREC("CEqualizer::SelectStoredConfig"); }

void CEqualizer::ApplyDialogColour() { CALLREC("CEqualizer::ApplyDialogColour"); }

void CEqualizer::PlaceWindow() { CALLREC("CEqualizer::PlaceWindow"); }

void CEqualizer::OnCancel() { SendCommand(CMD_EQUALIZER_CLOSED); }
