// The tempo and beat calls.
#include "platform/audio/BassFx.h"

#include "platform/audio/BpmDetect.h"
#include "platform/audio/Channel.h"
#include "platform/audio/Engine.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/TempoStream.h"

#include <cmath>

using audio::Engine;
using audio::done;

extern "C" {

HSTREAM BASS_FX_TempoCreate(DWORD chan, DWORD flags)
{
    auto source = Engine::instance().channel(chan);
    if (!source)
        return done(BASS_ERROR_HANDLE), 0;
    if (!source->isDecoding())
        return done(BASS_ERROR_DECODE), 0;
    std::shared_ptr<audio::Mixer> mixer;
    if (const int err = Engine::instance().currentMixer(mixer); err != BASS_OK)
        return done(err), 0;
    const bool decoding = (flags & BASS_STREAM_DECODE) != 0;
    auto stream = std::make_shared<audio::TempoStream>(source, flags & ~BASS_FX_FREESOURCE,
                                                       (flags & BASS_FX_FREESOURCE) != 0, decoding ? nullptr : mixer);
    const HSTREAM h = Engine::instance().add(stream);
    done(h ? BASS_OK : BASS_ERROR_INIT);
    return h;
}

float BASS_FX_TempoGetRateRatio(DWORD chan)
{
    auto c = Engine::instance().channel(chan);
    if (!c)
        return done(BASS_ERROR_HANDLE), 0.0f;
    auto* tempo = dynamic_cast<audio::TempoStream*>(c.get());
    if (!tempo)
        return done(BASS_ERROR_NOTAVAIL), 0.0f;
    done(BASS_OK);
    return tempo->rateRatio();
}

float BASS_FX_BPM_DecodeGet(DWORD chan, double startSec, double endSec, DWORD minMaxBPM, DWORD flags, BPMPROC proc,
                            void* user)
{
    Engine& engine = Engine::instance();
    // The second call for a stream handed to a background detection gives its result.
    float bpm = 0;
    int err = BASS_OK;
    if (audio::BpmJobs::instance().take(chan, bpm, err))
        return done(err), bpm;
    auto c = engine.channel(chan);
    if (!c)
        return done(BASS_ERROR_HANDLE), 0.0f;
    const audio::BpmRequest request{startSec, endSec, minMaxBPM, flags, proc, user, nullptr};
    // In the background only a stream handed over with the call: nothing else
    // may touch it while the worker reads it.
    if ((flags & BASS_FX_BPM_BKGRND) && (flags & BASS_FX_FREESOURCE) && c->isDecoding()
        && std::isfinite(startSec) && std::isfinite(endSec) && startSec >= 0 && endSec > startSec) {
        if (auto taken = engine.takeChannel(chan)) {
            audio::BpmJobs::instance().start(chan, std::move(taken), request);
            return done(BASS_OK), 0.0f;
        }
        return done(BASS_ERROR_HANDLE), 0.0f;
    }
    bpm = audio::detectBpm(*c, request, err);
    if (flags & BASS_FX_FREESOURCE)
        engine.freeChannel(chan);
    done(err);
    return bpm;
}

BOOL BASS_FX_BPM_Free(DWORD handle)
{
    if (audio::BpmJobs::instance().cancel(handle))
        return done(BASS_OK);
    return done(Engine::instance().channel(handle) ? BASS_OK : BASS_ERROR_HANDLE);
}

BOOL BASS_FX_BPM_BeatFree(DWORD handle)
{
    return done(Engine::instance().channel(handle) ? BASS_OK : BASS_ERROR_HANDLE);
}

}  // extern "C"
