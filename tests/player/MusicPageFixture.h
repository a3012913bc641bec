#pragma once
// The music page on a host window of its own, in a data folder of its own,
// with the silent output device; the commands it sends to the main window and
// the boxes it shows are collected. Songs are made by the tests: sine WAVs,
// an MP3 made with lame and a small MIDI file.
#include "player/DlgMp3.h"

#include "common/CommandSink.h"
#include "common/TestSupport.h"
#include "platform/audio/Bass.h"
#include "platform/audio/BassFx.h"
#include "store/CommandCodes.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "store/AppGlobals.h"
#include "store/MusicDb.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace musicpagetest {

using testsupport::CommandSink;

// A format-0 MIDI file: one note a second for the given seconds at 120 BPM.
inline std::string midiBytes(int seconds)
{
    std::string track;
    auto delta = [&](unsigned v) {
        std::string out(1, char(v & 0x7F));
        while (v >>= 7)
            out.insert(out.begin(), char(0x80 | (v & 0x7F)));
        track += out;
    };
    for (int i = 0; i < seconds; ++i) {
        delta(0);
        track += "\x90\x3C\x60";
        delta(960); // 960 ticks of 480 per quarter at 120 BPM: one second
        track += std::string("\x80\x3C\x00", 3);
    }
    delta(0);
    track += std::string("\xFF\x2F\x00", 3);
    auto be32 = [](size_t v) {
        return std::string{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    };
    return std::string("MThd\0\0\0\x06\0\0\0\x01\x01\xE0", 14) + "MTrk" + be32(track.size()) + track;
}

class MusicPageTest : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    testsupport::ScopedCwd cwd{dir.path()};
    CommandSink mainWnd;
    std::unique_ptr<CDlgMp3> page;
    std::vector<std::string> boxes;

    void SetUp() override
    {
        g_baseFolder = dir.str();
        g_dlgColorR = g_dlgColorG = g_dlgColorB = 212;
        g_outputDevice = 0;
        g_defaultVolume = 100;
        g_playing = 0;
        g_position = 0;
        g_currentSongPath.clear();
        g_lyricsPath.clear();
        g_karaokeOpen = 0;
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, 96, 96});
        win::SetMessageBoxAnswerer([this](const win::MessageBoxRequest& q) -> std::optional<int> {
            if (q.kind == win::DialogKind::MessageBox)
                boxes.push_back(q.text);
            return std::nullopt;
        });
        CMusicDb db;
        db.Init();
        db.SetSetting("music - outputdevice", "0", 1);
        CUtilityDb().Init();
        ASSERT_TRUE(mainWnd.CreateEx(0, nullptr, "main", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1100, 720), nullptr, 0));
        mainWnd.ShowWindow(SW_SHOW);
        g_mainWnd = mainWnd.m_hWnd;
    }

    void TearDown() override
    {
        CDlgMp3::InitHook() = nullptr;
        if (page)
            page->DestroyWindow();
        page.reset();
        g_mainWnd = nullptr;
        mainWnd.DestroyWindow();
        g_playing = 0;
        win::SetDisplayOverride(std::nullopt);
        win::SetMessageBoxAnswerer({});
    }

    // The page starts with these settings stored before.
    CDlgMp3& start(const std::vector<std::pair<std::string, std::string>>& settings = {})
    {
        CMusicDb db;
        for (const auto& [k, v] : settings)
            db.SetSetting(k, v, 1);
        page = std::make_unique<CDlgMp3>();
        EXPECT_TRUE(page->Create(CDlgMp3::IDD, &mainWnd));
        page->MoveWindow(CRect(0, 0, 1100, 700));
        page->ShowWindow(SW_SHOW);
        mainWnd.codes.clear();
        return *page;
    }

    // A mono 8 kHz sine WAV of the given seconds.
    std::string wav(const std::string& name, double seconds)
    {
        const std::string path = dir.file(name);
        if (!std::filesystem::exists(path))
            testsupport::writeSineWav(path, seconds, 8000, 1);
        return path;
    }

    // An MP3 made with lame from a sine WAV; empty when lame is missing.
    std::string mp3(const std::string& name, double seconds)
    {
        const std::string source = wav(name + ".wav", seconds);
        const std::string path = dir.file(name);
        const std::string command = "lame --quiet -b 64 '" + source + "' '" + path + "' >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? path : std::string();
    }

    std::string midi(const std::string& name, int seconds)
    {
        const std::string path = dir.file(name);
        testsupport::writeFile(path, midiBytes(seconds));
        return path;
    }

    // A song list of the page with these files as rows (column 3 is the path).
    void rows(int list, const std::vector<std::string>& paths)
    {
        std::vector<CMemArray> r;
        for (const std::string& p : paths) {
            CMemArray row;
            row.SetAll("Label", std::filesystem::path(p).stem().string(), "0", p, "", "", "", "", "", "");
            r.push_back(row);
        }
        page->SetSongRows(list, r);
    }

    double streamSeconds()
    {
        const HSTREAM s = page->SongStream();
        return BASS_ChannelBytes2Seconds(s, BASS_ChannelGetPosition(s, BASS_POS_BYTE));
    }

    void moveStream(double seconds)
    {
        const HSTREAM s = page->SongStream();
        BASS_ChannelSetPosition(s, BASS_ChannelSeconds2Bytes(s, seconds), BASS_POS_BYTE);
    }

    // One tick of the position poll with the song standing at the given second.
    void pollAt(double seconds)
    {
        moveStream(seconds);
        page->Tick(kTimerPoll);
    }
};

} // namespace musicpagetest
