// CMusicDb: the settings upgrade chain. Each step writes the start values of
// the settings it introduced and the version it brings the settings to, in
// one transaction; every step above the stored version runs, in order.
#include "store/MusicDb.h"

#include "store/MusicDbDetail.h"
#include "store/StoreGlobals.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using Values = std::vector<std::pair<std::string, std::string>>;

struct Step {
    int number;
    Values settings;
    Values styles;
};

const char* const kLevelCodes[10] = {"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"};

// The chain in order. Values that depend on the data folder or on other settings are filled when a step runs.
std::vector<Step> steps(const MyFunctions& fn)
{
    const auto folder = [&fn](const char* part) { return musicdbpaths::InDataFolder(fn, part); };
    std::vector<Step> s = {
        {81003, {{"music - timervisible", "false"}}, {}},
        {81004, {{"music - breaktimervisible", "false"}}, {}},
        {81006, {{"lyrics - short", "false"}}, {}},
        {81007, {{"music - gridlines", "true"}, {"music - colorallrows", "false"}}, {}},
        {81008, {{"lyrics - latestdir", folder("text")}}, {}},
        {81010,
         {{"music - colnameglobal", "0"},
          {"music - colsortglobal", "0"},
          {"lyrics - pathglobal", folder("text")},
          {"lyrics - searchforglobal", "0"}},
         {}},
        {90104,
         {{"general - clockbgcolorR", "0"},
          {"general - clockbgcolorG", "0"},
          {"general - clockbgcolorB", "255"},
          {"general - clocktxtcolorR", "255"},
          {"general - clocktxtcolorG", "255"},
          {"general - clocktxtcolorB", "255"},
          {"general - dpimsg", "false"},
          {"music - deleteplayedfiles", "false"}},
         {{"titlefontweight", "Bold"},
          {"labelfontweight", "Normal"},
          {"headerfontweight", "Normal"},
          {"lyricsfontweight", "Normal"},
          {"textfontweight", "Normal"}}},
        {90201,
         {{"general - karaoke_x", "100"},
          {"general - karaoke_y", "100"},
          {"general - karaoke_width", "600"},
          {"general - karaoke_height", "600"},
          {"general - listdefformat", "true"}},
         {}},
        {90202, {{"music - fastforwardrewind", "5"}, {"music - keychangevisible", "true"}}, {}},
        {90203, {{"music - activateonstop", "false"}, {"music - bassmono", "false"}}, {}},
        {90206, {{"music - plinghoedown", "false"}}, {}},
        {90208, {{"music - karaokemillie", "150"}}, {}},
        {90303, {{"music - jumpback", "0"}}, {}},
        {90305, {{"music - alwaysloopvalue", "false"}}, {}},
        {90307,
         {{"global - nrtabs", "9"},
          {"global - lyricsdir", ""},
          {"global - headtab0", "3 - List"},
          {"global - headtab1", "4 - Definitions"},
          {"global - headtab2", "5 - Start"},
          {"global - headtab3", "6 - Figure"},
          {"global - headtab4", "7 - Home"},
          {"global - headtab5", "8 - Getout"},
          {"global - headtab6", "9 - Sing"},
          {"global - headtab7", "0 - Odd"},
          {"global - headtab8", "+ - Notes"}},
         {}},
        {90401,
         {{"music - flagcolorR", "255"},
          {"music - flagcolorG", "0"},
          {"music - flagcolorB", "0"},
          {"music - eqeachsong", "true"},
          {"music - eqsavestate", "false"},
          {"music - eqname", "Default"}},
         {}},
        {90405, {{"music - subdir", "false"}, {"music - playlisttrack", "false"}}, {}},
        {90406, {{"music - fixbpm", "false"}, {"music - fixbpmvalue", "127"}}, {}},
        {90503, {{"music - fixbpm2", ""}, {"music - fixbpm3", ""}, {"music - resettimerzero", "false"}}, {}},
        {90506,
         {{"markers - value", "0"},
          {"music - onlyshowpaththatexist", "false"},
          {"music - trackdatetime", "false"},
          {"music - tracktime", "0"}},
         {}},
        {90507, {{"music - bothtempovalues", "false"}}, {}},
        {90508, {{"general - japanese", "false"}}, {}},
        {90604, {}, {}},
        {90701,
         {{"music - toolslistfontbold", "0"},
          {"music - toolslistfontitalic", "0"},
          {"music - toolslistfontsize", "-11"},
          {"music - toolslistfontname", "MS Sans Serif"},
          {"music - queuelistfontbold", "0"},
          {"music - queuelistfontitalic", "0"},
          {"music - queuelistfontsize", "-11"},
          {"music - queuelistfontname", "MS Sans Serif"}},
         {}},
        {90802, {{"music - usedefaultmusicfolder", "0"}, {"music - pathdefaultmusicfolder", folder("MP3")}}, {}},
        {90804, {{"general - tagspos_x", "100"}, {"general - tagspos_y", "100"}}, {}},
        {90807, {{"lyrics - subdir", "false"}, {"music - nrloops", "0"}}, {}},
        {90901, {{"music - showlistboxnr", "false"}}, {}},
        {90902, {{"music - songmark123", "false"}}, {}},
        {90903, {}, {}},
        {91001, {}, {}},
        {91003, {}, {}},
        {91005,
         {{"music - markersfontbold", "0"},
          {"music - markersfontitalic", "0"},
          {"music - markersfontsize", "-11"},
          {"music - markersfontname", "MS Sans Serif"},
          {"music - tracklevel", ""},
          {"music - squareidlist", ""}},
         {}},
        {91101, {{"music - savequeuedfiles", "false"}}, {}},
        {91102,
         {{"music - listboxsortdesc1", "false"},
          {"music - listboxsortdesc2", "false"},
          {"music - listboxsortdesc3", "false"}},
         {}},
        {91201, {{"music - notracklevel", "false"}}, {}},
        {91202, {{"music - nonrlabel", "false"}}, {}},
        {91203, {{"music - afterbreakplayfromque", "false"}}, {}},
        {91205, {{"music - doublebpm", "false"}}, {}},
        {91302, {{"general - callspos_width", "910"}, {"general - callspos_height", "505"}}, {}},
        {91303, {}, {}},
        {91304, {{"marrydlg - lyricsdirstart", "false"}}, {}},
        {91402,
         {{"music - adjustpitchvalue", "0"},
          {"music - adjustpitch1", "false"},
          {"music - adjustpitch2", "false"},
          {"music - adjustpitch3", "false"}},
         {}},
        {91405, {{"music - markslistdir", "false"}}, {}},
        {91502, {{"music - 66procentbpm", "false"}}, {}},
        {91603, {{"music - squareidlist2", ""}, {"music - alwaysfadeoutmusic", "false"}}, {}},
        {91604,
         {{"general - aboutpos_x", "100"},
          {"general - aboutpos_y", "100"},
          {"general - markerpos_x", "100"},
          {"general - markerpos_y", "100"}},
         {}},
        {91703, {{"music - selectoutputstart", "false"}}, {}},
        {91704, {{"lyrics - loadstart", ""}}, {}},
        {91801, {}, {}},
        {91901, {{"music - volumeplusminus", "5"}}, {}},
        {92001, {}, {}},
        {92102, {}, {}},
        {92201, {{"music - autolooptimestop", ""}}, {}},
        {92202,
         {{"general - arrowscrolltext", "10"},
          {"general - pagescrolltext", "10"},
          {"general - arrowscrollhtml", "130"},
          {"general - pagescrollhtml", "130"}},
         {}},
        {92203, {{"general - hexagon", "false"}}, {}},
        {92206, {{"record - input", "0"}, {"record - volumerec", "90"}}, {}},
        {92207, {{"general - focus", "false"}}, {}},
    };

    for (Step& step : s) {
        Values& v = step.settings;
        switch (step.number) {
        case 90307:
            for (int i = 9; i <= 14; ++i)
                v.emplace_back("global - headtab" + std::to_string(i), "Misc");
            break;
        case 90604:
            for (const char* suffix : {"b", "m", "p", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"})
                v.emplace_back(std::string("general - callspath_") + suffix, "");
            break;
        case 91801:
            for (const char* code : kLevelCodes)
                for (int list = 1; list <= 3; ++list)
                    v.emplace_back(std::string(code) + " - playlist" + std::to_string(list), "");
            v.emplace_back("markers - show", "1");
            break;
        case 92001:
            for (const auto& [word, value] : Values{{"choreofontname", "Comic Sans MS"},
                                                    {"choreofontsize", "6"},
                                                    {"choreofontweight", "Normal"},
                                                    {"choreocolorR", "0"},
                                                    {"choreocolorG", "0"},
                                                    {"choreocolorB", "0"}})
                for (int n = 1; n <= 4; ++n)
                    step.styles.emplace_back(word + std::to_string(n), value);
            step.styles.emplace_back("csspath", "");
            break;
        case 92102:
            for (const auto& [word, value] :
                 Values{{"CompareRateLow", "0"}, {"CompareRateHigh", "9"}, {"CompareSearch", ""}})
                for (int n = 1; n <= 3; ++n)
                    v.emplace_back("music - " + word + std::to_string(n), value);
            break;
        default:
            break;
        }
    }
    return s;
}

// The settings a step writes, in order, with the values it gives them;
// `stored` reads a setting as the step finds it.
Values settingsOfStep(const Step& step, const MyFunctions& fn,
                      const std::function<std::string(const std::string&)>& stored)
{
    const int number = step.number;
    Values out;
    out.emplace_back("system - version", std::to_string(number));
    if (number <= 91005)
        out.emplace_back("system - modified", fn.NowText());
    for (const auto& [name, value] : step.settings) {
        std::string v = value;
        if (number == 90503 && name != "music - resettimerzero")
            v = fn.BoolToString(stored("music - fixbpm") == "true");
        if (number == 92201)
            v = fn.IntToString(fn.StringToInt(stored("music - autolooptime")));
        out.emplace_back(name, v);
    }
    if (number == 91302 || number == 91303) {
        g_listDefFormatHtml = stored("general - listdefformat") == "true" ? 1 : 0;
        Values paths;
        if (number == 91302 && g_listDefFormatHtml)
            paths = {{"0list_basic - path", "ListAndDefHtml/blist.htm"},
                     {"1list_basic - path", "ListAndDefHtml/bdef.htm"},
                     {"0list_main - path", "ListAndDefHtml/mlist.htm"},
                     {"1list_main - path", "ListAndDefHtml/mdef.htm"}};
        else if (number == 91302)
            paths = {{"0list_basic - path", "ListAndDef/B_List.pdf"},
                     {"1list_basic - path", "ListAndDef/B_Definitions.pdf"},
                     {"0list_main - path", "ListAndDef/M_List.pdf"},
                     {"1list_main - path", "ListAndDef/M_Definitions.pdf"}};
        else if (!g_listDefFormatHtml)
            paths = {{"0list_c4 - path", "ListAndDef/C-4_List.pdf"},
                     {"1list_c4 - path", "ListAndDef/C-4_Definitions.pdf"}};
        for (const auto& [name, part] : paths)
            out.emplace_back(name, musicdbpaths::InDataFolder(fn, part));
    }
    return out;
}

} // namespace

void CMusicDb::UpgradeSettings()
{
    const int version = GetSettingInt("system - version", 1);
    for (const Step& step : steps(m_fn)) {
        if (version < step.number)
            ApplyUpgradeStep(step.number);
    }
}

void CMusicDb::ApplyUpgradeStep(int number)
{
    Step step;
    for (Step& s : steps(m_fn))
        if (s.number == number)
            step = std::move(s);

    BeginBatch();
    // Any failure below rolls the step back and closes the batch (Run on the batch connection).
    const auto stored = [this](const std::string& name) { return GetSetting(name, 0); };
    for (const auto& [name, value] : settingsOfStep(step, m_fn, stored))
        SetSetting(name, value, 0);
    for (const auto& [name, value] : step.styles)
        SetStyle(name, value, 0);

    Run(0, [&](CppSQLite3DB& db) {
        if (number == 90202 && db.TableExists("music") && ColumnCount(db, "music") < 24) {
            for (const char* column : {"eq4 int", "eq5 int", "eq6 int", "eq7 int", "eq8 int", "eq9 int", "eq10 int",
                                       "keypitch int", "keytime double"}) {
                const std::string name = std::string(column).substr(0, std::string(column).find(' '));
                const bool present = db.GetTable("SELECT name FROM pragma_table_info('music') WHERE name='" +
                                                 name + "';")
                                         .RowCount() > 0;
                if (!present)
                    db.Execute(std::string("ALTER TABLE music ADD ") + column + ";");
            }
        }
        if (number == 91003 && db.TableExists("track") && ColumnCount(db, "track") < 7)
            db.Execute("ALTER TABLE track ADD level int;");
    });
    CommitBatch();
}

void CMusicDb::WriteFreshSettings()
{
    // A new database is a first run; the first run fills the default paths, which only
    // update rows that exist, so their rows are made here. Then every step's values, as
    // the chain would leave them, in one transaction: a start on a new data folder
    // parses a handful of statements instead of several hundred.
    Values rows;
    std::unordered_map<std::string, size_t> at;
    const auto set = [&](const std::string& name, const std::string& value) {
        if (const auto it = at.find(name); it != at.end()) {
            rows[it->second].second = value;
            return;
        }
        at.emplace(name, rows.size());
        rows.emplace_back(name, value);
    };
    const auto stored = [&](const std::string& name) {
        const auto it = at.find(name);
        return it == at.end() ? std::string() : rows[it->second].second;
    };
    set("system - setup", "true");
    for (const std::string& name : musicdbpaths::DefaultPathSettings())
        set(name, "");
    Values styles;
    for (const Step& step : steps(m_fn)) {
        for (const auto& [name, value] : settingsOfStep(step, m_fn, stored))
            set(name, value);
        styles.insert(styles.end(), step.styles.begin(), step.styles.end());
    }

    BeginBatch();
    Run(0, [&](CppSQLite3DB& db) {
        constexpr size_t kRowsPerStatement = 200;
        for (size_t first = 0; first < rows.size(); first += kRowsPerStatement) {
            std::string sql = "insert into ini values ";
            for (size_t i = first; i < std::min(rows.size(), first + kRowsPerStatement); ++i)
                sql += std::string(i == first ? "" : ",") + "('" + Sql(rows[i].first) + "','" +
                       Sql(m_fn.EscapeSql(rows[i].second)) + "')";
            db.Execute(sql + ";");
        }
    });
    for (const auto& [name, value] : styles)
        SetStyle(name, value, 0);
    CommitBatch();
}
