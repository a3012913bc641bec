// The ".cdg" stream of the add-on as the audio layer and the host see it: the
// companion choice, creation and its failures, length and positions, the
// stream procedure, the exports and the frame bitmap.
#include "tests/karaoke/KaraluxFixtures.h"

#include <thread>

using namespace cdgtest;
using namespace karaluxtest;
namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;

// Blue screen, red border; at 1 s a green tile at the top left of the screen.
std::vector<Packet> song(int packets = 900)
{
    std::vector<Packet> p{colours(0, {{{0, 0, 0}, {15, 0, 0}, {0, 15, 0}, {0, 0, 15}}}), memoryPreset(3),
                          borderPreset(1)};
    p.resize(300, empty());
    p.push_back(solidTile(2, 1, 1));
    p.resize(size_t(packets), empty());
    return p;
}

class KaraluxStream : public ::testing::Test {
protected:
    void SetUp() override { openDeviceAndPlugin(); }
    void TearDown() override
    {
        for (HSTREAM s : m_streams)
            BASS_StreamFree(s);
        KARALUX_SetConfig(KARALUX_CONFIG_NODRAW, 0);
        EXPECT_EQ(CdgStreamCount(), 0);
    }

    std::string writeCdg(const std::string& name, const std::vector<Packet>& packets)
    {
        const std::string path = m_dir.file(name);
        fs::create_directories(fs::path(path).parent_path());
        testsupport::writeFile(path, bytes(packets));
        return path;
    }

    // A ".cdg" stream, kept for freeing at the end.
    HSTREAM open(const std::string& path, DWORD flags = BASS_STREAM_DECODE)
    {
        const HSTREAM s = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, flags);
        if (s)
            m_streams.push_back(s);
        return s;
    }
    void free(HSTREAM s)
    {
        std::erase(m_streams, s);
        BASS_StreamFree(s);
    }

    // Pulls `seconds` of a decoding stream.
    static void pull(HSTREAM s, double seconds)
    {
        std::vector<char> buffer(4096);
        QWORD left = BASS_ChannelSeconds2Bytes(s, seconds);
        while (left > 0) {
            const DWORD n = BASS_ChannelGetData(s, buffer.data(), DWORD(std::min<QWORD>(left, buffer.size())));
            ASSERT_NE(n, DWORD(-1)) << BASS_ErrorGetCode();
            left -= std::min<QWORD>(left, n);
        }
    }

    testsupport::TempDir m_dir;
    std::vector<HSTREAM> m_streams;
};

TEST_F(KaraluxStream, CompanionChoice)
{
    struct Case {
        const char* cdg;
        std::vector<const char*> files;
        const char* expected;  // null: none
    };
    const Case cases[] = {
        {"a/song.cdg", {"a/song.mp3", "a/song.ogg"}, "a/song.mp3"},
        {"b/song.cdg", {"b/song.ogg", "b/song.flac"}, "b/song.ogg"},
        {"c/song.cdg", {"c/song.Mp3", "c/song.OGG"}, "c/song.Mp3"},
        {"d/song.cdg", {"d/song.FLAC"}, "d/song.FLAC"},
        {"e/song.cdg", {"e/song.mP3", "e/song.ogg"}, "e/song.mP3"},
        {"f/Song.CDG", {"f/song.mp3"}, "f/song.mp3"},
        {"g/song.cdg", {"g/song.wav", "g/other.mp3"}, nullptr},
        {"h/disc.1/track.cdg", {"h/disc.1/track.mp3", "h/disc.mp3"}, "h/disc.1/track.mp3"},
        {"i/disc.1/track", {"i/disc.mp3", "i/disc.1/track.mp3"}, nullptr},
        {"j/song.cdg", {"j/song.mp3/x"}, nullptr},
    };
    for (const Case& c : cases) {
        for (const char* f : c.files)
            writeCdg(f, {});
        const auto found = FindCompanionAudio(m_dir.file(c.cdg));
        if (c.expected)
            EXPECT_EQ(found.value_or("none"), m_dir.file(c.expected)) << c.cdg;
        else
            EXPECT_FALSE(found) << c.cdg << " -> " << found.value_or("");
    }
}

TEST_F(KaraluxStream, PlaysItsCompanionAndFallsBackWithoutOne)
{
    const std::string cdg = writeCdg("song.cdg", song());
    copyMp3(2.0, m_dir.file("song.mp3"));
    const HSTREAM s = open(cdg);
    ASSERT_NE(s, 0u) << BASS_ErrorGetCode();
    BASS_CHANNELINFO info{};
    ASSERT_TRUE(BASS_ChannelGetInfo(s, &info));
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.chans, 2u);
    EXPECT_EQ(info.ctype, kCdgCtype);
    // The stream gives exactly the companion's samples, then ends.
    const HSTREAM mp3 = BASS_StreamCreateFile(FALSE, m_dir.file("song.mp3").c_str(), 0, 0, BASS_STREAM_DECODE);
    ASSERT_NE(mp3, 0u);
    const QWORD expected = BASS_ChannelGetLength(mp3, BASS_POS_BYTE);
    BASS_StreamFree(mp3);
    std::vector<char> buffer(65536);
    QWORD total = 0;
    for (DWORD n; (n = BASS_ChannelGetData(s, buffer.data(), DWORD(buffer.size()))) != DWORD(-1);)
        total += n;
    EXPECT_EQ(total, expected);

    // No companion: the stream is made on the fallback stream and gives nothing.
    const HSTREAM silent = open(writeCdg("alone/song.cdg", song()));
    ASSERT_NE(silent, 0u) << BASS_ErrorGetCode();
    const DWORD got = BASS_ChannelGetData(silent, buffer.data(), DWORD(buffer.size()));
    EXPECT_TRUE(got == 0 || got == DWORD(-1)) << got;
    EXPECT_EQ(BASS_ChannelGetData(silent, buffer.data(), DWORD(buffer.size())), DWORD(-1));
    // A ".cdg" file that cannot be read still gives the music, with a black frame.
    const std::string locked = writeCdg("locked/song.cdg", song());
    copyMp3(2.0, m_dir.file("locked/song.mp3"));
    fs::permissions(locked, fs::perms::none);
    if (std::FILE* f = std::fopen(locked.c_str(), "rb")) {
        std::fclose(f);  // running as root: the file stays readable
    } else {
        const HSTREAM blind = open(locked);
        ASSERT_NE(blind, 0u);
        pull(blind, 1.5);
        HBITMAP b = KARALUX_GetCurrentBitmap(blind);
        EXPECT_EQ(pixelOf(b, 0, 215), 0u);
        DeleteObject(b);
    }
}

TEST_F(KaraluxStream, TooShortFileFailsAndLeavesTheSlotFree)
{
    const std::string cdg = m_dir.file("short.cdg");
    testsupport::writeFile(cdg, std::string(20, '\0'));
    copyMp3(1.0, m_dir.file("short.mp3"));
    EXPECT_EQ(open(cdg), 0u);
    EXPECT_EQ(CdgStreamCount(), 0);
}

TEST_F(KaraluxStream, FortyStreamsFillTheTableAndTheNextFailsWithAnError)
{
    const std::string cdg = writeCdg("song.cdg", song(30));
    std::vector<HSTREAM> streams;
    for (int i = 0; i < kCdgSlots; ++i) {
        streams.push_back(open(cdg));
        ASSERT_NE(streams.back(), 0u) << i;
    }
    EXPECT_EQ(CdgStreamCount(), kCdgSlots);
    EXPECT_EQ(open(cdg), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_MEM);
    // Every record is still found by its own handle.
    for (HSTREAM s : streams)
        EXPECT_EQ(recordOf(s)->outputStream.load(), s);
    free(streams[7]);
    const HSTREAM again = open(cdg);
    ASSERT_NE(again, 0u);
    EXPECT_EQ(recordOf(again)->slot, 7);
}

TEST_F(KaraluxStream, LengthAndPositionLimits)
{
    // 55,799 packets: 185,996 ms, the nearest a file comes to 185,999.
    const std::string cdg = m_dir.file("long.cdg");
    testsupport::writeFile(cdg, std::string(55799 * 24, '\0'));
    copyMp3(1.0, m_dir.file("long.mp3"));
    const HSTREAM s = open(cdg);
    ASSERT_NE(s, 0u);
    ASSERT_EQ(recordOf(s)->decoder->GetLength(), 185996);
    const QWORD limit = 185ull * 44100 * 4;
    EXPECT_EQ(BASS_ChannelGetLength(s, BASS_POS_BYTE), limit);
    EXPECT_TRUE(BASS_ChannelSetPosition(s, 0, BASS_POS_BYTE));
    EXPECT_FALSE(BASS_ChannelSetPosition(s, limit, BASS_POS_BYTE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);

    // The callbacks themselves answer other modes with "not available".
    CdgStream* record = recordOf(s);
    EXPECT_EQ(CdgGetLength(record, 1), QWORD(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    EXPECT_FALSE(CdgCanSetPosition(record, 0, 1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    EXPECT_EQ(CdgSetPosition(record, 0, 1), QWORD(-1));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    EXPECT_FALSE(CdgCanSetPosition(record, limit, BASS_POS_BYTE));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_POSITION);
    EXPECT_TRUE(CdgCanSetPosition(record, limit - 4, BASS_POS_BYTE));
}

TEST_F(KaraluxStream, ProcedureEndsCleanlyWhenTheCompanionEndsOrFails)
{
    copyMp3(0.5, m_dir.file("song.mp3"));
    const HSTREAM s = open(writeCdg("song.cdg", song()));
    ASSERT_NE(s, 0u);
    CdgStream* record = recordOf(s);
    std::vector<char> buffer(1 << 20);
    // Straight through the procedure: all the data, then the end flag with no bytes.
    const DWORD n = CdgStreamProc(s, buffer.data(), DWORD(buffer.size()), record);
    EXPECT_GT(n, 0u);
    EXPECT_EQ(n & BASS_STREAMPROC_END, 0u);
    EXPECT_EQ(CdgStreamProc(s, buffer.data(), DWORD(buffer.size()), record), BASS_STREAMPROC_END);
    // A companion stream that fails (freed under it) is no length either.
    BASS_StreamFree(record->decodeStream);
    EXPECT_EQ(CdgStreamProc(s, buffer.data(), DWORD(buffer.size()), record), BASS_STREAMPROC_END);
    record->decodeStream = BASS_StreamCreate(44100, 2, 0, nullptr, nullptr);
}

TEST_F(KaraluxStream, SetConfigAnswers)
{
    EXPECT_EQ(KARALUX_SetConfig(1004, 0), 1);
    EXPECT_EQ(KARALUX_SetConfig(0, 0), -1003);
    EXPECT_EQ(KARALUX_SetConfig(1003, 0), 0);
    EXPECT_EQ(KARALUX_SetConfig(1002, 5), 0);
    EXPECT_TRUE(g_noDraw.load());
}

TEST_F(KaraluxStream, NoDrawIsTakenWhenAStreamOpens)
{
    copyMp3(2.0, m_dir.file("song.mp3"));
    const std::string cdg = writeCdg("song.cdg", song());
    KARALUX_SetConfig(KARALUX_CONFIG_NODRAW, 1);
    const HSTREAM quiet = open(cdg);
    KARALUX_SetConfig(KARALUX_CONFIG_NODRAW, 0);
    const HSTREAM drawing = open(cdg);
    KARALUX_SetConfig(KARALUX_CONFIG_NODRAW, 1);
    ASSERT_TRUE(quiet && drawing);
    BASS_SetConfig(BASS_CONFIG_BUFFER, BASS_GetConfig(BASS_CONFIG_BUFFER));
    pull(quiet, 1.8);
    pull(drawing, 1.8);
    // Only the stream opened with drawing on has decoded on its own.
    EXPECT_EQ(recordOf(quiet)->decoder->GetCurrentTime(), 0);
    EXPECT_GT(recordOf(drawing)->decoder->GetCurrentTime(), 0);
}

TEST_F(KaraluxStream, BitmapsFollowThePlayPosition)
{
    copyMp3(2.0, m_dir.file("song.mp3"));
    const HSTREAM s = open(writeCdg("song.cdg", song()));
    ASSERT_NE(s, 0u);
    EXPECT_EQ(KARALUX_GetCurrentBitmap(0), nullptr);
    const HSTREAM other = BASS_StreamCreateFile(FALSE, m_dir.file("song.mp3").c_str(), 0, 0, BASS_STREAM_DECODE);
    EXPECT_EQ(KARALUX_GetCurrentBitmap(other), nullptr);
    BASS_StreamFree(other);

    // Right after opening: black.
    HBITMAP first = KARALUX_GetCurrentBitmap(s);
    ASSERT_NE(first, nullptr);
    const QImage* image = ImageOfBitmap(first);
    EXPECT_EQ(image->size(), QSize(300, 216));
    EXPECT_EQ(image->depth(), 24);
    EXPECT_EQ(pixelOf(first, 0, 215), 0u);
    DeleteObject(first);

    pull(s, 1.5);
    HBITMAP a = KARALUX_GetCurrentBitmap(s);
    HBITMAP b = KARALUX_GetCurrentBitmap(s);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a, b);
    EXPECT_EQ(*ImageOfBitmap(a), *ImageOfBitmap(b));
    // Rows run bottom-up: the frame's top-left border pixel is the last row's
    // first pixel, the tile under the top border is near the bottom.
    EXPECT_EQ(pixelOf(a, 0, 215), kRed);
    EXPECT_EQ(pixelOf(a, 6, 215 - 12), kGreen);
    EXPECT_EQ(pixelOf(a, 6, 12), kBlue);
    EXPECT_EQ(pixelOf(a, 20, 215 - 12), kBlue);
    DeleteObject(a);
    DeleteObject(b);

    // Back to half a second: replayed from a cleared screen, so the tile is gone.
    ASSERT_TRUE(BASS_ChannelSetPosition(s, BASS_ChannelSeconds2Bytes(s, 0.5), BASS_POS_BYTE));
    HBITMAP back = KARALUX_GetCurrentBitmap(s);
    EXPECT_EQ(pixelOf(back, 6, 215 - 12), kBlue);
    EXPECT_EQ(pixelOf(back, 0, 215), kRed);
    DeleteObject(back);
}

// What the program's karaoke window does with the bitmap: it draws the top
// 200 rows mirrored, so the frame appears upright with its top-left border
// pixel at the window's top left.
TEST_F(KaraluxStream, FrameIsUprightInTheKaraokeWindowsDrawing)
{
    copyMp3(2.0, m_dir.file("song.mp3"));
    const HSTREAM s = open(writeCdg("song.cdg", song()));
    ASSERT_NE(s, 0u);
    pull(s, 1.5);
    HBITMAP bitmap = KARALUX_GetCurrentBitmap(s);
    const QImage shown = ImageOfBitmap(bitmap)->mirrored(false, true);
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, kRed);
    EXPECT_EQ(shown.pixel(6, 12) & 0xFFFFFF, kGreen);
    EXPECT_EQ(shown.pixel(6, 24) & 0xFFFFFF, kBlue);
    DeleteObject(bitmap);
}

TEST_F(KaraluxStream, PlayingStreamKeepsTheFrameInStep)
{
    copyMp3(3.0, m_dir.file("song.mp3"));
    const HSTREAM s = open(writeCdg("song.cdg", song()), 0);
    ASSERT_NE(s, 0u);
    ASSERT_TRUE(BASS_ChannelPlay(s, FALSE));
    const auto position = [&] { return BASS_ChannelBytes2Seconds(s, BASS_ChannelGetPosition(s, BASS_POS_BYTE)); };
    while (position() < 0.5)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    HBITMAP early = KARALUX_GetCurrentBitmap(s);
    EXPECT_EQ(pixelOf(early, 0, 215), kRed);
    DeleteObject(early);
    while (position() < 1.2)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    HBITMAP late = KARALUX_GetCurrentBitmap(s);
    EXPECT_EQ(pixelOf(late, 6, 215 - 12), kGreen);
    DeleteObject(late);
}

TEST_F(KaraluxStream, OpenAndFreeCyclesReleaseEverything)
{
    copyMp3(1.0, m_dir.file("song.mp3"));
    const std::string cdg = writeCdg("song.cdg", song());
    const int surfaces = ddraw::LiveSurfaceCount();
    for (int i = 0; i < 30; ++i) {
        const HSTREAM s = open(cdg, i % 2 ? BASS_STREAM_DECODE : 0);
        ASSERT_NE(s, 0u);
        if (i % 2)
            pull(s, 0.2);
        else
            BASS_ChannelPlay(s, FALSE);
        HBITMAP b = KARALUX_GetCurrentBitmap(s);
        DeleteObject(b);
        free(s);
        EXPECT_EQ(KARALUX_GetCurrentBitmap(s), nullptr);
    }
    EXPECT_EQ(CdgStreamCount(), 0);
    EXPECT_EQ(ddraw::LiveSurfaceCount(), surfaces);
}

TEST(KaraluxFrame, MakeBottomUpBgr)
{
    const std::uint8_t rgb[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    // Two rows of two pixels: rows swapped, bytes reversed, each row filled to 8 bytes.
    const std::vector<std::uint8_t> expected = {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0};
    EXPECT_EQ(MakeBottomUpBgr(rgb, 2, 2), expected);
    EXPECT_TRUE(MakeBottomUpBgr(nullptr, 2, 2).empty());
    EXPECT_TRUE(MakeBottomUpBgr(rgb, 0, 2).empty());
    EXPECT_TRUE(MakeBottomUpBgr(rgb, 2, 0).empty());
}

} // namespace
