#pragma once
// A data folder holding a fresh mirtal.db, and the player's song globals put
// back after each test.
#include "StoreFixture.h"
#include "store/PlayerGlobals.h"
#include "store/MusicDb.h"

#include <string>

namespace storetest {

class SongData : public DataFolder {
protected:
    SongData() : m_saved(Snapshot()) { db.CreateSchema(); }
    ~SongData() override { m_saved.Restore(); }

    // One row of a query on mirtal.db, every field as text ("<null>" for NULL).
    std::vector<std::string> Row(const std::string& sql)
    {
        CppSQLite3DB conn;
        Open(conn);
        CppSQLite3Table t = conn.GetTable(sql);
        std::vector<std::string> out;
        if (t.RowCount() < 1)
            return out;
        t.SetRow(0);
        for (int i = 0; i < t.FieldCount(); ++i)
            out.push_back(t.FieldTextOr(i, "<null>"));
        return out;
    }

    CMusicDb db;

private:
    struct Globals {
        std::string path, comment, markers;
        float tempo, pitch, loopStart, loopEnd, keyTime;
        int speed, volume, rating, length, keySteps, eqOn, bass, mid, treble, eachSong;
        void Restore() const
        {
            g_currentSongPath = path;
            g_songComment = comment;
            g_songMarkers = markers;
            g_tempo = tempo;
            g_pitch = pitch;
            g_loopStart = loopStart;
            g_loopEnd = loopEnd;
            g_keychangeTime = keyTime;
            g_speedHz = speed;
            g_songVolume = volume;
            g_songRating = rating;
            g_songLength = length;
            g_keychangeSteps = keySteps;
            g_eqOn = eqOn;
            g_eqBass = bass;
            g_eqMid = mid;
            g_eqTreble = treble;
            g_eqEachSong = eachSong;
        }
    };
    static Globals Snapshot()
    {
        return {g_currentSongPath, g_songComment, g_songMarkers, g_tempo,   g_pitch,
                g_loopStart,       g_loopEnd,     g_keychangeTime, g_speedHz, g_songVolume,
                g_songRating,      g_songLength,  g_keychangeSteps, g_eqOn,  g_eqBass,
                g_eqMid,           g_eqTreble,    g_eqEachSong};
    }
    Globals m_saved;
};

} // namespace storetest
