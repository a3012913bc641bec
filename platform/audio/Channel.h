#pragma once
// A channel: something that produces frames and can be played, paused,
// positioned, given attributes and effects. A decoding channel is pulled by
// its caller (BASS_ChannelGetData) or by a tempo stream; any other channel
// belongs to a device's mixer, which renders it while it plays.
//
// Locking: every operation takes the channel's mutex, also the mixer when it
// renders the channel. The output callback never touches a channel.
#include "platform/audio/Bass.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace audio {

class Effect;
class Mixer;

class Channel : public std::enable_shared_from_this<Channel> {
public:
    Channel(DWORD flags, std::shared_ptr<Mixer> mixer);
    virtual ~Channel();
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    DWORD handle() const { return m_handle; }
    void setHandle(DWORD handle) { m_handle = handle; }
    DWORD flags() const { return m_flags; }
    bool isDecoding() const { return (m_flags & BASS_STREAM_DECODE) != 0; }
    const std::shared_ptr<Mixer>& mixer() const { return m_mixer; }

    virtual int rate() const = 0;
    virtual int channels() const = 0;
    virtual std::uint64_t lengthFrames() const = 0;
    virtual DWORD channelType() const = 0;
    virtual int bitsPerSample() const { return 0; }
    virtual const char* fileName() const { return nullptr; }

    // Positions count 16-bit frames at the source's rate.
    std::uint64_t bytesPerFrame() const { return 2 * std::uint64_t(channels()); }

    // The length BASS_ChannelGetLength reports, in bytes; a stream whose end
    // is not known ahead answers what its source says.
    virtual int lengthBytes(std::uint64_t& bytes);
    // Fills what only the kind of stream knows, after the common fields.
    virtual void completeInfo(BASS_CHANNELINFO&) {}

    // Each returns a BASS_ERROR_... code (BASS_OK on success). Virtual for
    // kinds that are neither decoded nor mixed (recordings).
    virtual int play(bool restart);
    virtual int pause();
    virtual int stop();
    // Stopping ends the channel for good: BASS_ChannelStop frees it.
    virtual bool freedByStop() const { return false; }
    virtual DWORD activeState();
    // The frame being heard (decoding channels: the next frame handed out).
    virtual std::uint64_t position();
    virtual int setPosition(std::uint64_t frame);
    int setAttribute(DWORD attrib, float value);
    int getAttribute(DWORD attrib, float& value);
    int slideAttribute(DWORD attrib, float value, DWORD milliseconds);
    virtual int level(DWORD& value);
    virtual int getData(float* out, int frames, int& produced);

    int addEffect(DWORD type, int priority, int& id);
    int setEffectParameters(int id, const void* params);
    int getEffectParameters(int id, void* params);
    int resetEffect(int id);
    void resetEffects();

    // A stream about to be played by another (a tempo stream) decodes ahead.
    virtual void startReadAhead() {}

    // Called once when the handle is freed, after the channel has left the
    // handle table and its mixer: the place to end what it started.
    virtual void released() {}

    // Mixer thread: renders one block into the bus when playing, and runs the slides.
    void mixInto(float* bus, int frames, int busChannels, double busRate, std::uint64_t blockStart);

protected:
    // The subclasses' part; called with m_mutex held.
    // Produces up to `frames` frames at `outRate` with the source's channel
    // count, advancing m_srcPos; sets m_sourceDone once the source is used up.
    virtual int render(float* out, int frames, double outRate) = 0;
    virtual bool seekSource(std::uint64_t frame) = 0;
    // Source frames per output frame at `outRate`.
    virtual double sourcePerOutput(double outRate) const = 0;
    // A playing channel starts decoding ahead.
    virtual void prepareToPlay() {}
    // Attributes beyond volume and frequency; BASS_ERROR_ILLTYPE when unknown.
    virtual int setOwnAttribute(DWORD attrib, float value);
    virtual int getOwnAttribute(DWORD attrib, float& value);

    // BASS_ATTRIB_FREQ: the rate the source is played at.
    double playbackRate() const;

    mutable std::mutex m_mutex;
    double m_srcPos = 0;               // source frame of the next rendered frame
    std::uint64_t m_segmentStart = 0;  // where the last seek put it
    bool m_sourceDone = false;

private:
    enum class State { Stopped, Playing, Paused };
    struct LevelEntry {
        std::uint64_t start = 0;
        std::uint64_t end = 0;
        float left = 0;
        float right = 0;
    };
    struct FxEntry {
        int id;
        int priority;
        std::unique_ptr<Effect> effect;
    };

    bool seekLocked(std::uint64_t frame);
    bool endedLocked();
    void applyEffects(float* buffer, int frames, double rate);
    void advanceSlide(double seconds);

    DWORD m_handle = 0;
    const DWORD m_flags;
    const std::shared_ptr<Mixer> m_mixer;

    State m_state = State::Stopped;
    bool m_ending = false;           // the source is used up; its last frame is at m_endIndex
    std::uint64_t m_endIndex = 0;
    std::uint64_t m_lastRendered = 0;  // mixer frame index after this channel's last rendered frame

    std::atomic<float> m_volume{1.0f};
    std::atomic<float> m_freq{0.0f};  // 0: the source's own rate
    bool m_sliding = false;
    float m_slideFrom = 0, m_slideTo = 0;
    double m_slideTime = 0, m_slideElapsed = 0;

    std::array<LevelEntry, 32> m_levels{};
    size_t m_levelNext = 0;

    std::vector<FxEntry> m_effects;
    int m_nextFxId = 1;
    std::vector<float> m_scratch;
};

} // namespace audio
