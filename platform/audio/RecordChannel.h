#pragma once
// A recording: the frames its source captures while it runs, with the input
// level and the channel's own gain (BASS_ATTRIB_VOLDSP) applied, go to its
// encoders, its procedure and a two-second buffer that BASS_ChannelGetData
// drains. It is created paused or running; stopping it frees it, which ends
// its encoders and so completes their files.
#include "platform/audio/Channel.h"

#include <atomic>
#include <functional>

namespace audio {

class Encoder;
class RecordSource;

// The software levels of a recording device's one input.
struct RecordInputLevels {
    std::atomic<float> master{1.0f};
    std::atomic<float> level{1.0f};
    std::atomic<bool> on{true};
    float gain() const { return on.load() ? master.load() * level.load() : 0.0f; }
};

class RecordChannel : public Channel {
public:
    // Hands captured data on in the channel's sample format; false stops the recording.
    using Procedure = std::function<bool(DWORD handle, const void* data, DWORD bytes)>;

    RecordChannel(int rate, int channels, DWORD flags, std::shared_ptr<RecordInputLevels> levels, Procedure proc);
    ~RecordChannel() override;

    // Starts capturing from the device (paIndex -1: "No sound"); a BASS_ERROR_... code.
    int open(int paIndex);

    int rate() const override { return m_rate; }
    int channels() const override { return m_channels; }
    std::uint64_t lengthFrames() const override;
    DWORD channelType() const override;
    int lengthBytes(std::uint64_t& bytes) override;

    int play(bool restart) override;
    int pause() override;
    bool freedByStop() const override { return true; }
    DWORD activeState() override;
    std::uint64_t position() override;
    int setPosition(std::uint64_t frame) override;
    int level(DWORD& value) override;
    int getData(float* out, int frames, int& produced) override;
    void released() override;

    void addEncoder(const std::shared_ptr<Encoder>& encoder);
    void removeEncoder(const Encoder* encoder);

protected:
    int render(float*, int, double) override { return 0; }
    bool seekSource(std::uint64_t) override { return false; }
    double sourcePerOutput(double) const override { return 1.0; }
    int setOwnAttribute(DWORD attrib, float value) override;
    int getOwnAttribute(DWORD attrib, float& value) override;

private:
    enum class State { Running, Paused, Stopped };
    struct Block {
        std::uint64_t end = 0;  // captured frames after this block
        float left = 0;
        float right = 0;
    };

    // The source's thread.
    void deliver(const float* frames, int count);

    const int m_rate;
    const int m_channels;
    const std::shared_ptr<RecordInputLevels> m_levels;
    const Procedure m_proc;
    std::unique_ptr<RecordSource> m_source;

    State m_state;
    std::uint64_t m_captured = 0;
    std::atomic<float> m_gain{1.0f};  // BASS_ATTRIB_VOLDSP
    std::vector<float> m_ring;        // what BASS_ChannelGetData has not taken yet
    size_t m_ringCapacity = 0;        // frames
    size_t m_ringHead = 0;
    size_t m_ringFill = 0;
    std::array<Block, 16> m_blocks{};
    size_t m_blockNext = 0;
    std::vector<std::shared_ptr<Encoder>> m_encoders;
    std::vector<float> m_scratch;
};

} // namespace audio
