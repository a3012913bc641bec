#include "platform/audio/TempoStream.h"

#include "platform/audio/BassFx.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

constexpr float kMinTempo = -95.0f;
constexpr float kMaxTempo = 500.0f;
constexpr float kMaxPitch = 60.0f;
constexpr float kMinFreq = 100.0f;
constexpr float kMaxFreq = 768000.0f;
constexpr int kMaxTouchRate = 192000;

} // namespace

TempoStream::TempoStream(std::shared_ptr<Channel> source, DWORD flags, bool freeSource, std::shared_ptr<Mixer> mixer)
    : Channel(flags, std::move(mixer)), m_source(std::move(source)), m_freeSource(freeSource)
{
    // SoundTouch refuses rates above 192 kHz (it throws); the rate only scales
    // its window lengths, so a faster stream simply gets shorter windows.
    m_touch.setSampleRate(uint(std::min(m_source->rate(), kMaxTouchRate)));
    m_touch.setChannels(uint(m_source->channels()));
    // Short sequences keep what SoundTouch holds back small, so a change of
    // tempo or pitch is heard at once; quick seek keeps it cheap.
    m_touch.setSetting(SETTING_SEQUENCE_MS, 20);
    m_touch.setSetting(SETTING_SEEKWINDOW_MS, 10);
    m_touch.setSetting(SETTING_OVERLAP_MS, 8);
    m_touch.setSetting(SETTING_USE_QUICKSEEK, 1);
    m_feed.resize(size_t(kFeedFrames) * size_t(m_source->channels()));
    m_srcPos = double(m_source->position());
    m_segmentStart = std::uint64_t(m_srcPos);
}

double TempoStream::tempoFactor() const
{
    return 1.0 + double(m_tempo.load()) / 100.0;
}

double TempoStream::tempoFreq() const
{
    const float f = m_tempoFreq.load();
    return f > 0 ? double(f) : double(m_source->rate());
}

double TempoStream::sourcePerOutput(double outRate) const
{
    return tempoFactor() * tempoFreq() * (playbackRate() / double(rate())) / outRate;
}

float TempoStream::rateRatio() const
{
    return float(tempoFactor() * tempoFreq() / double(rate()) * (playbackRate() / double(rate())));
}

void TempoStream::applySettings(double outRate)
{
    const double tempo = tempoFactor();
    const double pitch = m_pitch.load();
    const double r = tempoFreq() * (playbackRate() / double(rate())) / outRate;
    if (tempo != m_appliedTempo) {
        m_touch.setTempo(tempo);
        m_appliedTempo = tempo;
    }
    if (pitch != m_appliedPitch) {
        m_touch.setPitchSemiTones(pitch);
        m_appliedPitch = pitch;
    }
    if (r != m_appliedRate) {
        m_touch.setRate(r);
        m_appliedRate = r;
    }
}

int TempoStream::render(float* out, int frames, double outRate)
{
    applySettings(outRate);
    const size_t ch = size_t(channels());
    const double perOut = sourcePerOutput(outRate);
    const double length = double(lengthFrames());
    int got = 0;
    while (got < frames) {
        int want = frames - got;
        if (m_flushed) {
            // After the flush SoundTouch pads with silence: stop at the length.
            const double left = (length - m_srcPos) / perOut - double(got);
            want = std::min(want, std::max(0, int(std::ceil(left))));
            if (want == 0)
                break;
        }
        got += int(m_touch.receiveSamples(out + size_t(got) * ch, uint(want)));
        if (got >= frames || m_flushed)
            break;
        int n = 0;
        m_source->getData(m_feed.data(), kFeedFrames, n);
        if (n > 0) {
            m_touch.putSamples(m_feed.data(), uint(n));
        } else if (m_source->position() >= m_source->lengthFrames()) {
            m_touch.flush();
            m_flushed = true;
        } else {
            break;  // the source's read-ahead has nothing yet
        }
    }
    m_srcPos = std::min(m_srcPos + double(got) * perOut, length);
    if (m_flushed && got < frames) {
        m_sourceDone = true;
        m_srcPos = length;
    }
    return got;
}

bool TempoStream::seekSource(std::uint64_t frame)
{
    if (m_source->setPosition(frame) != BASS_OK)
        return false;
    m_touch.clear();
    m_flushed = false;
    return true;
}

int TempoStream::setOwnAttribute(DWORD attrib, float value)
{
    switch (attrib) {
    case BASS_ATTRIB_TEMPO:
        m_tempo.store(std::clamp(value, kMinTempo, kMaxTempo));
        return BASS_OK;
    case BASS_ATTRIB_TEMPO_PITCH:
        m_pitch.store(std::clamp(value, -kMaxPitch, kMaxPitch));
        return BASS_OK;
    case BASS_ATTRIB_TEMPO_FREQ:
        m_tempoFreq.store(value <= 0 ? 0.0f : std::clamp(value, kMinFreq, kMaxFreq));
        return BASS_OK;
    default:
        return BASS_ERROR_ILLTYPE;
    }
}

int TempoStream::getOwnAttribute(DWORD attrib, float& value)
{
    switch (attrib) {
    case BASS_ATTRIB_TEMPO: value = m_tempo.load(); return BASS_OK;
    case BASS_ATTRIB_TEMPO_PITCH: value = m_pitch.load(); return BASS_OK;
    case BASS_ATTRIB_TEMPO_FREQ: value = float(tempoFreq()); return BASS_OK;
    default: return BASS_ERROR_ILLTYPE;
    }
}

} // namespace audio
