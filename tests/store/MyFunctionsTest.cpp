#include "store/MyFunctions.h"

#include "common/TestSupport.h"
#include "platform/win/Clipboard.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"
#include "store/PlayerGlobals.h"
#include "store/RandomRange.h"
#include "store/StoreGlobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include <sys/stat.h>

namespace {

using testsupport::TempDir;

// Answers every box with its default button and restores the answerer afterwards.
class QuietBoxes {
public:
    QuietBoxes()
    {
        win::ClearMessageBoxLog();
        m_old = win::SetMessageBoxAnswerer([](const win::MessageBoxRequest&) { return std::optional<int>(); });
    }
    ~QuietBoxes() { win::SetMessageBoxAnswerer(m_old); }

private:
    win::MessageBoxAnswerer m_old;
};

TEST(MyFunctionsNumbers, TwoDecimalTexts)
{
    const MyFunctions fn;
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {3.14159, "3.14"}, {0.5, "0.50"}, {0.0, "0.00"},     {0.05, ".05"},     {-1.5, "-1.50"},
        {100.0, "100.00"}, {0.004, ".0"}, {-0.004, "-.0"},   {12.345678, "12.35"}, {-1.75, "-1.75"},
        // These texts go into statements as numbers: what is no number must still be one.
        {std::nan(""), "0.00"}, {HUGE_VAL, "0.00"}, {-HUGE_VAL, "0.00"}, {1e307, "0.00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fn.DoubleToString(c.value), c.text) << c.value;
        EXPECT_EQ(fn.FloatToString(static_cast<float>(c.value)), c.text) << c.value;
    }
}

TEST(MyFunctionsNumbers, LeadingNumbersOfTexts)
{
    const MyFunctions fn;
    const struct {
        const char* text;
        int asInt;
        double asDouble;
    } cases[] = {
        {"42", 42, 42.0},       {"  -11", -11, -11.0}, {"+7x", 7, 7.0},       {"12abc", 12, 12.0},
        {"true", 0, 0.0},       {"", 0, 0.0},          {"1.75", 1, 1.75},     {"-0.5e1", 0, -5.0},
        {"99999999999", 2147483647, 99999999999.0},    {".25", 0, 0.25},      {"- 3", 0, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fn.StringToInt(c.text), c.asInt) << c.text;
        EXPECT_DOUBLE_EQ(fn.StringToDouble(c.text), c.asDouble) << c.text;
        EXPECT_FLOAT_EQ(fn.StringToFloat(c.text), static_cast<float>(c.asDouble)) << c.text;
    }
    EXPECT_EQ(fn.IntToString(-12), "-12");
    EXPECT_EQ(fn.BoolToString(true), "true");
    EXPECT_EQ(fn.BoolToString(false), "false");
}

TEST(MyFunctionsTexts, TimesColoursAndSizes)
{
    const MyFunctions fn;
    const struct {
        int seconds;
        const char* text;
    } times[] = {{0, "0:00"}, {59, "0:59"}, {65, "1:05"}, {-65, "-1:05"}, {-5, "-0:05"}, {3600, "60:00"}};
    for (const auto& c : times)
        EXPECT_EQ(fn.SecondsToText(c.seconds), c.text);

    EXPECT_EQ(fn.TimeTextToSeconds("03:25"), 205.0f);
    EXPECT_EQ(fn.TimeTextToSeconds("3:25"), 205.0f);
    EXPECT_EQ(fn.TimeTextToSeconds("10:05:07"), 607.0f);

    EXPECT_EQ(fn.ColorToHtml(255 | (8 << 8) | (0 << 16)), "#FF0800");
    EXPECT_EQ(fn.ColorToHtml(0x00C0FFEE), "#EEFFC0");

    const char* const points[] = {"8", "10", "12", "14", "18", "24", "36"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(fn.HtmlSizeToPoints(std::to_string(i + 1)), points[i]);
    EXPECT_EQ(fn.HtmlSizeToPoints("8"), "8");
    EXPECT_EQ(fn.HtmlSizeToPoints("12pt"), "12pt");
}

TEST(MyFunctionsTexts, WordsMonthsDatesAndKeys)
{
    const MyFunctions fn;
    const struct {
        const char* in;
        const char* out;
    } caps[] = {
        {"  MARY-lou smith/jones  ", "Mary-Lou Smith/Jones"},
        {"a  b", "A  b"},
        {"\xC3\xB6sten \xC3\x85SA", "\xC3\x96sten \xC3\x85sa"}, // öSTEN ÅSA: letters beyond ASCII change case too
        {"", ""},
    };
    for (const auto& c : caps)
        EXPECT_EQ(fn.CapitalizeWords(c.in), c.out) << c.in;

    EXPECT_EQ(fn.FirstWord("Plus Tip"), "Plus");
    EXPECT_EQ(fn.FirstWord("Plus"), "Plus");
    EXPECT_EQ(fn.RemoveText("a-b-c", "-"), "ab-c");
    EXPECT_EQ(fn.RemoveText("abc", "x"), "abc");
    EXPECT_EQ(fn.MonthNumber("March"), "03");
    EXPECT_EQ(fn.MonthNumber("December"), "12");
    EXPECT_EQ(fn.MonthNumber("march"), "00");
    EXPECT_EQ(fn.YearOfDate("2024-03-05"), 2024);
    EXPECT_EQ(fn.MonthOfDate("2024-03-05"), 3);
    EXPECT_EQ(fn.LastTwoDigits("12:34"), 34);
    EXPECT_EQ(fn.FirstTwoDigits("12:34"), 12);

    EXPECT_EQ(fn.KeyName(65), "A");
    EXPECT_EQ(fn.KeyName(90), "Z");
    EXPECT_EQ(fn.KeyName(192), "\xC3\x96");
    EXPECT_EQ(fn.KeyName(221), "\xC3\x85");
    EXPECT_EQ(fn.KeyName(222), "\xC3\x84");
    EXPECT_EQ(fn.KeyName(97), "");

    EXPECT_EQ(fn.FixUtf8Letters("\xC3\xB6rn"), "\xC3\xB6rn");           // UTF-8 stays
    EXPECT_EQ(fn.FixUtf8Letters("\xF6rn \xC5sa"), "\xC3\xB6rn \xC3\x85sa"); // Windows-1252 list converted
}

TEST(MyFunctionsTexts, NowTextHasTheStampForm)
{
    const MyFunctions fn;
    const std::string now = fn.NowText();
    ASSERT_EQ(now.size(), 19u);
    for (size_t i : {4u, 7u})
        EXPECT_EQ(now[i], '-');
    EXPECT_EQ(now[10], ' ');
    EXPECT_EQ(now[13], ':');
    EXPECT_EQ(now[16], ':');
    EXPECT_EQ(fn.TodayText(), now.substr(0, 10));
}

TEST(MyFunctionsPaths, FileNameParts)
{
    const MyFunctions fn;
    const struct {
        const char* path;
        const char* name;
        const char* title;
        const char* label;
        const char* titlePart;
        const char* ext;
    } cases[] = {
        {"/music/ABC 123 - My Song.mp3", "ABC 123 - My Song.mp3", "ABC 123 - My Song", "ABC 123", "My Song.mp3", "MP3"},
        {"C:\\Music\\Song.Mp3", "Song.Mp3", "Song", "", "Song.Mp3", "MP3"},
        {"/a.dir/a.b.mp3", "a.b.mp3", "a.b", "", "a.b.mp3", "MP3"},
        {"/a.dir/README", "README", "README", "", "README", "DIR/README"},
        {"noext", "noext", "noext", "", "noext", "NOEXT"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fn.FileNameFromPath(c.path), c.name) << c.path;
        EXPECT_EQ(fn.FileTitleFromPath(c.path), c.title) << c.path;
        EXPECT_EQ(fn.LabelPart(c.path), c.label) << c.path;
        EXPECT_EQ(fn.TitlePart(c.path), c.titlePart) << c.path;
        EXPECT_EQ(fn.GetExtension(c.path), c.ext) << c.path;
    }

    for (const char* audio : {"a.mp3", "a.FLAC", "b.mid", "c.Kar", "d.m4a", "e.cda"})
        EXPECT_TRUE(fn.IsAudioFile(audio)) << audio;
    for (const char* other : {"a.ogg", "a.mp33", "a.htm"})
        EXPECT_FALSE(fn.IsAudioFile(other)) << other;

    EXPECT_EQ(fn.AddBackslash("/music"), "/music/");
    EXPECT_EQ(fn.AddBackslash("/music/"), "/music/");
    EXPECT_EQ(fn.AddBackslash("C:\\Music\\"), "C:\\Music\\");
    EXPECT_EQ(fn.AddBackslash(""), "/");
}

TEST(MyFunctionsPaths, ReplaceDriveMovesOnlyDrivePathsToADriveFolder)
{
    const MyFunctions fn;
    const std::string saved = g_baseFolder;
    g_baseFolder = "E:\\Dance";
    EXPECT_EQ(fn.ReplaceDrive("C:\\Music\\a.mp3"), "E:\\Music\\a.mp3");
    EXPECT_EQ(fn.ReplaceDrive("C:/Music/a.mp3"), "E:/Music/a.mp3");
    EXPECT_EQ(fn.ReplaceDrive("/home/me/a.mp3"), "/home/me/a.mp3");
    EXPECT_EQ(fn.ReplaceDrive("[db]ABC 1"), "[db]ABC 1");
    g_baseFolder = "/home/me/Mirtal";
    EXPECT_EQ(fn.ReplaceDrive("C:\\Music\\a.mp3"), "C:\\Music\\a.mp3");
    g_baseFolder = saved;
}

TEST(MyFunctionsPaths, FilesAndTheDataFolder)
{
    TempDir dir;
    const MyFunctions fn;
    testsupport::writeFile(dir.file("x.txt"), "x");
    EXPECT_TRUE(fn.FileExists(dir.file("x.txt")));
    EXPECT_FALSE(fn.FileExists(dir.file("missing.txt")));
    EXPECT_FALSE(fn.FileExists(dir.str())); // a folder is no file
    ASSERT_EQ(mkfifo(dir.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(fn.FileExists(dir.file("pipe"))); // nor a pipe, and asking must not wait for a writer

    testsupport::ScopedCwd cwd(dir.path());
    const std::string saved = g_baseFolder;
    fn.InitDataFolder();
    EXPECT_EQ(g_baseFolder, std::filesystem::current_path().string());
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(fn.ChangeDir(dir.file("sub")), 0);
    EXPECT_NE(fn.ChangeDir(dir.file("nothere")), 0);
    fn.EnterDataFolder();
    EXPECT_EQ(std::filesystem::current_path().string(), g_baseFolder);
    g_baseFolder = saved;

    g_currentSongPath = "/music/a.mp3";
    EXPECT_EQ(fn.GetCurrentSongPath(), "/music/a.mp3");
    g_currentSongPath.clear();
}

TEST(MyFunctionsLevels, NumbersNamesAndCodes)
{
    const MyFunctions fn;
    const char* const names[] = {"Basic",       "Mainstream",  "Plus",         "Advance 1",    "Advance 2",
                                 "Challenge 1", "Challenge 2", "Challenge 3A", "Challenge 3B", "Challenge 4"};
    const char* const codes[] = {"basic", "main", "plus", "a1", "a2", "c1", "c2", "c3a", "c3b", "c4"};
    for (int level = 1; level <= 10; ++level) {
        EXPECT_EQ(fn.LevelDisplayName(level), names[level - 1]);
        EXPECT_EQ(fn.LevelCode(level), codes[level - 1]);
        EXPECT_EQ(fn.LevelFromText(codes[level - 1]), level);
        EXPECT_EQ(fn.LevelFromText(names[level - 1]), level) << names[level - 1];
    }
    EXPECT_EQ(fn.LevelFromText("MAIN"), 2);
    EXPECT_EQ(fn.LevelFromText("Challenge3A"), 0);
    EXPECT_EQ(fn.LevelFromText(""), 0);
    EXPECT_EQ(fn.LevelDisplayName(0), "");
    EXPECT_EQ(fn.LevelCode(11), "");
}

TEST(MyFunctionsRandom, IndexStaysInRangeAndEmptyRangeGivesMinusOneSilently)
{
    QuietBoxes boxes;
    const MyFunctions fn;
    EXPECT_EQ(fn.RandomIndex(1), 0);
    EXPECT_EQ(fn.RandomIndex(0), -1);
    EXPECT_EQ(fn.RandomIndex(-3), -1);
    EXPECT_TRUE(win::MessageBoxLog().empty());

    // Draws within one second differ: the generator is not reseeded from the clock on every draw.
    std::set<int> seen;
    for (int i = 0; i < 200; ++i) {
        const int r = fn.RandomIndex(50);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, 50);
        seen.insert(r);
    }
    EXPECT_GT(seen.size(), 20u);

    // Lists longer than the old generator's 32768 values reach their end too.
    int highest = 0;
    for (int i = 0; i < 2000; ++i)
        highest = std::max(highest, fn.RandomIndex(100000));
    EXPECT_GT(highest, 40000);
}

TEST(MyFunctionsRandom, RangeWithHighBelowLowWarnsAndUsesZeroToOne)
{
    QuietBoxes boxes;
    CRandomRange range(5, 2);
    EXPECT_EQ(range.Low(), 0);
    EXPECT_EQ(range.High(), 1);
    ASSERT_EQ(win::MessageBoxLog().size(), 1u);
    EXPECT_EQ(win::MessageBoxLog()[0].text,
              "Error: HIGH value cannot be less than LOW value!\nUsing defaults: High = 1, Low = 0");
    const int r = range.Next();
    EXPECT_TRUE(r == 0 || r == 1);
}

TEST(MyFunctionsTags, FieldsOfTheTagText)
{
    const MyFunctions fn;
    const std::string tags = "Title -- Artist -- Album -- Genre -- 1999 -- Comment -- 7 -- Composer -- (c) Me -- x";
    const char* const fields[] = {"Title", "Artist", "Album", "Genre", "1999", "Comment", "7", "Composer",
                                  "(c) Me -- x"};
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(fn.FieldOf(tags, n), fields[n - 1]) << n;
    EXPECT_EQ(fn.FieldOf(tags, 0), "");
    EXPECT_EQ(fn.FieldOf(tags, 10), "");
    EXPECT_EQ(fn.FieldOf("T -- A -- B -- C -- D -- E", 1), ""); // 26 characters: too short
    // A text with fewer separators gives its last fields empty rather than parts of other fields.
    const std::string shortTags = "A long title here -- An artist name";
    EXPECT_EQ(fn.FieldOf(shortTags, 2), "An artist name");
    EXPECT_EQ(fn.FieldOf(shortTags, 3), "");
    EXPECT_EQ(fn.FieldOf(shortTags, 9), "");
}

TEST(MyFunctionsShell, OpenDocumentReportsTheShellsFailures)
{
    QuietBoxes boxes;
    TempDir dir;
    const MyFunctions fn;
    int answer = SE_OK;
    const win::ShellLauncher old = win::SetShellLauncher([&](const win::ShellRequest&) { return answer; });

    testsupport::writeFile(dir.file("doc.pdf"), "%PDF");
    fn.OpenDocument(dir.file("doc.pdf"));
    EXPECT_TRUE(win::MessageBoxLog().empty());

    const struct {
        std::string path;
        int launcherResult;
        const char* text;
    } cases[] = {
        {dir.file("missing.pdf"), SE_OK, "The specified file was not found."},
        {dir.file("no/folder/x.pdf"), SE_OK, "The specified path was not found."},
        {dir.file("doc.pdf"), 26, "A sharing violation occurred. "},
        {dir.file("doc.pdf"), 31, "There is no application associated\nwith the given filename extension."},
        {dir.file("doc.pdf"), 33, nullptr},
        {dir.file("doc.pdf"), 17, "Unknown Error (17) occurred."},
    };
    for (const auto& c : cases) {
        win::ClearMessageBoxLog();
        answer = c.launcherResult;
        fn.OpenDocument(c.path);
        if (!c.text) {
            EXPECT_TRUE(win::MessageBoxLog().empty());
            continue;
        }
        ASSERT_EQ(win::MessageBoxLog().size(), 1u) << c.text;
        EXPECT_EQ(win::MessageBoxLog()[0].text, std::string("Unable to open File:\n\n") + c.text);
        EXPECT_EQ(win::MessageBoxLog()[0].type & 0xf0, MB_ICONEXCLAMATION);
    }
    win::SetShellLauncher(old);
}

TEST(MyFunctionsShell, OpenInFolderEntersTheFilesFolderAndCopyReachesTheClipboard)
{
    TempDir dir;
    const MyFunctions fn;
    testsupport::writeFile(dir.file("song.mp3"), "x");
    testsupport::ScopedCwd keep(std::filesystem::current_path());
    std::string opened;
    int show = 0;
    const win::ShellLauncher old = win::SetShellLauncher([&](const win::ShellRequest& r) {
        opened = r.file;
        show = r.show;
        return SE_OK;
    });
    fn.OpenInFolder(dir.file("song.mp3"));
    win::SetShellLauncher(old);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.path()));
    EXPECT_EQ(opened, dir.file("song.mp3"));
    EXPECT_EQ(show, SW_SHOWMAXIMIZED);

    fn.CopyToClipboard("Plus \xE2\x80\x93 Tip");
    EXPECT_EQ(win::GetClipboardText(), "Plus \xE2\x80\x93 Tip");
}

} // namespace
