#include "platform/audio/Channel.h"

#include "platform/audio/Equalizer.h"
#include "platform/audio/Mixer.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

constexpr double kLevelWindowSeconds = 0.020;
constexpr float kMinFreq = 100.0f;
constexpr float kMaxFreq = 768000.0f;

} // namespace

Channel::Channel(DWORD flags, std::shared_ptr<Mixer> mixer) : m_flags(flags), m_mixer(std::move(mixer)) {}

Channel::~Channel() = default;

double Channel::playbackRate() const
{
    const float f = m_freq.load();
    return f > 0 ? double(f) : double(rate());
}

int Channel::lengthBytes(std::uint64_t& bytes)
{
    bytes = lengthFrames() * bytesPerFrame();
    return BASS_OK;
}

bool Channel::seekLocked(std::uint64_t frame)
{
    if (frame > lengthFrames() || !seekSource(frame))
        return false;
    // The effects' memory belongs to the old place in the stream.
    for (FxEntry& e : m_effects)
        e.effect->reset();
    m_srcPos = double(frame);
    m_segmentStart = frame;
    m_sourceDone = frame >= lengthFrames();
    m_ending = false;
    m_lastRendered = m_mixer ? m_mixer->renderedFrames() : 0;
    return true;
}

bool Channel::endedLocked()
{
    // Ended when its last frame has been played, by the same clock as the position.
    if (m_state == State::Playing && m_ending && m_mixer && m_mixer->playedFrames() >= double(m_endIndex)) {
        m_state = State::Stopped;
        m_ending = false;
    }
    return m_state != State::Playing;
}

int Channel::play(bool restart)
{
    if (isDecoding())
        return BASS_ERROR_DECODE;
    if (m_mixer->paused())
        return BASS_ERROR_START;
    std::lock_guard lock(m_mutex);
    endedLocked();
    // A stream that has reached its end plays again from the start.
    if (restart || m_ending || m_srcPos >= double(lengthFrames())) {
        if (!seekLocked(0))
            return BASS_ERROR_POSITION;
    }
    m_state = State::Playing;
    prepareToPlay();
    return BASS_OK;
}

int Channel::pause()
{
    if (isDecoding())
        return BASS_ERROR_DECODE;
    std::lock_guard lock(m_mutex);
    if (m_state == State::Paused)
        return BASS_ERROR_ALREADY;
    if (endedLocked())
        return BASS_ERROR_NOPLAY;
    m_state = State::Paused;
    return BASS_OK;
}

int Channel::stop()
{
    if (isDecoding())
        return BASS_ERROR_DECODE;
    std::lock_guard lock(m_mutex);
    endedLocked();
    m_state = State::Stopped;
    return BASS_OK;
}

DWORD Channel::activeState()
{
    std::lock_guard lock(m_mutex);
    if (isDecoding())
        return m_srcPos >= double(lengthFrames()) ? BASS_ACTIVE_STOPPED : BASS_ACTIVE_PLAYING;
    endedLocked();
    switch (m_state) {
    case State::Playing: return BASS_ACTIVE_PLAYING;
    case State::Paused: return BASS_ACTIVE_PAUSED;
    case State::Stopped: break;
    }
    return BASS_ACTIVE_STOPPED;
}

std::uint64_t Channel::position()
{
    std::lock_guard lock(m_mutex);
    double pos = m_srcPos;
    if (!isDecoding()) {
        // What is mixed but not played yet (in the output's lead, or taken by
        // the output but still ahead of the listener) has not been heard.
        const double played = m_mixer->playedFrames();
        const double pending = std::max(0.0, double(m_lastRendered) - played);
        pos -= pending * sourcePerOutput(double(m_mixer->rate()));
        pos = std::max(pos, double(m_segmentStart));
    }
    pos = std::clamp(pos, 0.0, double(lengthFrames()));
    return std::uint64_t(pos);
}

int Channel::setPosition(std::uint64_t frame)
{
    std::lock_guard lock(m_mutex);
    // An end heard but not yet noticed must stop the channel before the seek
    // clears it, or the rewound channel would play again unasked.
    if (!isDecoding())
        endedLocked();
    if (frame > lengthFrames() || !seekLocked(frame))
        return BASS_ERROR_POSITION;
    return BASS_OK;
}

int Channel::setAttribute(DWORD attrib, float value)
{
    if (!std::isfinite(value))
        return BASS_ERROR_ILLPARAM;
    switch (attrib) {
    case BASS_ATTRIB_VOL: {
        std::lock_guard lock(m_mutex);
        m_sliding = false;
        m_volume.store(std::max(value, 0.0f));
        return BASS_OK;
    }
    case BASS_ATTRIB_FREQ:
        m_freq.store(value <= 0 ? 0.0f : std::clamp(value, kMinFreq, kMaxFreq));
        return BASS_OK;
    default: {
        std::lock_guard lock(m_mutex);
        return setOwnAttribute(attrib, value);
    }
    }
}

int Channel::getAttribute(DWORD attrib, float& value)
{
    switch (attrib) {
    case BASS_ATTRIB_VOL:
        value = m_volume.load();
        return BASS_OK;
    case BASS_ATTRIB_FREQ:
        value = float(playbackRate());
        return BASS_OK;
    default: {
        std::lock_guard lock(m_mutex);
        return getOwnAttribute(attrib, value);
    }
    }
}

int Channel::setOwnAttribute(DWORD, float)
{
    return BASS_ERROR_ILLTYPE;
}

int Channel::getOwnAttribute(DWORD, float&)
{
    return BASS_ERROR_ILLTYPE;
}

int Channel::slideAttribute(DWORD attrib, float value, DWORD milliseconds)
{
    if (attrib != BASS_ATTRIB_VOL)
        return BASS_ERROR_ILLTYPE;
    if (!std::isfinite(value))
        return BASS_ERROR_ILLPARAM;
    value = std::max(value, 0.0f);
    std::lock_guard lock(m_mutex);
    if (milliseconds == 0) {
        m_sliding = false;
        m_volume.store(value);
        return BASS_OK;
    }
    m_sliding = true;
    m_slideFrom = m_volume.load();
    m_slideTo = value;
    m_slideTime = double(milliseconds) / 1000.0;
    m_slideElapsed = 0;
    return BASS_OK;
}

void Channel::advanceSlide(double seconds)
{
    if (!m_sliding)
        return;
    m_slideElapsed += seconds;
    if (m_slideElapsed >= m_slideTime) {
        m_volume.store(m_slideTo);
        m_sliding = false;
        return;
    }
    const double f = m_slideElapsed / m_slideTime;
    m_volume.store(float(m_slideFrom + (m_slideTo - m_slideFrom) * f));
}

int Channel::level(DWORD& value)
{
    value = 0;
    if (isDecoding())
        return BASS_ERROR_NOTAVAIL;
    std::lock_guard lock(m_mutex);
    if (endedLocked())
        return BASS_ERROR_NOPLAY;
    const std::uint64_t consumed = m_mixer->consumedFrames();
    const auto window = std::uint64_t(kLevelWindowSeconds * m_mixer->rate());
    const std::uint64_t from = consumed > window ? consumed - window : 0;
    float left = 0;
    float right = 0;
    for (const LevelEntry& e : m_levels) {
        if (e.end > from && e.start < consumed) {
            left = std::max(left, e.left);
            right = std::max(right, e.right);
        }
    }
    auto scale = [](float v) { return DWORD(std::lround(std::min(v, 1.0f) * 32768.0f)); };
    value = scale(left) | (scale(right) << 16);
    return BASS_OK;
}

int Channel::getData(float* out, int frames, int& produced)
{
    produced = 0;
    if (!isDecoding())
        return BASS_ERROR_NOTAVAIL;
    std::lock_guard lock(m_mutex);
    if (m_srcPos >= double(lengthFrames()))
        return BASS_ERROR_ENDED;
    const double outRate = playbackRate();
    produced = render(out, frames, outRate);
    applyEffects(out, produced, outRate);
    return BASS_OK;
}

int Channel::addEffect(DWORD type, int priority, int& id)
{
    if (type != BASS_FX_DX8_PARAMEQ)
        return BASS_ERROR_ILLTYPE;
    std::lock_guard lock(m_mutex);
    id = m_nextFxId++;
    FxEntry entry{id, priority, std::make_unique<Equalizer>()};
    // Higher priority first; equal priorities in the order they were added.
    auto at = std::find_if(m_effects.begin(), m_effects.end(),
                           [&](const FxEntry& e) { return e.priority < priority; });
    m_effects.insert(at, std::move(entry));
    return BASS_OK;
}

int Channel::setEffectParameters(int id, const void* params)
{
    std::lock_guard lock(m_mutex);
    for (FxEntry& e : m_effects)
        if (e.id == id)
            return e.effect->setParameters(params) ? BASS_OK : BASS_ERROR_ILLPARAM;
    return BASS_ERROR_HANDLE;
}

int Channel::getEffectParameters(int id, void* params)
{
    if (!params)
        return BASS_ERROR_ILLPARAM;
    std::lock_guard lock(m_mutex);
    for (FxEntry& e : m_effects)
        if (e.id == id) {
            e.effect->getParameters(params);
            return BASS_OK;
        }
    return BASS_ERROR_HANDLE;
}

int Channel::resetEffect(int id)
{
    std::lock_guard lock(m_mutex);
    for (FxEntry& e : m_effects)
        if (e.id == id) {
            e.effect->reset();
            return BASS_OK;
        }
    return BASS_ERROR_HANDLE;
}

void Channel::resetEffects()
{
    std::lock_guard lock(m_mutex);
    for (FxEntry& e : m_effects)
        e.effect->reset();
}

void Channel::applyEffects(float* buffer, int frames, double rate)
{
    if (frames <= 0)
        return;
    for (FxEntry& e : m_effects)
        e.effect->process(buffer, frames, channels(), rate);
}

void Channel::mixInto(float* bus, int frames, int busChannels, double busRate, std::uint64_t blockStart)
{
    std::lock_guard lock(m_mutex);
    const float v0 = m_volume.load();
    advanceSlide(double(frames) / busRate);
    const float v1 = m_volume.load();
    if (m_state != State::Playing || m_ending)
        return;
    const int ch = channels();
    if (m_scratch.size() < size_t(frames) * size_t(ch))
        m_scratch.resize(size_t(frames) * size_t(ch));
    const int n = render(m_scratch.data(), frames, busRate);
    applyEffects(m_scratch.data(), n, busRate);

    float peakL = 0;
    float peakR = 0;
    const float dv = (v1 - v0) / float(frames);
    for (int i = 0; i < n; ++i) {
        const float v = v0 + dv * float(i);
        const float* s = m_scratch.data() + size_t(i) * size_t(ch);
        const float l = s[0] * v;
        const float r = (ch > 1 ? s[1] : s[0]) * v;
        peakL = std::max(peakL, std::fabs(l));
        peakR = std::max(peakR, std::fabs(r));
        float* d = bus + size_t(i) * size_t(busChannels);
        if (busChannels == 1) {
            d[0] += 0.5f * (l + r);
        } else {
            d[0] += l;
            d[1] += r;
        }
    }
    if (n > 0) {
        m_levels[m_levelNext] = LevelEntry{blockStart, blockStart + std::uint64_t(n), peakL, peakR};
        m_levelNext = (m_levelNext + 1) % m_levels.size();
        m_lastRendered = blockStart + std::uint64_t(n);
    }
    if (n < frames && m_sourceDone) {
        m_ending = true;
        m_endIndex = blockStart + std::uint64_t(n);
        m_srcPos = double(lengthFrames());
    }
}

} // namespace audio
