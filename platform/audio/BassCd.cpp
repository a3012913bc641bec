// The CD call.
#include "platform/audio/BassCd.h"

#include "platform/audio/CdDecoder.h"
#include "platform/audio/Engine.h"
#include "platform/audio/FileStream.h"
#include "platform/audio/Mixer.h"

using audio::Engine;

extern "C" {

HSTREAM BASS_CD_StreamCreateFile(const char* file, DWORD flags)
{
    int err = BASS_OK;
    HSTREAM h = 0;
    std::shared_ptr<audio::Mixer> mixer;
    if (!file) {
        err = BASS_ERROR_ILLPARAM;
    } else if (err = Engine::instance().currentMixer(mixer); err == BASS_OK) {
        if (std::unique_ptr<audio::Decoder> decoder = audio::CdDecoder::open(file, err))
            h = audio::createFileStream(std::move(decoder), file, flags, err);
    }
    Engine::setError(err);
    return h;
}

}  // extern "C"
