#include "platform/audio/MidiDecoder.h"

#include "platform/audio/BassMidi.h"
#include "platform/audio/SoundFonts.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>

namespace audio {

namespace {

constexpr std::streamsize kMaxFileBytes = 16 * 1024 * 1024;

// FluidSynth writes its warnings to the terminal; the layer reports through error codes.
void quietenFluidSynth()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
}

bool isNoteEvent(const MidiEvent& e)
{
    const int kind = e.status & 0xF0;
    return kind == 0x80 || kind == 0x90 || kind == 0xA0;
}

} // namespace

std::unique_ptr<Decoder> MidiDecoder::open(const std::string& path, int rate, int& error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = BASS_ERROR_FILEOPEN;
        return nullptr;
    }
    std::string bytes;
    bytes.resize(size_t(kMaxFileBytes) + 1);
    in.read(bytes.data(), kMaxFileBytes + 1);
    bytes.resize(size_t(in.gcount()));
    std::unique_ptr<MidiDecoder> d(new MidiDecoder);
    if (bytes.size() > size_t(kMaxFileBytes) || !d->m_file.parse(bytes)) {
        error = BASS_ERROR_FILEFORM;
        return nullptr;
    }
    d->m_rate = rate;
    d->m_length = std::uint64_t(std::ceil(d->m_file.lengthSeconds() * rate));
    for (const MidiEvent& e : d->m_file.events())
        d->m_eventFrames.push_back(std::uint64_t(std::llround(e.seconds * rate)));
    d->m_fonts = SoundFonts::instance().defaultFiles();
    error = BASS_OK;
    return d;
}

MidiDecoder::~MidiDecoder()
{
    if (m_synth)
        delete_fluid_synth(m_synth);
    if (m_settings)
        delete_fluid_settings(m_settings);
}

std::uint32_t MidiDecoder::channelType() const
{
    return BASS_CTYPE_STREAM_MIDI;
}

void MidiDecoder::startSynth()
{
    if (m_started)
        return;
    m_started = true;
    if (m_fonts.empty())
        return;  // nothing to play with: silence
    quietenFluidSynth();
    m_settings = new_fluid_settings();
    fluid_settings_setnum(m_settings, "synth.sample-rate", double(m_rate));
    fluid_settings_setint(m_settings, "synth.threadsafe-api", 0);  // the stream serialises its calls
    fluid_settings_setint(m_settings, "synth.lock-memory", 0);
    fluid_settings_setint(m_settings, "synth.cpu-cores", 1);
    m_synth = new_fluid_synth(m_settings);
    if (!m_synth)
        return;
    // Loaded bottom first, so that the first font of the set ends on top.
    for (auto it = m_fonts.rbegin(); it != m_fonts.rend(); ++it)
        fluid_synth_sfload(m_synth, it->c_str(), 1);
}

void MidiDecoder::dispatchBefore(std::uint64_t frame, bool notes)
{
    const auto& events = m_file.events();
    for (; m_next < events.size() && m_eventFrames[m_next] < frame; ++m_next) {
        const MidiEvent& e = events[m_next];
        if (!m_synth || (!notes && isNoteEvent(e)))
            continue;
        const int ch = e.status & 0x0F;
        switch (e.status & 0xF0) {
        case 0x80: fluid_synth_noteoff(m_synth, ch, e.data1); break;
        case 0x90:
            if (e.data2)
                fluid_synth_noteon(m_synth, ch, e.data1, e.data2);
            else
                fluid_synth_noteoff(m_synth, ch, e.data1);
            break;
        case 0xA0: fluid_synth_key_pressure(m_synth, ch, e.data1, e.data2); break;
        case 0xB0: fluid_synth_cc(m_synth, ch, e.data1, e.data2); break;
        case 0xC0: fluid_synth_program_change(m_synth, ch, e.data1); break;
        case 0xD0: fluid_synth_channel_pressure(m_synth, ch, e.data1); break;
        case 0xE0: fluid_synth_pitch_bend(m_synth, ch, e.data1 | (e.data2 << 7)); break;
        default: {
            // FluidSynth takes system exclusive data without its F0 ... F7 frame.
            std::string data = e.sysex;
            if (!data.empty() && std::uint8_t(data.back()) == 0xF7)
                data.pop_back();
            if (e.status == 0xF0 && !data.empty())
                fluid_synth_sysex(m_synth, data.data(), int(data.size()), nullptr, nullptr, nullptr, 0);
            break;
        }
        }
    }
}

void MidiDecoder::renderBlock()
{
    const std::uint64_t start = m_pos;
    dispatchBefore(start + kBlock / 2, true);
    if (m_synth)
        fluid_synth_write_float(m_synth, kBlock, m_block, 0, 2, m_block, 1, 2);
    else
        std::fill(std::begin(m_block), std::end(m_block), 0.0f);
    m_blockUsed = 0;
}

bool MidiDecoder::seek(std::uint64_t frame)
{
    if (frame > m_length)
        return false;
    startSynth();
    const std::uint64_t blockStart = frame - frame % kBlock;
    if (m_synth)
        fluid_synth_system_reset(m_synth);
    m_next = 0;
    // What the controllers and programs were just before that block.
    if (blockStart >= kBlock / 2)
        dispatchBefore(blockStart - kBlock / 2, false);
    m_pos = blockStart;
    m_blockUsed = kBlock;
    if (frame > blockStart) {
        renderBlock();
        m_blockUsed = int(frame - blockStart);
    }
    m_pos = frame;
    return true;
}

int MidiDecoder::read(float* out, int frames)
{
    startSynth();
    int done = 0;
    while (done < frames && m_pos < m_length) {
        if (m_blockUsed == kBlock)
            renderBlock();
        const int n = int(std::min<std::uint64_t>({std::uint64_t(frames - done), std::uint64_t(kBlock - m_blockUsed),
                                                    m_length - m_pos}));
        std::memcpy(out + size_t(done) * 2, m_block + m_blockUsed * 2, size_t(n) * 2 * sizeof(float));
        m_blockUsed += n;
        m_pos += std::uint64_t(n);
        done += n;
    }
    return done;
}

} // namespace audio

extern "C" __attribute__((visibility("default"))) audio::Decoder* mirtal_midi_open(const char* path, int rate, int* error)
{
    return audio::MidiDecoder::open(path, rate, *error).release();
}
