#include "options/OptionTables.h"

namespace options {
namespace {

Row text(std::string label, std::string key, std::string value, std::string description)
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::Text;
    r.key = std::move(key);
    r.text = std::move(value);
    r.description = std::move(description);
    return r;
}

Row boolean(std::string label, std::string key, bool value, std::string description)
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::Bool;
    r.key = std::move(key);
    r.flag = value;
    r.description = std::move(description);
    return r;
}

Row number(std::string label, std::string key, int value, int min, int max, std::string description)
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::Number;
    r.key = std::move(key);
    r.number = value;
    r.spin = true;
    r.min = min;
    r.max = max;
    r.description = std::move(description);
    return r;
}

Row choice(std::string label, std::string key, std::string value, std::vector<std::string> options,
           std::string description, Stored stored = Stored::Index, std::vector<std::string> numbers = {})
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::Choice;
    r.key = std::move(key);
    r.text = std::move(value);
    r.options = std::move(options);
    r.numbers = std::move(numbers);
    r.stored = stored;
    r.description = std::move(description);
    return r;
}

Row colour(std::string label, std::string key, COLORREF value, std::string description, bool automatic = false)
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::Colour;
    r.key = std::move(key);
    r.colour = value;
    r.automatic = automatic;
    r.description = std::move(description);
    return r;
}

Row font(std::string label, std::string stem, std::string face, int points, std::string description)
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::Font;
    r.key = std::move(stem);
    r.text = std::move(face);
    r.number = points;
    r.description = std::move(description);
    return r;
}

Row file(std::string label, std::string key, std::string value, std::string defaultExt, std::string filter,
         std::string description)
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::File;
    r.key = std::move(key);
    r.text = std::move(value);
    r.defaultExt = std::move(defaultExt);
    r.filter = std::move(filter);
    r.description = std::move(description);
    return r;
}

Row folder(std::string label, std::string key, std::string value, std::string description)
{
    Row r;
    r.label = std::move(label);
    r.kind = Kind::Folder;
    r.key = std::move(key);
    r.text = std::move(value);
    r.description = std::move(description);
    return r;
}

Row style(Row r)
{
    r.table = Table::Style;
    return r;
}

const std::vector<std::string> kFileNameFormats = {"Label - Title.xxx", "Title - Label.xxx", "Title.xxx"};
const std::vector<std::string> kFileNameFormatsGlobal = {"Label - Title.xxx", "Title - Label.xxx", "Title.xxx",
                                                         "Global"};
const std::vector<std::string> kSorts = {"Column1", "Column2", "Column3", "None"};
const std::vector<std::string> kSortsGlobal = {"Column1", "Column2", "Column3", "None", "Global"};
const std::vector<std::string> kFontNames = {"Comic Sans MS", "Times New Roman", "Arial", "Verdana"};
const std::vector<std::string> kWeights = {"Normal", "Bold"};

const char* const kAllFiles = "All Files(*.*)|*.*||";
const char* const kFormatDescription =
    "Select the formats how the files are named on disc - Don't forget to change the column heading text accordingly";
const char* const kTimerDescription = "Number of minutes before the timer is colored red ";
const char* const kMarkedDescription = "Time before the song is marked. Zero means that it\xC2\xB4s marked at once.";

Group listboxGroup(int n)
{
    const std::string s = std::to_string(n);
    Group g{"Listbox " + s, {}, {}};
    g.rows = {
        choice("Type", "music - columetype" + s, "All types", {"All types", "Hoedown", "Singingcall"},
               "Select the type"),
        boolean("Mark used music", "music - songmarker" + s, true, "Mark played music with different color"),
        choice("File Name Format", "music - colname" + s, "Global", kFileNameFormatsGlobal, kFormatDescription),
        choice("Sort", "music - colsort" + s, "Global", kSortsGlobal, "Select how the listbox shall be sorted"),
        boolean("Sort descending", "music - listboxsortdesc" + s, false, "Sort the listbox descending"),
        text("Header Name Column 1", "music - col1name" + s, "Global", "Select the name for column 1"),
        text("Header Name Column 2", "music - col2name" + s, "Global", "Select the name for column 2"),
        boolean("Track filter on start", "music - trackfilter" + s, false,
                "Filetr the listbox with Track name on start"),
    };
    return g;
}

} // namespace

std::string InFolder(const std::string& folder, const std::string& part)
{
    if (folder.empty())
        return part;
    const char last = folder.back();
    return (last == '/' || last == '\\') ? folder + part : folder + "/" + part;
}

std::vector<Group> MusicGroups(const std::string& dataFolder)
{
    Group global{"Global", {}, {}};
    global.rows = {
        choice("Global File Name Format", "music - colnameglobal", "Label - Title.xxx", kFileNameFormats,
               kFormatDescription, Stored::Index, kFileNameFormatsGlobal),
        choice("Global Sort", "music - colsortglobal", "Column1", kSorts, "Select how the listbox shall be sorted",
               Stored::Index, kSortsGlobal),
    };

    Group general{"General", {}, {}};
    general.rows = {
        file("Checkers", "general - checkerpath", InFolder(dataFolder, "sd.exe"), "exe",
             "Exe Files(*.exe)|*.exe|All Files(*.*)|*.*||", "Specifies the Checkers pogram path"),
        colour("Background Color", "general - dlgcolor", RGB(212, 212, 212),
               "Specifies the background color for all dialogs"),
        boolean("Maximaze window on start", "general - maxstart", true,
                "Maximaze the Main windows when the program is started. ALways true for small notbooks."),
        file("Play Music 1 (F8)", "music - playmusic1", "", "", kAllFiles,
             "Specifies the file that shall be played with F8"),
        file("Play Music 2 (F9)", "music - playmusic2", "", "", kAllFiles,
             "Specifies the file that shall be played with F9"),
        choice("Clock", "general - digitalclock", "Analog Clock",
               {"Analog Clock", "12hour Digital Clock", "24hour Digital Clock"}, "Select type of clock"),
        colour("Digital Clock Background", "general - clockbgcolor", RGB(0, 0, 255),
               "Specifies the background color for the digital clock"),
        colour("Digital Clock Text", "general - clocktxtcolor", RGB(255, 255, 255),
               "Specifies the text color for digital clock"),
        boolean("Right align Clock", "general - rightalignclock", false, "Right align the clock in the Music tab"),
        boolean("Tooltips", "general - tooltip", true, "Show tooltips for all the buttons and other controls"),
        boolean("Change to current drive", "general - currentdrive", false,
                "Change the driveletter to the current drive"),
        boolean("Compressed view", "general - compressedview", false, "Compress the controls for smaller screens"),
        file("Alert sound", "general - dingpath", "", "wav",
             "Wave Files(*.wav)|*.wav|MP3 Files(*.mp3)|*.mp3|Midi Files(*.mid)|*.mid||",
             "Specifies the file that shall be used for alerting the user, if empty the default sound will be "
             "used."),
        choice("List & Definitions Format", "general - listdefformat", "PDF", {"PDF", "HTML"},
               "Select if the lists and definitions shall be displayed in html or pdf format.", Stored::TrueFalse),
        boolean("Japanese Character set", "general - japanese", false, "Japanese Character set"),
        font("Tools Listbox Font", "music - toolslist", "MS Sans Serif", 8,
             "Specifies the default font for the listboxes in Menu->Tools"),
        number("Arrow scroll textfile", "general - arrowscrolltext", 10, 0, 30,
               "Distance that the textfile will scroll when the arrow up/down key is prsssed"),
        number("Page scroll textfile", "general - pagescrolltext", 10, 0, 30,
               "Distance that the textfile will scroll when the page up/down key is prsssed"),
        number("Arrow scroll htmlfile", "general - arrowscrollhtml", 130, 0, 30,
               "Distance that the htmlfile will scroll when the arrow up/down key is prsssed"),
        number("Page scroll htmlfile", "general - pagescrollhtml", 130, 0, 30,
               "Distance that the htmlfile will scroll when the page up/down key is prsssed"),
        boolean("Hexagon", "general - hexagon", false, "Square ID with 6 couples"),
    };

    Group music{"Music", {}, {}};
    Row adjust = number("Adjust tempo when song is selected", "", 0, -15, 15, "Adjust tempo when song is selected");
    adjust.readOnly = true; // no setting holds it: an edit would be lost when the page closes
    music.rows = {
        text("Name Tab ", "music - headname", "1 - Music", "Select the music tab name"),
        number("Fade (sec)", "music - fade", 3, 0, 30, "Number of seconds that the music shall fade in/out"),
        choice("Restart", "music - restart", "Restart all types",
               {"Restart all types", "Restart only Hoedown", "Rewind but don\xC2\xB4t start"},
               "Select music restart behavior"),
        choice("Autostart", "music - autostartopt", "Autostart all types",
               {"Autostart all types", "Autostart only Hoedown", "Don\xC2\xB4t Autostart Singingcall"},
               "Select music Autostart behavior"),
        boolean("Track - Name on start", "music - trackprompt", false, "Prompt for Track name on start"),
        boolean("Track - Date & Time", "music - trackdatetime", false,
                "Show date & time in comment field, overwrite the comment"),
        boolean("Track - Don\xC2\xB4t display levels", "music - notracklevel", false,
                "Don\xC2\xB4t deisplay the levels for each dance name"),
        number("Track - Time before insert in database(sec)", "music - tracktime", 0, 0, 500,
               "The time after the music is started before the track information is inserted in the database."),
        file("Midi Soundfont", "music - soundfont", "default.sf2", "", "Soundfont (*.sf2)|*.sf2|All Files(*.*)|*.*||",
             "Specifies the Midi soundfont file"),
        number("Default Volume (%)", "music - defaultvolume", 100, 0, 100, "The default volume for music"),
        number("Toogle Increase/Decrease Volume (%)", "music - volumedecrease", 0, 0, 100,
               "The volume value in % of the max volume that the Toogle Increase/Decrease hotkey will toggle "
               "between"),
        number("Increase/Decrease Volume (%)", "music - volumeplusminus", 0, 0, 100,
               "The volume value in % of the max volume that the Increase/Decrease hotkey will toggle between"),
        number("Volume Decrease Variable Lowest", "music - volumelowest", 10, 0, 99,
               "Set the lowest value for the volume control"),
        boolean("Maximize volume on start", "music - maxvolume", true, "Maximize volume on program start"),
        number("BASS Buffer (msec)", "music - bassbuffer", 500, 500, 4999, "Buffer for music playback"),
        number("Delaytime Singingcall (sec)", "music - delaysingingcall", 0, 0, 30,
               "Delaytime for singingcall, zero means function off"),
        number("Auto looptime start (sec)", "music - autolooptime", 15, 1, 60,
               "Number of seconds after start that the music shall loop"),
        number("Auto looptime stop (sec)", "music - autolooptimestop", 15, 1, 60,
               "Number of seconds before stop that the music shall loop"),
        choice("Progress Bar", "music - progressbar", "Blue Color", {"Blue Color", "Green Color", "Multi Colored"},
               "Select colors for the music progress bar"),
        boolean("Tempo and speed in percent", "music - tempoprocent", false,
                "Show the tempo and speed in percent instead of BPM"),
        boolean("Show both default and adjusted tempo", "music - bothtempovalues", false,
                "Show the default tempo for the song and the adjusted value"),
        number("Fast Forward/Fast Rewind (sec)", "music - fastforwardrewind", 5, 1, 500,
               "Number of seconds for fast forward and fast rewind"),
        boolean("Keychange controls visible", "music - keychangevisible", true,
                "Display the keychange controls in the music tab"),
        boolean("Active Music tab on stop", "music - activateonstop", false,
                "Always activate the music tab when the music stop"),
        boolean("BASS Mono mode", "music - bassmono", false, "Init BASS in mono mode. Needs to restart to activate."),
        number("Update Karaoke (milliesec)", "music - karaokemillie", 150, 50, 999,
               "Number of millieseconds for updating the Karaoke text"),
        number("Back music on Stop (sec)", "music - jumpback", 0, 0, 999,
               "Number of seconds that the music shall jump back on stop"),
        boolean("Always calculate loop values", "music - alwaysloopvalue", false,
                "Always calculate and display the loop values"),
        boolean("Search in subdirectories", "music - subdir", false, "Search through all subdirectroies"),
        font("Music Markers Font", "music - markers", "MS Sans Serif", 8,
             "Specifies the default font for Markers in the Music tab"),
        number("Number of loops", "music - nrloops", 0, 0, 99, "Number of loops before the music shall play to the end"),
        boolean("Double BPM", "music - doublebpm", false, "Double BPM that are measured between 1-70 BPM."),
        boolean("66% BPM", "music - 66procentbpm", false, "Use 66% of the BPM value between 180-210 BPM."),
        boolean("Always fade out the music", "music - alwaysfadeoutmusic", false,
                "Always fade out the music when the is stopped."),
        boolean("Open Select Output Device on start", "music - selectoutputstart", false,
                "Always open Select Output Device window on start"),
        boolean("Repaint 10sec", "general - focus", false, "Repaint the windows controls"),
        adjust,
    };

    Group queued{"Listbox Queued Music", {}, {}};
    queued.rows = {
        boolean("Autostart music from Queued list", "music - autostartqueue", true,
                "Always Play the music selected from Queued list"),
        font("Queued list Font", "music - queuelist", "MS Sans Serif", 8,
             "Specifies the default font for the queued list"),
        boolean("Save Queued Music", "music - savequeuedfiles", true, "Save queued music when Mirtal is closed"),
    };

    Group listGeneral{"Listbox General", {}, {}};
    listGeneral.rows = {
        boolean("Only remove one marked song at a time", "music - singledeletelist", false,
                "Only remove the select marked song from the listbox instead of all"),
        boolean("Remove Marked Music On start", "music - deletemarksersstart", false,
                "Remove all the marked music rows when the program is started"),
        boolean("Using marks from all listboxes", "music - songmark123", false,
                "A song that is marked in one listbox will be marked in the other listboxes also."),
        boolean("Marks shall be playlist/directory specific", "music - markslistdir", false,
                "Filter marks after playlist or directory"),
        number("Time before the song is marked (sec)", "markers - value", 0, 0, 500, kMarkedDescription),
        boolean("Auto adjust Column width", "music - adjustcolwidth", true,
                "Auto adjust the column with when the window is resized"),
        colour("Listbox Color", "music - listcolor", RGB(212, 212, 212), "Specifies the listbox background color",
               true),
        colour("Listbox Text Color", "music - listtextcolor", RGB(0, 0, 0), "Specifies the listbox text color", true),
        colour("Listbox Marked Color", "music - markcolor", RGB(0, 255, 0), "Specifies the color for marked music",
               true),
        colour("Listbox Flaged Color", "music - flagcolor", RGB(255, 0, 0), "Specifies the color for flaged music",
               true),
        font("Font", "music - list", "MS Sans Serif", 8, "Specifies the default font for the listboxes"),
        number("Number of Listboxes", "music - nrlistboxes", 3, 1, 3, "Number of listboxes in the music tab"),
        boolean("Rate visible", "music - rateactive", false, "Rate column visible in the listbox"),
        boolean("Length visible", "music - lengthactive", false, "Length column visible in the listbox"),
        boolean("Comment visible", "music - commentactive", false, "Comment column visible in the listbox"),
        boolean("Gridlines", "music - gridlines", false, "Gridlines visible in the listbox"),
        boolean("Color all rows", "music - colorallrows", false, "Color all rows in the same color"),
        boolean("Remove used files", "music - deleteplayedfiles", false,
                "Remove the used file from the listbox when the music been playing 5 sec"),
        boolean("Only show files that exist", "music - onlyshowpaththatexist", false,
                "Only display music with a path that exist on your computer."),
        boolean("Hide number of files", "music - showlistboxnr", false,
                "Hide the box with the number of files in the listbox."),
        boolean("No number for labels", "music - nonrlabel", false,
                "Delete the number for label before displaying them in the listbox."),
    };

    Group timer{"Timer", {}, {}};
    timer.rows = {
        choice("Counter", "music - timerup", "Count up",
               {"Count up", "Count down", "Count down song length", "Count down remaining song length"},
               "Select if the counter shall count up or down"),
        number("Length (min)", "music - timertime", 12, 0, 30, kTimerDescription),
        boolean("Separate value for each level", "music - timerseparatelevel", false,
                "Separate timer value for each level"),
    };
    const char* const levelNames[10] = {"Basic",       "Mainstream",  "Plus",        "Advance 1",   "Advance 2",
                                        "Challenge 1", "Challenge 2", "Challenge 3A", "Challenge 3B", "Challenge 4"};
    for (int i = 0; i < 10; ++i)
        timer.rows.push_back(number(std::string(levelNames[i]) + " Length (min)",
                                    std::string("music - timertime") + Levels()[size_t(i)].code, 12, 0, 30,
                                    kTimerDescription));
    timer.rows.push_back(boolean("Red on overtime", "music - timerred", true,
                                 "Select if the timer shall turn red on overtime"));
    timer.rows.push_back(boolean("Stop timer with music", "music - timerstop", true,
                                 "Stop the timer when the music is not playing"));
    timer.rows.push_back(boolean("Reset timer on restart", "music - timerrestart", true,
                                 "Reset the timer when the music is restarted"));
    timer.rows.push_back(boolean("Pling on zero", "music - alarmpling", true, "Pling when the timer is 0:00"));
    timer.rows.push_back(boolean("Only pling on hoedown", "music - plinghoedown", false,
                                 "Pling only if the song type is howdown"));
    timer.rows.push_back(boolean("Reset on zero only", "music - resettimerzero", false,
                                 "Reset only timer at zero and not when the music is selected"));

    Group breakTimer{"Break Timer", {}, {}};
    breakTimer.rows = {
        number("Length (min)", "music - pausemin", 5, 0, 60, "Number of minutes before the Break Timer is colored red "),
        boolean("Pling", "music - pausepling", true, "Select if the timer shall Pling when 0:00 is reached"),
        boolean("Play music on 0:00", "music - pausestart", false,
                "Select if the music shall start when 0:00 is reached"),
        boolean("Play music from queued list on 0:00", "music - afterbreakplayfromque", false,
                "Select if the music shall play from queued list when 0:00 is reached"),
        number("Auto start timer X min", "music - autobreaktime", 0, 0, 300,
               "Number of minutes before the Break Timer is auto started. Zero means no auto start"),
        file("Pling music", "music - pausepath", "", "", kAllFiles,
             "Path to music file used for pling when the counter is at zero"),
        number("Pling music volume(%)", "music - pausevolume", 100, 0, 100,
               "Volume for the sound used when the counter is at zero"),
        boolean("Edit Breaktime visible", "music - breaktimervisible", false,
                "Let\xC2\xB4s the user change the Breaktime from the Music tab"),
    };

    Group markers{"Markers", {}, {}};
    markers.rows = {
        boolean("Show Large Markers Timer in Music tab", "markers - timer", false,
                "Show large markers timer in music tab"),
        boolean("Fade in on Play", "markers - fadein", false, "Fade in music on Play from markers list"),
        boolean("Lock - ON on select file", "markers - lockonsel", false, "Lock - ON on select file with markers"),
        boolean("Lock - OFF on select file", "markers - lockoffsel", false,
                "Lock - OFF on select file without markers"),
        number("Scroll (Distance)", "markers - scroll", 10, 0, 500, "Distance that the listbox shall scroll on update"),
        number("Time before the song is marked (sec)", "markers - value", 0, 0, 500,
               "Time before the song is marked. Zero means that it s marked at once."),
        choice("Show Markers", "markers - show", "Window", {"Window", "Music Tab"},
               "Select there the markers shall be displayed"),
    };

    music.subgroups = {queued, listGeneral, listboxGroup(1), listboxGroup(2), listboxGroup(3), timer, breakTimer,
                       markers};
    return {global, general, music};
}

std::vector<Group> LyricsGroups(const std::string& dataFolder)
{
    const std::vector<std::string> searchFor = {"Label", "Title", "Filename"};
    const std::vector<std::string> searchForGlobal = {"Label", "Title", "Filename", "Global"};
    Group global{"Global", {}, {}};
    global.rows = {
        folder("Path Listbox", "lyrics - pathglobal", InFolder(dataFolder, "Text"),
               "Select a folder for the lyrics in all listboxes"),
        choice("Search for Lyrics Listbox", "lyrics - searchforglobal", "Label", searchFor,
               "Select what part of the filename the lyrics shall search for", Stored::Index, searchForGlobal),
    };

    Group lyrics{"Lyrics", {}, {}};
    lyrics.rows = {
        text("Name Tab ", "lyrics - headname", "2 - Lyrics", "Select the Lyric tab name"),
        boolean("Separate folders for each level", "lyrics - separatepath", false,
                "Separate lyrics folders for each level, defined in Option-Choreography"),
        boolean("Search all directory levels", "lyrics - subdir", false,
                "Search through all directory levels as default"),
        choice("Show lyrics", "lyrics - show", "Lyrics Tab", {"Lyrics Tab", "Music Tab", "Window"},
               "Select there the music shall be displayed"),
        choice("Search Order", "lyrics - searchorder", "Database first, Directory second",
               {"Database first, Directory second", "Directory first, Database second", "Database only",
                "Directory only"},
               "Selectin which order the program shall search for lyrics"),
        boolean("Lyrics Queue tracks", "lyrics - searchqueue", false,
                "Search for lyrics when music is added to queue tracks"),
        font("Font RTF", "lyrics - list", "Times New Roman", 16, "Specifies the default font for the RTF lyrics"),
        boolean("First If Any", "lyrics - firstifany", false,
                "Select first cuesheet if there is a not and don\xC2\xB4t show the lyrics search window"),
        boolean("Cuesheets with only Lyrics", "lyrics - short", false, "Short version of the lyrics with only lyrics"),
        number("Auto scroll cuesheet (milliesec)", "general - autoschroll_sec", 0, 0, 10000,
               "Auto scroll the cuesheet every X millieseconds. The function is active when the value is greater "
               "than zero"),
        number("Auto scroll cuesheet unit", "general - autoschroll_units", 5, 0, 1000,
               "Auto scroll the cuesheet Y units every X second"),
    };
    const char* const pathDescriptions[3] = {"Select a folder for the lyrics listbox 1",
                                             "Select a folder for the lyrics listbox 2",
                                             "Select a folder for the lyrics in listbox 3"};
    for (int n = 1; n <= 3; ++n) {
        const std::string s = std::to_string(n);
        lyrics.rows.push_back(folder("Path Listbox " + s, "lyrics - path" + s, "Global", pathDescriptions[n - 1]));
        lyrics.rows.push_back(choice("File Name Format Listbox " + s, "lyrics - naming" + s, "Global",
                                     kFileNameFormatsGlobal, "Select the formats how the files are named on disk"));
        lyrics.rows.push_back(choice("Search for Lyrics Listbox " + s, "lyrics - searchfor" + s, "Global",
                                     searchForGlobal, "Select what part of the filename the lyrics shall search for"));
    }
    lyrics.rows.push_back(text("Load file/page at startup", "lyrics - loadstart", "", "Load this file/page at startup"));

    const auto size = [](std::string label, std::string key, std::string value, Stored stored) {
        return style(choice(std::move(label), std::move(key), std::move(value), HtmlSizeOptions(),
                            "Specifies the font size", stored));
    };
    const auto weight = [](std::string label, std::string key, std::string value) {
        return style(choice(std::move(label), std::move(key), std::move(value), kWeights, "Specifies the font weight",
                            Stored::Text));
    };
    const auto styleColour = [](std::string label, std::string key, COLORREF c, std::string description) {
        return style(colour(std::move(label), std::move(key), c, std::move(description), true));
    };
    Group sheet{"Stylesheet", {}, {}};
    sheet.rows = {
        style(choice("Font Name", "textfontname", "Comic Sans MS", kFontNames, "Specifies the default font",
                     Stored::Text)),
        size("Title Size", "titlefontsize", "6 (24pt)", Stored::HtmlSize),
        weight("Title Font Weight", "titlefontweight", "Bold"),
        styleColour("Title Color", "titlecolor", RGB(0, 0, 0), "Specifies the Title color"),
        size("Company/Caller Size", "labelfontsize", "2 (10pt)", Stored::HtmlSize),
        weight("Company/Caller Font Weight", "labelfontweight", "Normal"),
        styleColour("Company Color", "labelcolor", RGB(0, 0, 255), "Specifies the Company color"),
        size("Header Size", "headerfontsize", "5 (18pt)", Stored::HtmlSize),
        weight("Header Font Weight", "headerfontweight", "Normal"),
        styleColour("Header Color", "headercolor", RGB(255, 0, 0), "Specifies the Header color"),
        size("Lyrics Size", "lyricsfontsize", "5 (18pt)", Stored::HtmlSize),
        weight("Lyrics Font Weight", "lyricsfontweight", "Normal"),
        styleColour("Lyrics Color", "lyricscolor", RGB(0, 0, 0), "Specifies the Lyrics Text color"),
        styleColour("Lyrics Background Color", "lyricscolorbg", RGB(255, 192, 203),
                    "Specifies the Lyrics Background color"),
        size("Text Size", "textfontsize", "5 (18pt)", Stored::PointSize),
        weight("Text Font Weight", "textfontweight", "Normal"),
        styleColour("Text Color", "textcolor", RGB(0, 0, 0), "Specifies the Text color"),
        styleColour("Text Background Color", "textcolorbg", RGB(255, 255, 224), "Specifies the Text Background color"),
    };
    lyrics.subgroups = {sheet};
    return {global, lyrics};
}

const std::array<Level, 10>& Levels()
{
    static const std::array<Level, 10> levels = {{
        {"basic", 1, "Basic"},
        {"main", 2, "Mainstream"},
        {"plus", 3, "Plus"},
        {"a1", 4, "Advance1"},
        {"a2", 5, "Advance2"},
        {"c1", 6, "Challenge1"},
        {"c2", 7, "Challenge2"},
        {"c3a", 8, "Challenge3A"},
        {"c3b", 9, "Challenge3B"},
        {"c4", 10, "Challenge4"},
    }};
    return levels;
}

namespace {
const char* const kTabCountDescription = "Number of tabs for choreography (Music and Lyrics tabs are not included)";
const char* const kLevelLyricsDescription =
    "Select a folder for the level lyrics, valid when the the option <Separate folders for each level is> true";
} // namespace

Group ChoreoGlobalGroup(const std::string& dataFolder)
{
    Group g{"Global", {}, {}};
    g.rows.push_back(number("Number of Tabs", "global - nrtabs", 9, 0, 15, kTabCountDescription));
    g.rows.push_back(folder("Path Level Lyrics", "global - lyricsdir", InFolder(dataFolder, "Text"),
                            kLevelLyricsDescription));
    const char* const names[9] = {"3 - List", "4 - Definitions", "5 - Start",  "6 - Figure", "7 - Home",
                                  "8 - Getout", "9 - Sing",      "0 - Odd",    "+ - Notes"};
    for (int k = 0; k < 15; ++k)
        g.rows.push_back(text("Name Tab " + std::to_string(k + 1), "global - headtab" + std::to_string(k),
                              k < 9 ? names[k] : "Misc", "Select the tab name"));
    return g;
}

Group ChoreoLevelGroup(const Level& level, const std::string& caption, const std::string& dataFolder)
{
    const std::string code = level.code;
    Group g{caption, {}, {}};
    g.rows.push_back(number("Number of Tabs", std::to_string(level.number) + " - nrtabs", 0, 0, 15,
                            kTabCountDescription));
    g.rows.push_back(text("Level Name", code + " - levelname", "Mirtal - " + caption,
                          "Namn that will be displayed in Mirtal Titlebar"));
    g.rows.push_back(folder("Path Level Lyrics", code + " - lyricsdir", "", kLevelLyricsDescription));
    for (int n = 1; n <= 3; ++n)
        g.rows.push_back(file("Path Level Playlist " + std::to_string(n), code + " - playlist" + std::to_string(n),
                              dataFolder, "m3u", "m3u Files(*.m3u)|*.m3u|All Files(*.*)|*.*||",
                              "Select a playlist for the level in listbox " + std::to_string(n)));
    for (int k = 0; k < 15; ++k) {
        const std::string t = std::to_string(k + 1);
        const std::string stem = std::to_string(k) + "list_" + code + " - ";
        g.rows.push_back(text("Name Tab " + t, code + " - headtab" + std::to_string(k), "", "Select the tab name"));
        g.rows.push_back(boolean("Full Screen Tab " + t, stem + "fullscreen", k < 2,
                                 "Select if the file shall be displayed in Full Screen mode"));
        g.rows.push_back(font("Font Tab " + t, stem, "Times New Roman", 16, "Specifies the default font for the tab"));
    }
    return g;
}

Group ChoreoStylesheetGroup(const std::string& dataFolder)
{
    Group g{"Stylesheet", {}, {}};
    for (int n = 1; n <= 4; ++n) {
        const std::string s = std::to_string(n);
        g.rows.push_back(style(choice("Font Name " + s, "choreofontname" + s, "Comic Sans MS", kFontNames,
                                      "Specifies the default font", Stored::Text)));
        g.rows.push_back(style(choice("Font Size " + s, "choreofontsize" + s, "6 (24pt)", HtmlSizeOptions(),
                                      "Specifies the font size", Stored::HtmlSize)));
        g.rows.push_back(style(choice("Font Weight " + s, "choreofontweight" + s, "Normal", kWeights,
                                      "Specifies the font weight", Stored::Text)));
        Row c = style(colour("Font Color " + s, "choreocolor", RGB(0, 0, 0), "Specifies the Title color", true));
        c.rgbKeys = {"choreocolorR" + s, "choreocolorG" + s, "choreocolorB" + s};
        g.rows.push_back(c);
    }
    g.rows.push_back(file("CSS File", "csspath", InFolder(dataFolder, "cuesheetchoreo.css"), "css",
                          "CSS Files(*.css)|*.css|All Files(*.*)|*.*||", "Path to stylesheet"));
    return g;
}

const std::array<const char*, kHotkeyFunctionCount>& HotkeyFunctionNames()
{
    static const std::array<const char*, kHotkeyFunctionCount> names = {
        "*** No Function ***",
        "View Music Jukebox",
        "View Music Recording",
        "View Music Timer",
        "View Music Markers",
        "View Music Equalizer",
        "View Music Control",
        "View Square Identification",
        "View Computer Cards",
        "View Show Calls",
        "View Hotkeys",
        "Show Calls - Toggle Start/Stop",
        "General - Activate tab 12",
        "General - Activate tab 13",
        "General - Activate tab 14",
        "General - Activate tab 15",
        "General - Activate tab 16",
        "General - Activate tab 17",
        "Choreography - Fullscreen",
        "Choreography - Next file",
        "Choreography - Back file",
        "Choreography - Plus 10 file",
        "Choreography - Minus 10 file",
        "Choreography - Random file",
        "Choreography - Memory file",
        "Music - Fade",
        "Music - Restart music",
        "Music - Toggle Loop",
        "Music - Auto Loop",
        "Music - Play From Queued Tracks",
        "Music - Increase Tempo",
        "Music - Decrease Tempo",
        "Music - Increase Volume",
        "Music - Decrease Volume",
        "Music - Increase Pitch",
        "Music - Decrease Pitch",
        "Music - Increase Speed",
        "Music - Decrease Speed",
        "Music - Fast Rewind",
        "Music - Fast Forward",
        "Music - Toggle 1st Dir/List",
        "Music - Toggle 2nd Dir/List",
        "Music - Toggle 3rd Dir/List",
        "Music - Toggle Autostart",
        "Music - Toggle Tracking",
        "Music - Toggle Lyrics Show On Play",
        "Music - Toggle Lyrics 1st Listbox",
        "Music - Toggle Lyrics 2nd Listbox",
        "Music - Toggle Lyrics 3rd Listbox",
        "Music - Timer Count Up/Down",
        "Music - Reset Timer",
        "Music - Toggle Decrease/Increase Volume",
        "Music - Toggle Queued Lyrics",
        "Music - Lyrics Search",
        "Music - Add 1 min to the Break timer",
        "Music - Subtract 1 min from the Break timer",
        "Markers - Play From Last Marker",
        "Markers - Play From Last Marker Without Loop",
        "Markers - Play From Next Marker",
        "Markers - Play From Previous Marker",
        "Markers - Add To Markers List",
        "Markers - Toggle Auto Memory",
        "Markers - Toggle Lock",
        "Music - Focus to listbox 1",
        "Music - Focus to listbox 2",
        "Music - Focus to listbox 3",
        "View - Karaoke",
        "Music - Play next song from active list",
        "Music - Play from loop start",
        "Music - Play from loop stop",
        "Music - Flag this song",
        "Music - Play music from counter +/- X sec",
        "Music - Save settings",
        "Music - Play from the middle of the song",
        "Music - Add song from listbox 1 to queued list",
        "Music - Add song from listbox 2 to queued list",
        "Music - Add song from listbox 3 to queued list",
        "View Tags",
        "Music - Load a playlist to the queued list",
        "Music - Play previous song",
        "Open Edit choreography window",
        "Music - Start/Stop music",
        "Music - Decrease Volume variable",
        "Music - Play music F8",
        "Music - Play music F9",
        "General - Toogle tab 1 and 2",
        "Show Calls - Next",
    };
    return names;
}

const std::array<HotkeyRow, 28>& HotkeyRows()
{
    static const std::array<HotkeyRow, 28> rows = {{
        {"A", "Hotkey A", "a", 20},         {"B", "Hotkey B", "b", 33},         {"C", "Hotkey C", "c", 37},
        {"D", "Hotkey D", "d", 35},         {"E", "Hotkey E", "e", 31},         {"F", "Hotkey F", "f", 34},
        {"G", "Hotkey G", "g", 0},          {"H", "Hotkey H", "h", 0},          {"I", "Hotkey I", "i", 2},
        {"J", "Hotkey J", "j", 49},         {"K", "Hotkey K", "k", 29},         {"L", "Hotkey L", "l", 27},
        {"M", "Hotkey M", "m", 0},          {"N", "Hotkey N", "n", 32},         {"O", "Hotkey O", "o", 0},
        {"P", "Hotkey P", "p", 0},          {"Q", "Hotkey Q", "q", 22},         {"R", "Hotkey R", "r", 30},
        {"S", "Hotkey S", "s", 19},         {"U", "Hotkey U", "u", 7},          {"V", "Hotkey V", "v", 36},
        {"W", "Hotkey W", "w", 21},         {"X", "Hotkey X", "x", 23},         {"Y", "Hotkey Y", "y", 25},
        {"Z", "Hotkey Z", "z", 24},         {"COMMA", "Hotkey comma", "comma", 0}, {"DOT", "Hotkey dot", "dot", 26},
        {"MINUS", "Hotkey minus", "minus", 0},
    }};
    return rows;
}

std::string HotkeyFunctionText(int number)
{
    const auto& names = HotkeyFunctionNames();
    return number >= 0 && number < kHotkeyFunctionCount ? names[size_t(number)] : names[0];
}

int HotkeyFunctionIndex(const std::string& text)
{
    const auto& names = HotkeyFunctionNames();
    for (int i = 0; i < kHotkeyFunctionCount; ++i)
        if (text == names[size_t(i)])
            return i;
    return 0;
}

} // namespace options
