// Decoders chosen by extension, and one a plug-in adds; MPEG layer I, which
// no encoder on the system writes, from frames made here.
#include "AudioTestEnv.h"

#include "platform/audio/Bass.h"
#include "platform/audio/DecoderRegistry.h"

#include <cmath>

using namespace audiotest;

namespace {

// A decoder of nothing but a counter: frame i holds i / 1000.
class CountingDecoder : public audio::Decoder {
public:
    int sampleRate() const override { return 8000; }
    int channels() const override { return 1; }
    std::uint64_t lengthFrames() const override { return 16000; }
    bool seek(std::uint64_t frame) override
    {
        m_at = frame;
        return true;
    }
    int read(float* out, int frames) override
    {
        int n = 0;
        for (; n < frames && m_at < lengthFrames(); ++n)
            out[n] = float(m_at++) / 1000.0f;
        return n;
    }
    std::uint32_t channelType() const override { return BASS_CTYPE_STREAM; }

private:
    std::uint64_t m_at = 0;
};

class RegistryTest : public AudioTest {};

TEST_F(RegistryTest, APluginAddsAnExtension)
{
    const std::string path = m_dir.file("song.Count");
    testsupport::writeFile(path, "anything");
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);

    audio::DecoderRegistry::instance().add("COUNT", [](const std::string&, int& error) {
        error = BASS_OK;
        return std::make_unique<CountingDecoder>();
    });
    const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), 32000u);
    ASSERT_TRUE(BASS_ChannelSetPosition(s, 2 * 1234, BASS_POS_BYTE));
    float v = 0;
    ASSERT_EQ(BASS_ChannelGetData(s, &v, sizeof v | BASS_DATA_FLOAT), sizeof v);
    EXPECT_FLOAT_EQ(v, 1.234f);
    BASS_StreamFree(s);
}

TEST(RegistryExtension, IsTheTextAfterTheLastDotOfTheName)
{
    EXPECT_EQ(audio::DecoderRegistry::extensionOf("/music/Song.MP3"), "mp3");
    EXPECT_EQ(audio::DecoderRegistry::extensionOf("C:\\music\\a.b\\song.Flac"), "flac");
    EXPECT_EQ(audio::DecoderRegistry::extensionOf("/music.d/song"), "");
    EXPECT_EQ(audio::DecoderRegistry::extensionOf("song."), "");
}

TEST_F(RegistryTest, MpegLayerOneFramesGiveTheirLength)
{
    // Silent MPEG-1 layer I frames, 64 kbit/s at 44.1 kHz: a header, every
    // band's allocation 0, padding; 68 bytes and 384 frames of sound each.
    std::string frame(68, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFF);  // MPEG-1, layer I, no CRC
    frame[2] = char(0x20);  // 64 kbit/s, 44.1 kHz, no padding
    frame[3] = char(0x00);  // stereo
    std::string file;
    for (int i = 0; i < 200; ++i)
        file += frame;
    const std::string path = m_dir.file("silence.mp1");
    testsupport::writeFile(path, file);
    const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
    EXPECT_EQ(info.ctype, BASS_CTYPE_STREAM_MP1);
    EXPECT_EQ(info.freq, 44100u);
    const QWORD frames = BASS_ChannelGetLength(s, BASS_POS_BYTE) / 4;
    EXPECT_EQ(frames, 200u * 384u);
    const std::vector<float> all = decodeAll(s);
    EXPECT_EQ(all.size() / 2, frames);
    for (float v : all)
        ASSERT_EQ(v, 0.0f);
    BASS_StreamFree(s);
}

} // namespace
