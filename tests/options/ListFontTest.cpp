// The tools windows' list font: the size the Music page stores is a logical
// height, and the reader makes the list font of that height, so a font picked
// in the page is the font the lists get.
#include "OptionsFixture.h"
#include "options/ListFont.h"
#include "options/OptionMusic.h"
#include "platform/win/PropertyGrid.h"

#include <cstring>

namespace optionstest {
namespace {

TEST_F(OptionsTest, ToolsListFontPickedInTheMusicPageIsTheFontTheListsGet)
{
    {
        CMusicDb db;
        const LOGFONT seeded = options::ToolsListFont(db, 1, 96, false);
        EXPECT_EQ(seeded.lfHeight, -11);
        EXPECT_EQ(win::FontPointsFromHeight(seeded.lfHeight, 96), 8) << "a fresh start lists in 8 points";
    }
    struct Case {
        int points;
        int dpi;
    };
    for (const Case c : {Case{12, 96}, Case{8, 120}, Case{20, 144}}) {
        win::SetDisplayOverride(win::DisplayMetrics{1280, 1024, c.dpi, c.dpi});
        win::SetFontDialogAnswerer([c](const win::FontDialogRequest& r) -> std::optional<LOGFONT> {
            LOGFONT lf = r.initial;
            lf.lfHeight = win::FontHeightFromPoints(c.points, r.dpi);
            lf.lfWeight = 700;
            lf.lfItalic = 1;
            win::SetFaceName(lf, "DejaVu Sans");
            return lf;
        });
        run<COptionMusic>([](COptionMusic& page) {
            page.Grid().ClickButton(row(page.m_generalGroup, 15));
            return press(page, 1097);
        });
        CMusicDb db;
        const LOGFONT lf = options::ToolsListFont(db, 1, c.dpi, false);
        EXPECT_EQ(lf.lfHeight, win::FontHeightFromPoints(c.points, c.dpi)) << c.points << " pt at " << c.dpi;
        EXPECT_EQ(win::FontPointsFromHeight(lf.lfHeight, c.dpi), c.points);
        EXPECT_EQ(lf.lfWeight, 700);
        EXPECT_EQ(lf.lfItalic, 1);
        EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");

        // Opening the page again shows the same font, and OK keeps it.
        run<COptionMusic>([c](COptionMusic& page) {
            auto* font = dynamic_cast<CMFCPropertyGridFontProperty*>(row(page.m_generalGroup, 15));
            EXPECT_NE(font, nullptr);
            if (font) {
                EXPECT_EQ(win::FontPointsFromHeight(font->GetLogFont()->lfHeight, c.dpi), c.points);
            }
            return press(page, 1097);
        });
        EXPECT_EQ(options::ToolsListFont(db, 1, c.dpi, false).lfHeight, lf.lfHeight);
    }
}

TEST(ListFont, MissingKeysAndTheJapaneseSetting)
{
    struct Case {
        options::StoredFont stored;
        int dpi;
        bool japanese;
        LONG height;
        const char* face;
        BYTE charset;
    };
    const Case cases[] = {
        {{-11, 400, 0, "Arial"}, 96, false, -11, "Arial", 1},
        {{0, 0, 0, ""}, 96, false, -11, "MS Sans Serif", 1},   // no rows: 8 points
        {{0, 0, 0, ""}, 120, true, -13, "MS Sans Serif", 128}, // at the screen's dpi
        {{15, 700, 1, "Tahoma"}, 96, false, 15, "Tahoma", 1},  // a cell height stays one
    };
    for (const Case& c : cases) {
        const LOGFONT lf = options::ListFontFrom(c.stored, c.dpi, c.japanese);
        EXPECT_EQ(lf.lfHeight, c.height) << c.stored.size;
        EXPECT_STREQ(lf.lfFaceName, c.face);
        EXPECT_EQ(lf.lfCharSet, c.charset);
        EXPECT_EQ(lf.lfPitchAndFamily, 0x20);
        EXPECT_EQ(lf.lfWeight, c.stored.bold);
    }
}

} // namespace
} // namespace optionstest
