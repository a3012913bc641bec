#pragma once
// One audio track of a CD or a disc image, sector by sector (588 frames of
// 16-bit stereo each): exact length and seeks. A drive is read through
// paranoia, an image straight through libcdio.
#include "platform/audio/Decoder.h"

#include <cstdint>
#include <string>

struct _CdIo;
struct cdrom_drive_s;
struct cdrom_paranoia_s;

namespace audio {

class CdDecoder : public Decoder {
public:
    static constexpr int kFramesPerSector = 588;

    // Splits a track path into the disc's path and the track number; false
    // when the name is not "TrackNN.cda".
    static bool parseTrackPath(const std::string& path, std::string& disc, int& track);

    static std::unique_ptr<Decoder> open(const std::string& path, int& error);
    ~CdDecoder() override;

    int sampleRate() const override { return 44100; }
    int channels() const override { return 2; }
    std::uint64_t lengthFrames() const override { return std::uint64_t(m_sectors) * kFramesPerSector; }
    bool seek(std::uint64_t frame) override;
    int read(float* out, int frames) override;
    std::uint32_t channelType() const override;
    int bitsPerSample() const override { return 16; }

private:
    CdDecoder() = default;
    // Reads sector m_next into m_sector; false when the disc fails.
    bool readSector();

    _CdIo* m_cdio = nullptr;
    cdrom_drive_s* m_drive = nullptr;       // paranoia, for a real drive
    cdrom_paranoia_s* m_paranoia = nullptr;
    std::int32_t m_first = 0;   // first sector of the track
    std::int32_t m_sectors = 0;
    std::int32_t m_next = 0;    // next sector to read, counted from the track's start
    bool m_seekPending = true;  // paranoia must be told where to read next
    std::int16_t m_sector[kFramesPerSector * 2] = {};
    int m_used = kFramesPerSector;  // frames of m_sector handed out
};

} // namespace audio
