#pragma once
// What loading a song's settings asks of the main window, kept behind an
// interface so that the store needs no window. The main window installs its
// notifier at start (it sends CMD_EQUALIZER_ON and CMD_EQUALIZER_OFF to
// itself); without one nothing is sent.
class CSongSettingsNotifier {
public:
    virtual ~CSongSettingsNotifier() = default;
    // The loaded song wants the equalizer switched on (true) or off (false).
    virtual void SwitchEqualizer(bool on) = 0;
};

// The notifier CMusicDb::LoadSongSettings uses; null removes it. The caller keeps
// it alive while it is installed.
void SetSongSettingsNotifier(CSongSettingsNotifier* notifier);
CSongSettingsNotifier* SongSettingsNotifier();
