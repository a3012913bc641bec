// The C-style calls: each looks up what it needs, forwards to the engine or
// the channel, and leaves the outcome in the calling thread's error code.
#include "platform/audio/Bass.h"

#include "platform/audio/Channel.h"
#include "platform/audio/Engine.h"
#include "platform/audio/LazyDecoders.h"
#include "platform/audio/FileStream.h"
#include "platform/audio/Mixer.h"
#include "platform/audio/SndfileDecoder.h"

#include <algorithm>
#include <cmath>
#include <vector>

using audio::Channel;
using audio::Engine;
using audio::done;

namespace {

std::shared_ptr<Channel> lookup(DWORD handle)
{
    auto c = Engine::instance().channel(handle);
    if (!c)
        Engine::setError(BASS_ERROR_HANDLE);
    return c;
}

HSTREAM createStream(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags,
                     const audio::DecoderFactory& chosen)
{
    if (mem || offset || length || !file)
        return done(BASS_ERROR_ILLPARAM), 0;
    int err = BASS_OK;
    const HSTREAM h = audio::createFileStream(static_cast<const char*>(file), flags, chosen, err);
    done(err);
    return h;
}

} // namespace

extern "C" {

DWORD BASS_GetVersion()
{
    done(BASS_OK);
    return (BASSVERSION << 16) | 0x0100;
}

int BASS_ErrorGetCode()
{
    return Engine::error();
}

BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND, const void*)
{
    return done(Engine::instance().init(device, freq, flags));
}

BOOL BASS_Free()
{
    return done(Engine::instance().free());
}

BOOL BASS_Start()
{
    return done(Engine::instance().start());
}

BOOL BASS_Pause()
{
    return done(Engine::instance().pause());
}

BOOL BASS_GetDeviceInfo(DWORD device, BASS_DEVICEINFO* info)
{
    if (!info)
        return done(BASS_ERROR_ILLPARAM);
    return done(Engine::instance().deviceInfo(device, *info));
}

BOOL BASS_GetInfo(BASS_INFO* info)
{
    if (!info)
        return done(BASS_ERROR_ILLPARAM);
    return done(Engine::instance().info(*info));
}

BOOL BASS_SetConfig(DWORD option, DWORD value)
{
    return done(Engine::instance().setConfig(option, value));
}

DWORD BASS_GetConfig(DWORD option)
{
    DWORD value = 0;
    if (!done(Engine::instance().config(option, value)))
        return DWORD(-1);
    return value;
}

BOOL BASS_SetVolume(float volume)
{
    return done(Engine::instance().setVolume(volume));
}

float BASS_GetVolume()
{
    float v = 0;
    if (!done(Engine::instance().volume(v)))
        return -1.0f;
    return v;
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags)
{
    return createStream(mem, file, offset, length, flags, {});
}

HSTREAM BASS_WMA_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags)
{
    return createStream(mem, file, offset, length, flags, [](const std::string& p, int& e) {
        return audio::openFfmpegDecoder(p, audio::FfmpegKind::Wma, e);
    });
}

HSTREAM BASS_FLAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags)
{
    return createStream(mem, file, offset, length, flags, [](const std::string& p, int& e) {
        return audio::SndfileDecoder::open(p, audio::SndfileDecoder::Kind::Flac, e);
    });
}

HSTREAM BASS_AAC_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags)
{
    return createStream(mem, file, offset, length, flags, [](const std::string& p, int& e) {
        return audio::openFfmpegDecoder(p, audio::FfmpegKind::Aac, e);
    });
}

BOOL BASS_StreamFree(HSTREAM handle)
{
    return done(Engine::instance().freeChannel(handle));
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart)
{
    auto c = lookup(handle);
    return c ? done(c->play(restart != FALSE)) : FALSE;
}

BOOL BASS_ChannelPause(DWORD handle)
{
    auto c = lookup(handle);
    return c ? done(c->pause()) : FALSE;
}

BOOL BASS_ChannelStop(DWORD handle)
{
    auto c = lookup(handle);
    if (!c)
        return FALSE;
    if (c->freedByStop())
        return done(Engine::instance().freeChannel(handle));
    return done(c->stop());
}

BOOL BASS_ChannelStart(DWORD handle)
{
    return BASS_ChannelPlay(handle, FALSE);
}

DWORD BASS_ChannelIsActive(DWORD handle)
{
    auto c = lookup(handle);
    if (!c)
        return BASS_ACTIVE_STOPPED;
    done(BASS_OK);
    return c->activeState();
}

BOOL BASS_ChannelGetInfo(DWORD handle, BASS_CHANNELINFO* info)
{
    auto c = lookup(handle);
    if (!c)
        return FALSE;
    if (!info)
        return done(BASS_ERROR_ILLPARAM);
    info->freq = DWORD(c->rate());
    info->chans = DWORD(c->channels());
    info->flags = c->flags();
    info->ctype = c->channelType();
    info->origres = DWORD(c->bitsPerSample());
    info->plugin = 0;
    info->filename = c->fileName();
    c->completeInfo(*info);
    return done(BASS_OK);
}

QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode)
{
    auto c = lookup(handle);
    if (!c)
        return QWORD(-1);
    if (mode != BASS_POS_BYTE)
        return done(BASS_ERROR_NOTAVAIL), QWORD(-1);
    QWORD bytes = 0;
    if (!done(c->lengthBytes(bytes)))
        return QWORD(-1);
    return bytes;
}

QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode)
{
    auto c = lookup(handle);
    if (!c)
        return QWORD(-1);
    if (mode != BASS_POS_BYTE)
        return done(BASS_ERROR_NOTAVAIL), QWORD(-1);
    done(BASS_OK);
    return c->position() * c->bytesPerFrame();
}

BOOL BASS_ChannelSetPosition(DWORD handle, QWORD pos, DWORD mode)
{
    auto c = lookup(handle);
    if (!c)
        return FALSE;
    if (mode != BASS_POS_BYTE)
        return done(BASS_ERROR_NOTAVAIL);
    return done(c->setPosition(pos / c->bytesPerFrame()));
}

double BASS_ChannelBytes2Seconds(DWORD handle, QWORD pos)
{
    auto c = lookup(handle);
    if (!c)
        return -1.0;
    done(BASS_OK);
    return double(pos / c->bytesPerFrame()) / double(c->rate());
}

QWORD BASS_ChannelSeconds2Bytes(DWORD handle, double seconds)
{
    auto c = lookup(handle);
    if (!c)
        return QWORD(-1);
    if (!std::isfinite(seconds) || seconds < 0)
        return done(BASS_ERROR_ILLPARAM), QWORD(-1);
    // A hair over, so that 0.3 s does not come out one frame short through rounding.
    const double frames = std::floor(seconds * c->rate() + 1e-6);
    // A time no byte count can hold is refused rather than converted (undefined for a double).
    if (!(frames < 0x1p62 / double(c->bytesPerFrame())))
        return done(BASS_ERROR_ILLPARAM), QWORD(-1);
    done(BASS_OK);
    return QWORD(frames) * c->bytesPerFrame();
}

BOOL BASS_ChannelSetAttribute(DWORD handle, DWORD attrib, float value)
{
    auto c = lookup(handle);
    return c ? done(c->setAttribute(attrib, value)) : FALSE;
}

BOOL BASS_ChannelGetAttribute(DWORD handle, DWORD attrib, float* value)
{
    auto c = lookup(handle);
    if (!c)
        return FALSE;
    if (!value)
        return done(BASS_ERROR_ILLPARAM);
    return done(c->getAttribute(attrib, *value));
}

BOOL BASS_ChannelSlideAttribute(DWORD handle, DWORD attrib, float value, DWORD time)
{
    auto c = lookup(handle);
    return c ? done(c->slideAttribute(attrib, value, time)) : FALSE;
}

DWORD BASS_ChannelGetLevel(DWORD handle)
{
    auto c = lookup(handle);
    if (!c)
        return DWORD(-1);
    DWORD value = 0;
    done(c->level(value));
    return value;
}

DWORD BASS_ChannelGetData(DWORD handle, void* buffer, DWORD length)
{
    auto c = lookup(handle);
    if (!c)
        return DWORD(-1);
    if (!buffer)
        return done(BASS_ERROR_ILLPARAM), DWORD(-1);
    const bool asFloat = (length & BASS_DATA_FLOAT) || (c->flags() & BASS_SAMPLE_FLOAT);
    const DWORD bytes = length & 0x0FFFFFFF;
    const size_t ch = size_t(c->channels());
    const size_t frameBytes = (asFloat ? sizeof(float) : sizeof(std::int16_t)) * ch;
    const int frames = int(bytes / frameBytes);
    if (frames == 0)
        return done(BASS_OK), 0;
    int produced = 0;
    int err = BASS_OK;
    if (asFloat) {
        err = c->getData(static_cast<float*>(buffer), frames, produced);
    } else {
        thread_local std::vector<float> scratch;
        scratch.resize(size_t(frames) * ch);
        err = c->getData(scratch.data(), frames, produced);
        auto* out = static_cast<std::int16_t*>(buffer);
        for (size_t i = 0; i < size_t(produced) * ch; ++i)
            out[i] = std::int16_t(std::lrint(std::clamp(scratch[i] * 32768.0f, -32768.0f, 32767.0f)));
    }
    if (err != BASS_OK)
        return done(err), DWORD(-1);
    done(BASS_OK);
    return DWORD(size_t(produced) * frameBytes);
}

HFX BASS_ChannelSetFX(DWORD handle, DWORD type, int priority)
{
    auto c = lookup(handle);
    if (!c)
        return 0;
    int id = 0;
    if (!done(c->addEffect(type, priority, id)))
        return 0;
    const HFX fx = Engine::instance().addEffect(handle, id);
    done(fx ? BASS_OK : BASS_ERROR_HANDLE);
    return fx;
}

BOOL BASS_FXSetParameters(HFX handle, const void* params)
{
    int id = 0;
    auto c = Engine::instance().effect(handle, id);
    if (!c)
        return done(BASS_ERROR_HANDLE);
    return done(c->setEffectParameters(id, params));
}

BOOL BASS_FXGetParameters(HFX handle, void* params)
{
    int id = 0;
    auto c = Engine::instance().effect(handle, id);
    if (!c)
        return done(BASS_ERROR_HANDLE);
    return done(c->getEffectParameters(id, params));
}

BOOL BASS_FXReset(DWORD handle)
{
    int id = 0;
    if (auto c = Engine::instance().effect(handle, id))
        return done(c->resetEffect(id));
    auto c = lookup(handle);
    if (!c)
        return FALSE;
    c->resetEffects();
    return done(BASS_OK);
}

}  // extern "C"
