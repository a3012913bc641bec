#pragma once
// WMA (ASF) and AAC (ADTS, MP4, M4A) through FFmpeg.
//
// FFmpeg's timestamps are not sample-exact in every container (ASF counts
// milliseconds), so positions come from an index built at open: for every
// packet, the output frame at which the audio the decoder gives after it begins. AAC gets it
// from the packet durations; WMA 1 and 2 from the frame counts in the
// superframe headers (the packets are read, not decoded); other codecs from
// one full decode. The first packets are decoded for real and must agree. A seek
// restarts the decoder a few packets early and drops the pre-roll, so it
// lands on the exact frame.
#include "platform/audio/Decoder.h"

#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;

namespace audio {

class FfmpegDecoder : public Decoder {
public:
    enum class Kind { Wma, Aac };

    // Packets decoded ahead of a seek target and dropped.
    static constexpr int kSeekPreroll = 4;

    static std::unique_ptr<Decoder> open(const std::string& path, Kind kind, int& error);
    ~FfmpegDecoder() override;

    int sampleRate() const override { return m_rate; }
    int channels() const override { return m_channels; }
    std::uint64_t lengthFrames() const override { return m_length; }
    bool seek(std::uint64_t frame) override;
    int read(float* out, int frames) override;
    std::uint32_t channelType() const override { return m_ctype; }
    // Float samples are checked as they are interleaved.
    bool finiteSamples() const override { return true; }

private:
    struct IndexEntry {
        std::int64_t dts;
        std::uint64_t outStart;
    };

    FfmpegDecoder() = default;
    bool openInput(int& error);
    void closeInput();
    bool reopenCodec();
    bool buildIndexFromDurations();
    // Raw AAC: every frame header in turn, as (samples before it, its samples).
    bool walkAdtsHeaders(const std::function<void(std::int64_t, std::int64_t)>& add);
    bool buildIndexByDecoding();
    // WMA 1 and 2: frames per packet from the superframe headers; false when
    // the codec or its setup does not say them, or the first packets disagree.
    bool buildIndexFromWmaHeaders();
    // Back to the first packet through a fresh demuxer and decoder.
    bool reopenFromStart();
    bool rewind();
    // Reads the next packet of the stream into m_packet; false at the end.
    bool nextPacket();
    // The decoder's next frame into m_frame; false at the end.
    bool nextFrame();
    // m_frame as interleaved floats, NaN and infinite samples as silence.
    void convertFrame(float* dst);
    long findIndex(std::int64_t dts) const;

    std::string m_path;
    Kind m_kind = Kind::Aac;
    AVFormatContext* m_format = nullptr;
    AVCodecContext* m_codec = nullptr;
    AVPacket* m_packet = nullptr;
    AVFrame* m_frame = nullptr;
    int m_stream = -1;

    int m_rate = 0;
    int m_channels = 0;
    std::uint64_t m_length = 0;
    std::uint32_t m_ctype = 0;

    std::vector<IndexEntry> m_index;
    bool m_seekable = true;  // false when the index cannot place packets after a demuxer seek

    // Decoded frames not handed out yet (frames m_pendingPos to
    // m_pendingFrames); m_pendingStart is the output frame index of frame m_pendingPos.
    std::vector<float> m_pending;
    size_t m_pendingFrames = 0;
    size_t m_pendingPos = 0;
    std::uint64_t m_pendingStart = 0;
    std::uint64_t m_discardUntil = 0;  // frames before this are dropped (seek pre-roll)
    bool m_inputDone = false;          // the demuxer has no more packets, the decoder has been drained
    bool m_heldPacket = false;         // m_packet holds a packet read but not yet sent
    // Index entry of the packet in m_packet, and of the next one read.
    long m_packetIndex = -1;
    long m_nextPacketIndex = 0;
    // The output frame at which the decoder's next frame begins: what the
    // decoder gives after packet j begins at m_index[j].outStart, also when
    // it holds frames back (WMA answers two packets late).
    std::uint64_t m_outNext = 0;
};

} // namespace audio
