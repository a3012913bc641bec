#include "platform/audio/ReadAhead.h"

#include "platform/audio/SampleConvert.h"

#include <algorithm>
#include <cstring>

namespace audio {

ReadAhead::ReadAhead(std::unique_ptr<Decoder> decoder, int bufferMs)
    : m_decoder(std::move(decoder)),
      m_rate(m_decoder->sampleRate()),
      m_channels(m_decoder->channels()),
      m_length(m_decoder->lengthFrames()),
      m_openEnded(m_decoder->lengthFrames() == Decoder::kOpenEnded),
      m_checkFinite(!m_decoder->finiteSamples())
{
    const size_t wanted = size_t(std::max(bufferMs, 1)) * size_t(m_rate) / 1000;
    m_capacity = std::max(wanted, size_t(2 * kChunkFrames));
}

ReadAhead::~ReadAhead()
{
    {
        std::lock_guard lock(m_ringMutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

int ReadAhead::decodeExact(float* out, int frames)
{
    const std::uint64_t length = m_length.load();
    if (!m_decoder || m_decodePos >= length || frames <= 0)
        return 0;
    const int want = int(std::min<std::uint64_t>(std::uint64_t(frames), length - m_decodePos));
    int got = 0;
    while (!m_decoderDry && got < want) {
        float* const chunk = out + size_t(got) * size_t(m_channels);
        const int n = m_decoder->read(chunk, want - got);
        if (n <= 0)
            m_decoderDry = true;
        else if (m_checkFinite)
            silenceNonFinite(chunk, size_t(n) * size_t(m_channels));
        got += std::max(n, 0);
    }
    if (got < want && m_openEnded) {
        m_decodePos += std::uint64_t(got);
        m_length = m_decodePos;
        return got;
    }
    if (got < want)
        std::fill(out + size_t(got) * size_t(m_channels), out + size_t(want) * size_t(m_channels), 0.0f);
    m_decodePos += std::uint64_t(want);
    return want;
}

int ReadAhead::read(float* out, int frames)
{
    if (frames <= 0)
        return 0;
    if (!m_background.load()) {
        std::lock_guard decodeLock(m_decodeMutex);
        const int n = decodeExact(out, frames);
        std::lock_guard lock(m_ringMutex);
        m_readPos = m_decodePos;
        return n;
    }
    std::unique_lock lock(m_ringMutex);
    const size_t n = std::min(m_fill, size_t(frames));
    const size_t ch = size_t(m_channels);
    const size_t first = std::min(n, m_capacity - m_head);
    std::memcpy(out, m_ring.data() + m_head * ch, first * ch * sizeof(float));
    std::memcpy(out + first * ch, m_ring.data(), (n - first) * ch * sizeof(float));
    m_head = (m_head + n) % m_capacity;
    m_fill -= n;
    m_readPos += n;
    const bool wake = m_capacity - m_fill >= size_t(kChunkFrames);
    lock.unlock();
    if (wake)
        m_wake.notify_one();
    return int(n);
}

bool ReadAhead::seek(std::uint64_t frame)
{
    if (frame > m_length.load())
        return false;
    std::lock_guard decodeLock(m_decodeMutex);
    if (!m_decoder || (frame < m_length.load() && !m_decoder->seek(frame)))
        return false;
    m_decodePos = frame;
    m_decoderDry = false;
    {
        std::lock_guard lock(m_ringMutex);
        m_head = 0;
        m_fill = 0;
        m_readPos = frame;
        m_producePos = frame;
        ++m_generation;
    }
    m_wake.notify_one();
    return true;
}

std::uint64_t ReadAhead::position() const
{
    std::lock_guard lock(m_ringMutex);
    return m_readPos;
}

bool ReadAhead::ended() const
{
    std::lock_guard lock(m_ringMutex);
    return m_readPos >= m_length;
}

void ReadAhead::startBackground()
{
    if (m_background.load())
        return;
    std::lock_guard decodeLock(m_decodeMutex);
    std::lock_guard lock(m_ringMutex);
    if (m_background.load() || !m_decoder)
        return;
    m_ring.assign(m_capacity * size_t(m_channels), 0.0f);
    m_head = 0;
    m_fill = 0;
    m_producePos = m_decodePos;
    m_readPos = m_decodePos;
    m_background = true;
    m_thread = std::thread([this] { workerLoop(); });
}

void ReadAhead::close()
{
    {
        std::lock_guard lock(m_ringMutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard decodeLock(m_decodeMutex);
    m_decoder.reset();
}

void ReadAhead::workerLoop()
{
    std::vector<float> chunk(size_t(kChunkFrames) * size_t(m_channels));
    const size_t ch = size_t(m_channels);
    for (;;) {
        {
            std::unique_lock lock(m_ringMutex);
            m_wake.wait(lock, [&] {
                return m_stop || (m_producePos < m_length && m_capacity - m_fill >= size_t(kChunkFrames));
            });
            if (m_stop)
                return;
        }
        std::lock_guard decodeLock(m_decodeMutex);
        std::uint64_t generation = 0;
        {
            std::lock_guard lock(m_ringMutex);
            generation = m_generation;
            if (m_stop || m_producePos >= m_length || m_capacity - m_fill < size_t(kChunkFrames))
                continue;
        }
        // Decoding happens outside the ring lock: readers are never held up by it.
        const int n = decodeExact(chunk.data(), kChunkFrames);
        std::lock_guard lock(m_ringMutex);
        if (generation != m_generation || n <= 0)
            continue;
        size_t tail = (m_head + m_fill) % m_capacity;
        const size_t first = std::min(size_t(n), m_capacity - tail);
        std::memcpy(m_ring.data() + tail * ch, chunk.data(), first * ch * sizeof(float));
        std::memcpy(m_ring.data(), chunk.data() + first * ch, (size_t(n) - first) * ch * sizeof(float));
        m_fill += size_t(n);
        m_producePos += std::uint64_t(n);
    }
}

} // namespace audio
