// CMusicDb: the per-song settings of table music, one row per song file.
#include "store/MusicDb.h"

#include "store/PlayerGlobals.h"
#include "store/SongSettingsNotifier.h"
#include "store/SqlValue.h"

#include <string>

namespace {

// Every lookup of a song matches its path exactly (and so finds it through idx_music).
std::string selectSong(const std::string& quotedPath)
{
    return "SELECT * FROM music WHERE path='" + quotedPath + "';";
}

bool hasSong(CppSQLite3DB& db, const std::string& quotedPath)
{
    return db.GetTable(selectSong(quotedPath)).RowCount() > 0;
}

// One column of the first row of the path, or nothing.
CppSQLite3Table selectColumn(CppSQLite3DB& db, const char* column, const std::string& quotedPath)
{
    return db.GetTable(std::string("SELECT ") + column + " FROM music WHERE path='" + quotedPath + "';");
}

std::string number(const std::string& text, const char* column, const char* whenEmpty = nullptr)
{
    return store::SqlNumber(text.empty() && whenEmpty ? std::string(whenEmpty) : text, column);
}

void switchEqualizer(bool on)
{
    if (CSongSettingsNotifier* notifier = SongSettingsNotifier())
        notifier->SwitchEqualizer(on);
}

} // namespace

void CMusicDb::SaveSongSettings(const std::string& path, int own)
{
    m_fn.WriteLog(path);
    const std::string stored = m_fn.EscapeSql(path);
    m_fn.WriteLog("Replace char");
    m_fn.WriteLog(stored);
    const std::string eq4 = g_eqOn ? "1" : "0";
    if (stored.empty())
        return;

    const std::string p = Sql(stored);
    const std::string speed = m_fn.IntToString(g_speedHz);
    const std::string pitch = m_fn.IntToString(static_cast<int>(g_pitch)); // toward zero
    const std::string tempo = m_fn.FloatToString(g_tempo);
    const std::string volume = m_fn.IntToString(g_songVolume);
    const std::string loopset = m_fn.FloatToString(g_loopStart);
    const std::string loopstop = m_fn.FloatToString(g_loopEnd);
    const std::string eq1 = m_fn.IntToString(g_eqBass);
    const std::string eq2 = m_fn.IntToString(g_eqMid);
    const std::string eq3 = m_fn.IntToString(g_eqTreble);
    const std::string markers = Sql(g_songMarkers);
    const std::string rate = m_fn.IntToString(g_songRating);
    const std::string length = m_fn.IntToString(g_songLength);
    const std::string comment = Sql(m_fn.EscapeSql(g_songComment)); // a stored form stays as it is
    const std::string keypitch = m_fn.IntToString(g_keychangeSteps);
    const std::string keytime = m_fn.FloatToString(g_keychangeTime);
    const std::string pitchfloat = m_fn.FloatToString(g_pitch);
    const std::string now = m_fn.NowText();

    const std::string update = "UPDATE music SET speed=" + speed + "," + "tempo=" + tempo + ", volume=" + volume +
                               ", loopset=" + loopset + "," + "loopstop=" + loopstop + ",eq1=" + eq1 + ",eq2=" +
                               eq2 + ",eq3=" + eq3 + ",markers='" + markers + "', rate=" + rate +
                               ", length=" + length + ", comment='" + comment + "', date='" + now + "'," +
                               "eq4=" + eq4 + ",eq5=0,eq6=0,eq7=0,eq8=0,eq9=0,eq10=0,keypitch=" + keypitch +
                               ",keytime=" + keytime + ", pitchfloat=" + pitchfloat + " WHERE path = '" + p +
                               "'; ";
    const std::string insert = "insert into music values ('" + p + "'," + speed + "," + pitch + "," + tempo + "," +
                               volume + "," + loopset + "," + loopstop + "," + eq1 + "," + eq2 + "," + eq3 +
                               ",'" + markers + "'," + rate + "," + length + ",'" + comment + "','" + now + "'," +
                               eq4 + ",0,0,0,0,0,0," + keypitch + "," + keytime + "," + pitchfloat + "); ";
    m_fn.WriteLog(update);
    m_fn.WriteLog(insert);
    m_fn.WriteLog(own ? "Open true" : "Open false");
    Run(own, [&](CppSQLite3DB& db) {
        if (hasSong(db, p)) {
            m_fn.WriteLog("update");
            db.Execute(update);
        } else {
            m_fn.WriteLog("insert");
            db.Execute(insert);
        }
    });
}

bool CMusicDb::LoadSongSettings(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    CppSQLite3Table t = Run(own, [&](CppSQLite3DB& db) { return db.GetTable(selectSong(p)); });
    if (t.RowCount() < 1) {
        if (g_eqEachSong)
            switchEqualizer(false);
        return false;
    }
    t.SetRow(0);
    g_speedHz = t.FieldInt(1, g_speedHz);
    g_tempo = static_cast<float>(t.FieldFloat(3, 0.0));
    g_songVolume = t.FieldInt(4, 100);
    g_loopStart = static_cast<float>(t.FieldFloat(5, 0.0));
    g_loopEnd = static_cast<float>(t.FieldFloat(6, 0.0));
    g_songMarkers = t.FieldTextOr(10, "");
    g_songRating = t.FieldInt(11, 0);
    g_songComment = t.FieldTextOr(13, ""); // kept in its stored form
    g_keychangeSteps = t.FieldInt(22, 0);
    g_keychangeTime = static_cast<float>(t.FieldFloat(23, 0.0));
    g_pitch = static_cast<float>(t.FieldFloat(24, 0.0));
    if (g_eqEachSong) {
        g_eqBass = t.FieldInt(7, 0);
        g_eqMid = t.FieldInt(8, 0);
        g_eqTreble = t.FieldInt(9, 0);
        switchEqualizer(t.FieldInt(15, 0) != 0);
    }
    return true;
}

void CMusicDb::SaveMusicRow(const std::string& path, const std::string& speed, const std::string& pitch,
                            const std::string& tempo, const std::string& volume, const std::string& loopset,
                            const std::string& loopstop, const std::string& eq1, const std::string& eq2,
                            const std::string& eq3, const std::string& markers, const std::string& rate,
                            const std::string& length, const std::string& comment, const std::string& eq4,
                            const std::string& eq5, const std::string& eq6, const std::string& eq7,
                            const std::string& eq8, const std::string& eq9, const std::string& eq10,
                            const std::string& keypitch, const std::string& keytime,
                            const std::string& pitchfloat, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string c = Sql(m_fn.EscapeSql(comment));
    // Rows come from the music manager and from CSV files: every number is checked first.
    const std::string sp = number(speed, "speed");
    const std::string pi = number(pitch, "pitch");
    const std::string te = number(tempo, "tempo");
    const std::string vo = number(volume, "volume");
    const std::string ls = number(loopset, "loopset");
    const std::string le = number(loopstop, "loopstop");
    const std::string e1 = number(eq1, "eq1");
    const std::string e2 = number(eq2, "eq2");
    const std::string e3 = number(eq3, "eq3");
    const std::string ra = number(rate, "rate", "0");
    const std::string le2 = number(length, "length", "0");
    const std::string e4 = number(eq4, "eq4", "0");
    const std::string e5 = number(eq5, "eq5", "0");
    const std::string e6 = number(eq6, "eq6", "0");
    const std::string e7 = number(eq7, "eq7", "0");
    const std::string e8 = number(eq8, "eq8", "0");
    const std::string e9 = number(eq9, "eq9", "0");
    const std::string e10 = number(eq10, "eq10", "0");
    const std::string kp = number(keypitch, "keypitch", "0");
    const std::string kt = number(keytime, "keytime", "0.0");
    const std::string pf = number(pitchfloat, "pitchfloat", "0.0");
    const std::string m = Sql(markers);
    const std::string now = m_fn.NowText();

    const std::string update = "UPDATE music SET speed=" + sp + "," + "tempo=" + te + ", volume=" + vo +
                               ", loopset=" + ls + "," + "loopstop=" + le + ",eq1=" + e1 + ",eq2=" + e2 +
                               ",eq3=" + e3 + ",markers='" + m + "', rate=" + ra + ", length=" + le2 +
                               ",comment='" + c + "', date='" + now + "',eq4=" + e4 + ",eq5=" + e5 + ",eq6=" + e6 +
                               ",eq7=" + e7 + ",eq8=" + e8 + ",eq9=" + e9 + ",eq10=" + e10 + ",keypitch=" + kp +
                               ",keytime=" + kt + ",pitchfloat=" + pf + " WHERE path='" + p + "';";
    const std::string insert = "insert into music values ('" + p + "'," + sp + "," + pi + "," + te + "," + vo + "," +
                               ls + "," + le + "," + e1 + "," + e2 + "," + e3 + ",'" + m + "'," + ra + "," + le2 +
                               ",'" + c + "','" + now + "'," + e4 + "," + e5 + "," + e6 + "," + e7 + "," + e8 +
                               "," + e9 + "," + e10 + "," + kp + "," + kt + "," + pf + ");";
    Run(own, [&](CppSQLite3DB& db) { db.Execute(hasSong(db, p) ? update : insert); });
}

CppSQLite3Table CMusicDb::GetAllMusic(int own)
{
    return Run(own, [](CppSQLite3DB& db) { return db.GetTable("SELECT * FROM music;"); });
}

bool CMusicDb::HasMusicRow(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    return Run(own, [&](CppSQLite3DB& db) { return hasSong(db, p); });
}

std::string CMusicDb::GetRateText(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const int rate = Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = selectColumn(db, "rate", p);
        if (t.RowCount() < 1)
            return 0;
        t.SetRow(0);
        return t.FieldInt(0, 0);
    });
    return m_fn.IntToString(rate);
}

bool CMusicDb::IsRateInRange(const std::string& path, int low, int high, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    return Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = selectColumn(db, "rate", p);
        if (t.RowCount() < 1)
            return false;
        t.SetRow(0);
        const int rate = t.FieldInt(0, 0);
        return low <= rate && rate <= high;
    });
}

int CMusicDb::GetLength(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    return Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = selectColumn(db, "length", p);
        if (t.RowCount() < 1)
            return 0;
        t.SetRow(0);
        return t.FieldInt(0, 0);
    });
}

void CMusicDb::SetLength(const std::string& path, int length, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    Run(own, [&](CppSQLite3DB& db) {
        if (hasSong(db, p))
            db.Execute("UPDATE music SET length=" + m_fn.IntToString(length) + " WHERE path='" + p + "';");
    });
}

std::string CMusicDb::GetCommentText(const std::string& path, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string stored = Run(own, [&](CppSQLite3DB& db) {
        CppSQLite3Table t = selectColumn(db, "comment", p);
        if (t.RowCount() < 1)
            return std::string();
        t.SetRow(0);
        return std::string(t.FieldTextOr(0, ""));
    });
    return m_fn.UnescapeSql(stored);
}

void CMusicDb::SetCommentAndRate(const std::string& path, const std::string& sampleRate,
                                 const std::string& comment, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string c = Sql(m_fn.EscapeSql(comment));
    const bool updated = Run(own, [&](CppSQLite3DB& db) {
        if (!hasSong(db, p))
            return false;
        db.Execute("UPDATE music SET comment='" + c + "' WHERE path='" + p + "';");
        return true;
    });
    if (!updated)
        SaveMusicRow(path, sampleRate, "0", "0", "100", "0", "0", "0", "0", "0", "0", "0", "0", comment, "", "", "",
                     "", "", "", "", "", "", "", own);
}

void CMusicDb::SetPitchFloat(const std::string& path, double value, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string v = store::SqlNumber(m_fn.DoubleToString(value), "pitchfloat");
    Run(own, [&](CppSQLite3DB& db) {
        if (hasSong(db, p))
            db.Execute("UPDATE music SET pitchfloat=" + v + " WHERE path='" + p + "';");
    });
}

void CMusicDb::ImportLoopRow(const std::string& path, const std::string& speed, const std::string& pitch,
                             const std::string& tempo, const std::string& volume, const std::string& loopset,
                             const std::string& loopstop, const std::string& markers, const std::string& rate,
                             const std::string& keypitch, const std::string& keytime,
                             const std::string& pitchfloat, int own)
{
    const std::string p = Sql(m_fn.EscapeSql(path));
    const std::string insert =
        "insert into music values ('" + p + "'," + number(speed, "speed", "44100") + "," +
        number(pitch, "pitch", "0") + "," + number(tempo, "tempo", "0") + "," + number(volume, "volume", "100") +
        "," + number(loopset, "loopset", "0.00") + "," + number(loopstop, "loopstop", "0.00") + ",0,0,0,'" +
        Sql(markers) + "'," + number(rate, "rate", "0") + ",0,'','" + m_fn.NowText() + "',0,0,0,0,0,0,0," +
        number(keypitch, "keypitch", "0") + "," + number(keytime, "keytime", "0.00") + "," +
        number(pitchfloat, "pitchfloat", "0.00") + "); ";
    Run(own, [&](CppSQLite3DB& db) {
        if (!hasSong(db, p))
            db.Execute(insert);
    });
}
