#pragma once
// Rate change of a plain stream (its frequency attribute, or a file rate
// that differs from the output rate) by cubic interpolation.
#include <cstdint>
#include <functional>
#include <vector>

namespace audio {

class Resampler {
public:
    // Pulls up to n source frames into the buffer; returns how many it gave.
    using Pull = std::function<int(float* out, int frames)>;

    explicit Resampler(int channels);

    // Forgets the history: the next output starts exactly at the next source frame.
    void reset();
    // Produces up to `frames` frames, advancing `step` source frames per
    // output frame. Fewer when the source has nothing more for now.
    int process(float* out, int frames, double step, const Pull& pull);
    // Source frames consumed since reset(), with the fraction.
    double sourcePosition() const { return double(m_base) + m_pos; }

private:
    static constexpr int kChunk = 1024;

    int m_channels;
    std::vector<float> m_buffer;  // source frames; m_buffer[0] is source frame m_base - 1
    size_t m_frames = 0;          // frames in m_buffer
    std::uint64_t m_base = 0;
    double m_pos = 0;             // position relative to m_base
    bool m_primed = false;
};

} // namespace audio
