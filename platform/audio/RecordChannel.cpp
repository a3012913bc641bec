#include "platform/audio/RecordChannel.h"

#include "platform/audio/Encoder.h"
#include "platform/audio/RecordSource.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace audio {

namespace {

constexpr double kLevelWindowSeconds = 0.020;
constexpr int kBufferSeconds = 2;

} // namespace

RecordChannel::RecordChannel(int rate, int channels, DWORD flags, std::shared_ptr<RecordInputLevels> levels,
                             Procedure proc)
    : Channel(flags & ~BASS_STREAM_DECODE, nullptr),
      m_rate(rate),
      m_channels(channels),
      m_levels(std::move(levels)),
      m_proc(std::move(proc)),
      m_state((flags & BASS_RECORD_PAUSE) ? State::Paused : State::Running)
{
    m_ringCapacity = size_t(rate) * kBufferSeconds;
    m_ring.assign(m_ringCapacity * size_t(channels), 0.0f);
}

RecordChannel::~RecordChannel()
{
    if (m_source)
        m_source->stop();
}

int RecordChannel::open(int paIndex)
{
    int error = BASS_OK;
    m_source = RecordSource::open(paIndex, m_rate, m_channels,
                                  [this](const float* frames, int count) { deliver(frames, count); }, error);
    return error;
}

std::uint64_t RecordChannel::lengthFrames() const
{
    return 0;  // a recording has no length (BASS_ChannelGetLength: BASS_ERROR_NOTAVAIL)
}

DWORD RecordChannel::channelType() const
{
    return BASS_CTYPE_RECORD;
}

int RecordChannel::lengthBytes(std::uint64_t& bytes)
{
    bytes = 0;
    return BASS_ERROR_NOTAVAIL;
}

int RecordChannel::play(bool)
{
    std::lock_guard lock(m_mutex);
    m_state = State::Running;
    return BASS_OK;
}

int RecordChannel::pause()
{
    std::lock_guard lock(m_mutex);
    if (m_state == State::Paused)
        return BASS_ERROR_ALREADY;
    if (m_state == State::Stopped)
        return BASS_ERROR_NOPLAY;
    m_state = State::Paused;
    return BASS_OK;
}

DWORD RecordChannel::activeState()
{
    std::lock_guard lock(m_mutex);
    switch (m_state) {
    case State::Running: return BASS_ACTIVE_PLAYING;
    case State::Paused: return BASS_ACTIVE_PAUSED;
    case State::Stopped: break;
    }
    return BASS_ACTIVE_STOPPED;
}

std::uint64_t RecordChannel::position()
{
    std::lock_guard lock(m_mutex);
    return m_captured;
}

int RecordChannel::setPosition(std::uint64_t)
{
    return BASS_ERROR_NOTAVAIL;
}

int RecordChannel::level(DWORD& value)
{
    value = 0;
    std::lock_guard lock(m_mutex);
    if (m_state != State::Running)
        return BASS_ERROR_NOPLAY;
    const auto window = std::uint64_t(kLevelWindowSeconds * m_rate);
    const std::uint64_t from = m_captured > window ? m_captured - window : 0;
    float left = 0;
    float right = 0;
    for (const Block& b : m_blocks)
        if (b.end > from) {
            left = std::max(left, b.left);
            right = std::max(right, b.right);
        }
    auto scale = [](float v) { return DWORD(std::lround(std::min(v, 1.0f) * 32768.0f)); };
    value = scale(left) | (scale(right) << 16);
    return BASS_OK;
}

int RecordChannel::getData(float* out, int frames, int& produced)
{
    std::lock_guard lock(m_mutex);
    const size_t n = std::min(m_ringFill, size_t(std::max(frames, 0)));
    const size_t ch = size_t(m_channels);
    const size_t first = std::min(n, m_ringCapacity - m_ringHead);
    std::memcpy(out, m_ring.data() + m_ringHead * ch, first * ch * sizeof(float));
    std::memcpy(out + first * ch, m_ring.data(), (n - first) * ch * sizeof(float));
    m_ringHead = (m_ringHead + n) % m_ringCapacity;
    m_ringFill -= n;
    produced = int(n);
    return BASS_OK;
}

int RecordChannel::setOwnAttribute(DWORD attrib, float value)
{
    if (attrib != BASS_ATTRIB_VOLDSP)
        return BASS_ERROR_ILLTYPE;
    m_gain.store(std::max(value, 0.0f));
    return BASS_OK;
}

int RecordChannel::getOwnAttribute(DWORD attrib, float& value)
{
    if (attrib != BASS_ATTRIB_VOLDSP)
        return BASS_ERROR_ILLTYPE;
    value = m_gain.load();
    return BASS_OK;
}

void RecordChannel::addEncoder(const std::shared_ptr<Encoder>& encoder)
{
    std::lock_guard lock(m_mutex);
    m_encoders.push_back(encoder);
}

void RecordChannel::removeEncoder(const Encoder* encoder)
{
    std::lock_guard lock(m_mutex);
    m_encoders.erase(std::remove_if(m_encoders.begin(), m_encoders.end(),
                                    [&](const std::shared_ptr<Encoder>& e) { return e.get() == encoder; }),
                     m_encoders.end());
}

void RecordChannel::released()
{
    if (m_source)
        m_source->stop();
    std::vector<std::shared_ptr<Encoder>> encoders;
    {
        std::lock_guard lock(m_mutex);
        m_state = State::Stopped;
        encoders.swap(m_encoders);
    }
    for (const auto& e : encoders)
        e->finish();
}

void RecordChannel::deliver(const float* frames, int count)
{
    const size_t ch = size_t(m_channels);
    const size_t samples = size_t(count) * ch;
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Running)
            return;
        m_scratch.resize(samples);
        const float gain = m_levels->gain() * m_gain.load();
        float left = 0;
        float right = 0;
        for (size_t i = 0; i < samples; ++i) {
            const float v = frames[i] * gain;
            m_scratch[i] = v;
            if (i % ch == 0)
                left = std::max(left, std::fabs(v));
            if (i % ch == ch - 1)
                right = std::max(right, std::fabs(v));
        }
        m_captured += std::uint64_t(count);
        m_blocks[m_blockNext] = Block{m_captured, left, right};
        m_blockNext = (m_blockNext + 1) % m_blocks.size();

        // The buffer keeps the newest two seconds when nobody drains it.
        for (size_t f = 0; f < size_t(count); ++f) {
            if (m_ringFill == m_ringCapacity) {
                m_ringHead = (m_ringHead + 1) % m_ringCapacity;
                --m_ringFill;
            }
            const size_t tail = (m_ringHead + m_ringFill) % m_ringCapacity;
            std::memcpy(m_ring.data() + tail * ch, m_scratch.data() + f * ch, ch * sizeof(float));
            ++m_ringFill;
        }

        bool failed = false;
        for (const auto& e : m_encoders) {
            e->write(m_scratch.data(), count);
            failed = failed || e->failed();
        }
        // Without its encoder the recording would go nowhere: it stops, for the caller to see.
        if (failed)
            m_state = State::Stopped;
    }
    if (!m_proc)
        return;
    // Only this thread writes m_scratch, so it is read here unlocked.
    bool goOn = true;
    if (flags() & BASS_SAMPLE_FLOAT) {
        goOn = m_proc(handle(), m_scratch.data(), DWORD(samples * sizeof(float)));
    } else {
        std::vector<std::int16_t> pcm(samples);
        for (size_t i = 0; i < samples; ++i)
            pcm[i] = std::int16_t(std::lrint(std::clamp(m_scratch[i] * 32768.0f, -32768.0f, 32767.0f)));
        goOn = m_proc(handle(), pcm.data(), DWORD(samples * sizeof(std::int16_t)));
    }
    if (!goOn) {
        std::lock_guard lock(m_mutex);
        m_state = State::Stopped;
    }
}

} // namespace audio
