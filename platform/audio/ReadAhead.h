#pragma once
// Sits between a decoder and whoever consumes its frames. It always hands
// out exactly lengthFrames() frames: a decoder that stops early is padded
// with silence, one that runs on is cut, so a stream's end is reached at its
// length. An open-ended decoder (Decoder::kOpenEnded) ends where it stops,
// and length() becomes that frame.
//
// Passive (a decoding stream read by its caller): read() decodes on the
// calling thread. Background (a stream that plays): a thread of its own keeps
// up to the decode-ahead buffer filled and read() only copies what is there,
// so the mixer never waits on a file.
#include "platform/audio/Decoder.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace audio {

class ReadAhead {
public:
    static constexpr int kChunkFrames = 2048;

    ReadAhead(std::unique_ptr<Decoder> decoder, int bufferMs);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    int rate() const { return m_rate; }
    int channels() const { return m_channels; }
    std::uint64_t length() const { return m_length.load(); }
    const Decoder& decoder() const { return *m_decoder; }

    // Up to `frames` frames from the current position.
    int read(float* out, int frames);
    // False when the decoder cannot go there; the position is then unchanged.
    bool seek(std::uint64_t frame);
    // The frame the next read starts at.
    std::uint64_t position() const;
    // Every frame up to the length has been read.
    bool ended() const;

    void startBackground();
    bool background() const { return m_background.load(); }
    // Stops decoding ahead and destroys the decoder; reads then give nothing.
    void close();

private:
    void workerLoop();
    // Decoder frames from m_decodePos, padded or cut to the length. Needs m_decodeMutex.
    int decodeExact(float* out, int frames);

    std::unique_ptr<Decoder> m_decoder;
    const int m_rate;
    const int m_channels;
    std::atomic<std::uint64_t> m_length;
    const bool m_openEnded;
    const bool m_checkFinite;  // the decoder may hand over NaN or infinite samples

    std::mutex m_decodeMutex;  // the decoder and m_decodePos; taken before m_ringMutex
    std::uint64_t m_decodePos = 0;
    bool m_decoderDry = false;  // the decoder gave out before the length: the rest is silence

    mutable std::mutex m_ringMutex;
    std::condition_variable m_wake;
    std::vector<float> m_ring;
    size_t m_capacity = 0;  // frames
    size_t m_head = 0;      // frame slot of the next read
    size_t m_fill = 0;      // frames ready
    std::uint64_t m_readPos = 0;      // frame index of the next read
    std::uint64_t m_producePos = 0;   // frame index the worker appends next
    std::uint64_t m_generation = 0;   // changes on every seek
    bool m_stop = false;

    std::atomic<bool> m_background{false};
    std::thread m_thread;
};

} // namespace audio
