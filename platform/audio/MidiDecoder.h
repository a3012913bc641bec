#pragma once
// MIDI files through FluidSynth. The events are dispatched at the start of
// the 64-frame block nearest to their time, so a seek lands on the same
// blocks as a linear render; after a seek the controllers and programs are
// restored, while notes that began before the seek point stay silent.
#include "platform/audio/Decoder.h"
#include "platform/audio/MidiFile.h"

#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace audio {

class MidiDecoder : public Decoder {
public:
    // Renders at `rate` with the default sound fonts of this moment.
    static std::unique_ptr<Decoder> open(const std::string& path, int rate, int& error);
    ~MidiDecoder() override;

    int sampleRate() const override { return m_rate; }
    int channels() const override { return 2; }
    std::uint64_t lengthFrames() const override { return m_length; }
    bool seek(std::uint64_t frame) override;
    int read(float* out, int frames) override;
    std::uint32_t channelType() const override;

private:
    static constexpr int kBlock = 64;  // FluidSynth's own block

    MidiDecoder() = default;
    // The synthesizer and its fonts are made on the first render, so a stream
    // opened only for its length never loads a font.
    void startSynth();
    void dispatchBefore(std::uint64_t frame, bool notes);
    void renderBlock();

    MidiFile m_file;
    std::vector<std::uint64_t> m_eventFrames;
    std::vector<std::string> m_fonts;
    int m_rate = 44100;
    std::uint64_t m_length = 0;

    _fluid_hashtable_t* m_settings = nullptr;
    _fluid_synth_t* m_synth = nullptr;
    bool m_started = false;
    size_t m_next = 0;             // the next event to dispatch
    std::uint64_t m_pos = 0;       // the frame the next read starts at
    float m_block[kBlock * 2] = {};
    int m_blockUsed = kBlock;      // frames of m_block already handed out
};

} // namespace audio
