#include "managers/MusicStream.h"

#include "platform/audio/BassCd.h"
#include "platform/audio/BassMidi.h"
#include "store/MyFunctions.h"

#include <utility>

namespace {

enum class Opener { None, Plain, Cd, Midi, Wma, Flac, Aac };

Opener OpenerOf(const std::string& path)
{
    static const std::pair<const char*, Opener> kOpeners[] = {
        {"MP1", Opener::Plain}, {"MP2", Opener::Plain}, {"MP3", Opener::Plain}, {"WAV", Opener::Plain},
        {"OGG", Opener::Plain}, {"CDA", Opener::Cd},    {"MID", Opener::Midi},  {"MIDI", Opener::Midi},
        {"KAR", Opener::Midi},  {"WMA", Opener::Wma},   {"FLAC", Opener::Flac}, {"AAC", Opener::Aac},
        {"MP4", Opener::Aac},   {"M4A", Opener::Aac},
    };
    const std::string ext = MyFunctions().GetExtension(path);
    for (const auto& [name, opener] : kOpeners)
        if (ext == name)
            return opener;
    return Opener::None;
}

} // namespace

namespace musicrows {

bool IsMusicFile(const std::string& path) { return OpenerOf(path) != Opener::None; }

HSTREAM OpenByExtension(const std::string& path, DWORD flags, DWORD midiFrequency)
{
    const char* file = path.c_str();
    switch (OpenerOf(path)) {
    case Opener::Plain: return BASS_StreamCreateFile(FALSE, file, 0, 0, flags);
    case Opener::Cd: return BASS_CD_StreamCreateFile(file, flags);
    case Opener::Midi: return BASS_MIDI_StreamCreateFile(FALSE, file, 0, 0, flags, midiFrequency);
    case Opener::Wma: return BASS_WMA_StreamCreateFile(FALSE, file, 0, 0, flags);
    case Opener::Flac: return BASS_FLAC_StreamCreateFile(FALSE, file, 0, 0, flags);
    case Opener::Aac: return BASS_AAC_StreamCreateFile(FALSE, file, 0, 0, flags);
    case Opener::None: break;
    }
    return 0;
}

int SongSeconds(const std::string& path)
{
    // Decode only: measuring never needs the output device's mixer.
    const HSTREAM stream = OpenByExtension(path, BASS_STREAM_DECODE);
    if (!stream)
        return 0;
    const double seconds = BASS_ChannelBytes2Seconds(stream, BASS_ChannelGetLength(stream, BASS_POS_BYTE));
    BASS_StreamFree(stream);
    return seconds > 0 && seconds < 1e9 ? int(seconds) : 0;
}

} // namespace musicrows
