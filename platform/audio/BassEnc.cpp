// The encoding calls: encoder handles over the recordings they feed.
#include "platform/audio/BassEnc.h"

#include "platform/audio/Encoder.h"
#include "platform/audio/Engine.h"
#include "platform/audio/RecordChannel.h"

#include <map>
#include <mutex>
#include <vector>

using audio::Encoder;
using audio::Engine;
using audio::done;

namespace {

struct EncoderEntry {
    std::shared_ptr<Encoder> encoder;
    DWORD channel;
    bool autoFree;
};

// Encoder handles live in a range of their own, apart from the channels'.
constexpr HENCODE kFirstHandle = 0x40000000;

std::mutex g_mutex;
std::map<HENCODE, EncoderEntry> g_encoders;
HENCODE g_last = kFirstHandle;

// An encoder that was to go with its channel is gone once the channel is.
void sweepLocked()
{
    for (auto it = g_encoders.begin(); it != g_encoders.end();)
        it = it->second.autoFree && !Engine::instance().channel(it->second.channel) ? g_encoders.erase(it)
                                                                                   : std::next(it);
}

} // namespace

extern "C" {

HENCODE BASS_Encode_Start(DWORD handle, const char* cmdline, DWORD flags, ENCODEPROC* proc, void*)
{
    auto channel = Engine::instance().channel(handle);
    if (!channel)
        return done(BASS_ERROR_HANDLE), 0;
    auto* recording = dynamic_cast<audio::RecordChannel*>(channel.get());
    if (!recording || proc)
        return done(BASS_ERROR_NOTAVAIL), 0;
    if (!cmdline)
        return done(BASS_ERROR_ILLPARAM), 0;
    int err = BASS_OK;
    std::shared_ptr<Encoder> encoder =
        Encoder::start(cmdline, recording->rate(), recording->channels(), !(flags & BASS_ENCODE_NOHEAD), err);
    if (!encoder)
        return done(err), 0;
    recording->addEncoder(encoder);
    HENCODE h = 0;
    {
        std::lock_guard lock(g_mutex);
        sweepLocked();
        do {
            ++g_last;
        } while (g_last < kFirstHandle || g_encoders.count(g_last));
        h = g_last;
        g_encoders[h] = EncoderEntry{encoder, handle, (flags & BASS_ENCODE_AUTOFREE) != 0};
    }
    done(BASS_OK);
    return h;
}

BOOL BASS_Encode_Stop(DWORD handle)
{
    std::vector<EncoderEntry> stopped;
    {
        std::lock_guard lock(g_mutex);
        sweepLocked();
        for (auto it = g_encoders.begin(); it != g_encoders.end();) {
            if (it->first == handle || it->second.channel == handle) {
                stopped.push_back(it->second);
                it = g_encoders.erase(it);
            } else {
                ++it;
            }
        }
    }
    if (stopped.empty())
        return done(BASS_ERROR_HANDLE);
    for (const EncoderEntry& e : stopped) {
        if (auto c = Engine::instance().channel(e.channel))
            if (auto* recording = dynamic_cast<audio::RecordChannel*>(c.get()))
                recording->removeEncoder(e.encoder.get());
        e.encoder->finish();
    }
    return done(BASS_OK);
}

DWORD BASS_Encode_IsActive(DWORD handle)
{
    std::lock_guard lock(g_mutex);
    sweepLocked();
    bool found = false;
    for (const auto& [h, e] : g_encoders)
        if (h == handle || e.channel == handle) {
            found = true;
            if (e.encoder->active())
                return done(BASS_OK), BASS_ACTIVE_ENCODER_PLAYING;
        }
    done(found ? BASS_OK : BASS_ERROR_HANDLE);
    return BASS_ACTIVE_ENCODER_STOPPED;
}

}  // extern "C"

namespace audio {

std::string encoderArgument(const std::string& text)
{
    if (!text.empty() && text.find_first_of(" \t\r\n\"'\\") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace audio
