#include "store/SongSettingsNotifier.h"

namespace {

CSongSettingsNotifier*& installed()
{
    static CSongSettingsNotifier* notifier = nullptr;
    return notifier;
}

} // namespace

void SetSongSettingsNotifier(CSongSettingsNotifier* notifier) { installed() = notifier; }

CSongSettingsNotifier* SongSettingsNotifier() { return installed(); }
