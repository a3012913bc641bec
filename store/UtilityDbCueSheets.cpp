// CUtilityDb: cue sheets read from a folder of HTML files, their short form, and their export.
#include "store/UtilityDb.h"

#include "platform/win/MessageBox.h"
#include "store/ImportChooser.h"
#include "store/StoreGlobals.h"
#include "store/UtilityDbDetail.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;
using utilitydb::ReplaceAll;

namespace {

// The markup of the cue-sheet writers brought to the few markers the pages are built from.
const std::pair<const char*, const char*> kReplacements[] = {
    {"ENDING", "CLOSER"},
    {"<p Class=\"hdr\">", "<br>[header]"},
    {"<p class=\"hdr\">", "<br>[header]"},
    {"<P CLASS=\"hdr\">", "<br>[header]"},
    {"<P CLASS=hdr>", "<br>[header]"},
    {"<P class=hdr>", "<br>[header]"},
    {"<p Class=hdr>", "<br>[header]"},
    {"<p class=hdr>", "<br>[header]"},
    {"<FONT class=lyrics>", "[lyrics]"},
    {"<font Class=\"lyrics\">", "[lyrics]"},
    {"<font class=\"lyrics\">", "[lyrics]"},
    {"<FONT CLASS=\"lyrics\">", "[lyrics]"},
    {"<font Class=lyrics>", "[lyrics]"},
    {"<font class=lyrics>", "[lyrics]"},
    {"<FONT CLASS=lyrics>", "[lyrics]"},
    {"<SPAN CLASS=\"lyrics\">", "[lyrics]"},
    {"<SPAN class=lyrics>", "[lyrics]"},
    {"<FONTclass=lyrics>", "[lyrics]"},
    {"<l>", ""},
    {"<L>", ""},
    {"<c>", ""},
    {"<C>", ""},
    {"</c>", ""},
    {"</C>", ""},
    {"</l>", "</span>"},
    {"</L>", "</span>"},
    {"</P>", "</FONT>"},
    {"</p>", "</FONT>"},
    {"</font>", "</FONT>"},
    {"</Font>", "</FONT>"},
    {"</SPAN></FONT><br>[header]FIGURE</FONT><BR><BR>", "<br></span></FONT><br><br>[header]FIGURE</FONT><br><br>"},
    {"</SPAN></FONT><br>[header]TAG</FONT><BR><BR>", "<br></span></FONT><br><br>[header]TAG</FONT><br><br>"},
};

std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

struct Sheet {
    std::string label; // as in the file name
    std::string body;  // reduced, stored form
};

// Reads one cue-sheet file; false when it cannot be read. Problems of its content go to the log.
bool readSheet(const MyFunctions& fn, const fs::path& file, Sheet& sheet)
{
    std::vector<std::string> lines;
    if (!utilitydb::ReadTextLines(file.string(), lines))
        return false;
    std::string body;
    for (const std::string& line : lines)
        body += line;

    const std::string name = file.filename().string();
    const std::string title = fn.FileTitleFromPath(name);
    const size_t dash = title.find(" - ");
    sheet.label = dash == std::string::npos ? std::string() : title.substr(0, dash);
    if (fn.GetExtension(name) != "HTML")
        fn.WriteLog("Wrong extension: " + sheet.label);

    const std::string upper = upperAscii(body);
    size_t header = upper.find("<P CLASS=\"HDR\">");
    if (header == std::string::npos)
        header = upper.find("<P CLASS=HDR>");
    if (header != std::string::npos)
        body = body.substr(header);
    else
        fn.WriteLog("Wrong format: " + sheet.label);
    if (upper.find("!DOCTYPE HTML PUBLIC") != std::string::npos)
        fn.WriteLog("!DOCTYPE HTML PUBLIC: " + sheet.label);
    if (body.find("background-color:") != std::string::npos)
        fn.WriteLog("background-color: " + sheet.label);

    for (const auto& [from, to] : kReplacements)
        body = ReplaceAll(body, from, to);
    sheet.body = fn.EscapeSql(body);
    return true;
}

// The header and lyrics blocks of a stored cue sheet, each followed by "<br>".
std::string shortForm(const std::string& text)
{
    static const std::string kEnd = "</FONT>";
    std::string out;
    size_t start = 0;
    for (int blocks = 0; blocks < 30; ++blocks) {
        const size_t end = text.find(kEnd, start);
        if (end == std::string::npos)
            break;
        const std::string block = text.substr(start, end + kEnd.size() - start);
        start = end + kEnd.size();
        for (const char* marker : {"[header]", "[lyrics]"}) {
            const size_t at = block.find(marker);
            if (at != std::string::npos)
                out += block.substr(at) + "<br>";
        }
    }
    return out;
}

} // namespace

bool CUtilityDb::ImportCueSheets(CImportChooser& chooser)
{
    const std::string folder = chooser.ChooseFolder();
    if (folder.empty())
        return false;
    // A folder that cannot be read must not cost the cue sheets already stored.
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        AfxMessageBox("Can't read the folder " + folder + ".\nThe cue sheets are unchanged.", MB_ICONEXCLAMATION);
        return false;
    }
    std::vector<fs::path> files;
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        const std::string ext = m_fn.GetExtension(it->path().filename().string());
        if (it->is_regular_file(typeError) && (ext == "HTM" || ext == "HTML"))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::vector<Sheet> sheets;
    for (const fs::path& file : files) {
        Sheet sheet;
        if (readSheet(m_fn, file, sheet))
            sheets.push_back(std::move(sheet));
    }

    {
        CppSQLite3DB db;
        OpenLocal(db);
        db.Execute("BEGIN");
        if (db.TableExists("cuesheet"))
            db.Execute("drop table cuesheet;");
        CreateMissingTables(db);
        for (const Sheet& sheet : sheets) {
            // Labels of the catalogue are in their stored form.
            const std::string label = Sql(m_fn.EscapeSql(sheet.label));
            if (db.GetTable("SELECT company FROM sqrecord WHERE label='" + label + "';").RowCount() > 0) {
                db.Execute("insert into cuesheet values('" + label + "','" + Sql(sheet.body) + "');");
                db.Execute("update sqrecord set cuesheet='[yes]' where label='" + label + "';");
            } else if (!sheet.label.empty()) {
                m_fn.WriteLog("Don\xC2\xB4t exist in DB: " + sheet.label);
            }
        }
        db.Execute("create index idx_cuesheet on cuesheet (label);");
        db.Execute("COMMIT");
    }
    BuildShortCueSheets();
    StampVersion();
    return true;
}

void CUtilityDb::BuildShortCueSheets()
{
    {
        CppSQLite3DB db;
        OpenLocal(db);
        db.Execute("BEGIN");
        if (db.TableExists("cuesheetshort"))
            db.Execute("drop table cuesheetshort;");
        CreateMissingTables(db);
        CppSQLite3Table sheets = db.GetTable("SELECT * FROM cuesheet;");
        for (int row = 0; row < sheets.RowCount(); ++row) {
            sheets.SetRow(row);
            db.Execute("insert into cuesheetshort values('" + Sql(sheets.FieldTextOr(0, "")) + "','" +
                       Sql(shortForm(sheets.FieldTextOr(1, ""))) + "');");
        }
        db.Execute("create index idx_cuesheetshort on cuesheetshort (label);");
        db.Execute("COMMIT");
    }
    StampVersion();
}

bool CUtilityDb::WriteCueSheetFiles(int type)
{
    static const char* const kFiles[] = {"cuesheet.txt", "cuesheetshort.txt", "cuesheetcsv.csv",
                                         "cuesheetshortcsv.csv"};
    if (type < 1 || type > 4)
        return false;
    const std::string table = type == 1 || type == 3 ? "cuesheet" : "cuesheetshort";
    CppSQLite3Table rows;
    {
        CppSQLite3DB db;
        OpenLocal(db);
        rows = db.GetTable("SELECT * FROM " + table + ";");
    }
    std::string text;
    if (type >= 3)
        text = "\"label\"; \"cuesheet\"\n";
    for (int row = 0; row < rows.RowCount(); ++row) {
        rows.SetRow(row);
        const std::string label = rows.FieldTextOr(0, "");
        const std::string sheet = rows.FieldTextOr(1, "");
        if (type <= 2)
            text += label + " " + sheet + "\n\n";
        else
            text += "\"" + label + "\";\"" + sheet + "\"\n";
    }
    return utilitydb::WriteTextFile(m_fn.AddBackslash(g_baseFolder) + kFiles[type - 1], text);
}
