#include "options/ListFont.h"

#include "platform/win/PropertyGrid.h"
#include "store/MusicDb.h"

namespace options {

LOGFONT ListFontFrom(const StoredFont& stored, int dpi, bool japanese)
{
    LOGFONT lf;
    lf.lfHeight = stored.size != 0 ? stored.size : win::FontHeightFromPoints(8, dpi);
    lf.lfWeight = stored.bold;
    lf.lfItalic = BYTE(stored.italic);
    lf.lfCharSet = japanese ? 128 : 1;
    lf.lfPitchAndFamily = 0x20;
    win::SetFaceName(lf, stored.name.empty() ? "MS Sans Serif" : stored.name);
    return lf;
}

LOGFONT ToolsListFont(CMusicDb& db, int own, int dpi, bool japanese)
{
    StoredFont f;
    f.size = db.GetSettingInt("music - toolslistfontsize", own);
    f.bold = db.GetSettingInt("music - toolslistfontbold", own);
    f.italic = db.GetSettingInt("music - toolslistfontitalic", own);
    f.name = db.GetSetting("music - toolslistfontname", own);
    return ListFontFrom(f, dpi, japanese);
}

} // namespace options
