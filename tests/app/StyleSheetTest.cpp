// The generated style sheets: the cue-sheet sheet and where its copies go,
// the choreography sheet, and the preview document.
#include "ServicesFixture.h"

namespace fs = std::filesystem;

namespace servicestest {
namespace {

using StyleSheetTest = ServicesTest;

TEST_F(StyleSheetTest, TheDefaultStyleRowsGiveThisSheet)
{
    preset({});
    {
        CMusicDb db;
        db.ResetStylesheet();
    }
    start();
    ASSERT_TRUE(dlg->WriteCueSheetCss(false, dir.file("sheet.css")));
    EXPECT_EQ(testsupport::readFile(dir.file("sheet.css")),
              "body, p, font { font-family: Comic Sans MS; font-size: 18pt; font-weight: Normal;line-height: 140%; "
              "background: #FFFFE0; color: #000000; }\r\n"
              ".lyrics    { font-family: Comic Sans MS; font-size: 18pt;font-weight: Normal; color: #000000; "
              "background-color: #FFC0CB;}\r\n"
              ".hdr    { font-family: Comic Sans MS; font-size: 18pt;font-weight: Normal; color: #FF0000; "
              "margin-left: 25px; margin-bottom: -40}\r\n"
              ".artist    { font-family: Comic Sans MS; font-size: 10pt;font-weight: Normal; color: #0000FF;}\r\n"
              ".label    { font-family: Comic Sans MS; font-size: 10pt;font-weight: Normal; color: #0000FF;}\r\n"
              ".title    { font-family: Comic Sans MS; font-size: 24pt;font-weight: Bold; color: #000000;}\r\n");
}

TEST_F(StyleSheetTest, KeepExistingLeavesAnyFileByteForByte)
{
    start();
    const std::string bytes = std::string("old\r\nsheet\0\xff", 12);
    testsupport::writeFile(dir.file("kept.css"), bytes);
    EXPECT_TRUE(dlg->WriteCueSheetCss(true, dir.file("kept.css")));
    EXPECT_EQ(testsupport::readFile(dir.file("kept.css")), bytes);
    // An empty path writes nothing anywhere.
    EXPECT_TRUE(dlg->WriteCueSheetCss(false, ""));
}

TEST_F(StyleSheetTest, TheSheetGoesToTheDataFolderAndEveryLyricsFolderNamed)
{
    struct Folder {
        std::string key;    // the setting naming it; empty for a folder no setting names
        std::string folder; // relative to the data folder; empty for an empty setting
        bool exists;
        bool written;
    };
    const std::vector<Folder> folders = {
        {"lyrics - pathglobal", "global", true, true},
        {"lyrics - path1", "global", true, true}, // the same folder: written through the global one
        {"lyrics - path2", "two", true, true},
        {"lyrics - path3", "", false, false},
        {"basic - lyricsdir", "basic", true, true},
        {"c4 - lyricsdir", "missing/deeper", false, false}, // passed over
        {"global - lyricsdir", "two", true, true},
        {"", "unnamed", true, false},
    };
    preset({});
    start();
    for (const auto& f : folders) {
        if (!f.key.empty())
            set(f.key, f.folder.empty() ? "" : dir.file(f.folder));
        if (f.exists) {
            fs::create_directories(dir.file(f.folder));
            testsupport::writeFile(dir.file(f.folder + "/cuesheet2.css"), "old");
        }
    }
    testsupport::writeFile(dir.file("cuesheet2.css"), "old");
    g_cssTitleFontSize = std::string(1, '7');

    dlg->WriteCssToLyricsFolders();

    auto rewritten = [&](const std::string& file) {
        const std::string css = testsupport::readFile(file);
        return css != "old" && css.find(".title    { font-family: ") != std::string::npos &&
               css.find("font-size: 36pt;font-weight: ") != std::string::npos;
    };
    EXPECT_TRUE(rewritten(dir.file("cuesheet2.css"))) << "the data folder";
    for (const auto& f : folders) {
        if (f.exists) {
            EXPECT_EQ(rewritten(dir.file(f.folder + "/cuesheet2.css")), f.written) << f.folder;
        }
    }
    EXPECT_FALSE(fs::exists(dir.file("missing")));
    EXPECT_FALSE(fs::exists("/cuesheet2.css")) << "an empty setting names no folder";
}

TEST_F(StyleSheetTest, TheChoreographySheetIsOneLineOfFourRules)
{
    preset({{"csspath", dir.file("choreo.css")}});
    {
        CMusicDb db;
        const char* names[] = {"Arial", "Times", "Courier New", "Verdana"};
        const char* sizes[] = {"3", "11", "7", ""};
        const char* weights[] = {"Bold", "Normal", "600", "Light"};
        const int reds[] = {255, 256, 0, 18}, greens[] = {0, 1, 128, 52}, blues[] = {0, 2, 255, 86};
        for (int n = 1; n <= 4; ++n) {
            const std::string i = std::to_string(n);
            db.SetStyle("choreofontname" + i, names[n - 1], 1);
            db.SetStyle("choreofontsize" + i, sizes[n - 1], 1);
            db.SetStyle("choreofontweight" + i, weights[n - 1], 1);
            db.SetStyle("choreocolorR" + i, std::to_string(reds[n - 1]), 1);
            db.SetStyle("choreocolorG" + i, std::to_string(greens[n - 1]), 1);
            db.SetStyle("choreocolorB" + i, std::to_string(blues[n - 1]), 1);
        }
        db.SetStyle("csspath", dir.file("not-this.css"), 1);
    }
    start();
    testsupport::writeFile(dir.file("choreo.css"), "an older sheet\r\nwith two lines\r\n");
    dlg->WriteChoreoCss();
    EXPECT_EQ(testsupport::readFile(dir.file("choreo.css")),
              "body, p, font { font-family: Arial; font-size: 12pt;font-weight: Bold; color: #FF0000;}"
              ".font2 { font-family: Times; font-size: 11pt;font-weight: Normal; color: #000102;}"
              ".font3 { font-family: Courier New; font-size: 36pt;font-weight: 600; color: #0080FF;}"
              ".font4 { font-family: Verdana; font-size: pt;font-weight: Light; color: #123456;}\r\n");
    EXPECT_FALSE(fs::exists(dir.file("not-this.css"))) << "the path comes from the settings, not the style rows";

    // Without a path nothing is written, and the batch is closed again.
    set("csspath", "");
    fs::remove(dir.file("choreo.css"));
    dlg->WriteChoreoCss();
    EXPECT_FALSE(fs::exists(dir.file("choreo.css")));
    set("csspath", dir.file("choreo.css"));
    EXPECT_EQ(setting("csspath"), dir.file("choreo.css"));
}

TEST_F(StyleSheetTest, ThePreviewFileIsMadeOnceAndThenLeftAlone)
{
    start();
    ASSERT_TRUE(fileExists("temp.htm"));
    testsupport::writeFile(dir.file("temp.htm"), "<p>kept</p>");
    dlg->EnsurePreviewFile();
    EXPECT_EQ(testsupport::readFile(dir.file("temp.htm")), "<p>kept</p>");
}

} // namespace
} // namespace servicestest
