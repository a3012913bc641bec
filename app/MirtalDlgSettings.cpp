// The settings the main window reads at start into its members and the shared globals.
#include "app/MirtalDlg.h"
#include "app/MirtalDlgPlaces.h"

#include "platform/win/Menu.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

#include <cctype>

namespace {

const char* const kLevelNameKeys[10] = {
    "basic - levelname", "main - levelname", "plus - levelname", "a1 - levelname", "a2 - levelname",
    "c1 - levelname",    "c2 - levelname",   "c3a - levelname",  "c3b - levelname", "c4 - levelname",
};

constexpr UINT kChangeProgramFirst = 32787; // level 1; level n is 32786 + n

std::string upperPrefix(const std::string& s)
{
    std::string p = s.substr(0, 9);
    for (char& c : p)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return p;
}

} // namespace

bool CMirtalDlg::ReadStartupSettings()
{
    CMusicDb& db = m_musicDb;
    db.BeginBatch();

    // First run: the default paths, written on a connection of their own.
    if (db.GetSettingBool("system - setup", 0)) {
        db.CommitBatch();
        m_firstRun = 1;
        db.SetDefaultPaths(1);
        db.BeginBatch();
        db.SetSetting("system - setup", "false", 0);
    }

    for (int i = 0; i < 10; ++i) {
        const std::string name = db.GetSetting(kLevelNameKeys[i], 0);
        m_levelTitles[size_t(i)] = name;
        m_levelMenuNames[size_t(i)] = name;
    }
    ApplyLevelNames();

    for (int list = 0; list < 3; ++list)
        for (int column = 0; column < 5; ++column)
            *mainplaces::kColumnWidths[list][column] = db.GetSettingInt(mainplaces::ColumnWidthKey(list, column), 0);

    for (const mainplaces::Place& place : mainplaces::kPlaces)
        *place.value = db.GetSettingInt(place.key, 0);

    g_tooltipsOn = db.GetSettingBool("general - tooltip", 0);
    g_autoScrollUnits = db.GetSettingInt("general - autoschroll_units", 0);
    g_autoScrollSec = db.GetSettingInt("general - autoschroll_sec", 0);
    g_compressedView = db.GetSettingBool("general - compressedview", 0);
    g_timerVisible = db.GetSettingBool("music - timervisible", 0);
    g_lyricsShort = db.GetSettingBool("lyrics - short", 0);
    g_markersShow = db.GetSettingInt("markers - show", 0);
    g_hexagon = db.GetSettingBool("general - hexagon", 0);
    g_listDefFormatHtml = db.GetSettingBool("general - listdefformat", 0);
    g_lyricsPathGlobal = db.GetSetting("lyrics - pathglobal", 0);
    g_gridLines = db.GetSettingBool("music - gridlines", 0);
    g_colorAllRows = db.GetSettingBool("music - colorallrows", 0);
    g_japanese = db.GetSettingBool("general - japanese", 0);
    g_markersTimer = db.GetSettingBool("markers - timer", 0);
    m_maxStart = db.GetSettingBool("general - maxstart", 0);
    g_dlgColorR = db.GetSettingInt("general - dlgcolorR", 0);
    g_dlgColorG = db.GetSettingInt("general - dlgcolorG", 0);
    g_dlgColorB = db.GetSettingInt("general - dlgcolorB", 0);
    g_jukeboxShortTime = db.GetSettingInt("jukebox - shorttime", 0);
    g_lyricsShowMode = db.GetSettingInt("lyrics - show", 0);
    g_defaultVolume = db.GetSettingInt("music - defaultvolume", 0);
    g_maxVolume = db.GetSettingBool("music - maxvolume", 0);
    m_f8SoundPath = db.GetSetting("music - playmusic1", 0);
    m_f9SoundPath = db.GetSetting("music - playmusic2", 0);
    g_outputDevice = db.GetSettingInt("music - outputdevice", 0);
    g_soundFontPath = db.GetSetting("music - soundfont", 0);
    SetSliderStyle(db.GetSettingInt("music - progressbar", 0));
    g_dingPath = db.GetSetting("general - dingpath", 0);
    m_markersPanel = db.GetSettingBool("markers - visible", 0);
    g_eqEachSong = db.GetSettingBool("music - eqeachsong", 0);
    m_eqSaveState = db.GetSettingBool("music - eqsavestate", 0);
    m_breakMusicPath = db.GetSetting("music - pausepath", 0);
    m_selectOutputAtStart = db.GetSettingBool("music - selectoutputstart", 0);
    m_arrowScrollText = db.GetSettingInt("general - arrowscrolltext", 0);
    m_pageScrollText = db.GetSettingInt("general - pagescrolltext", 0);
    m_arrowScrollHtml = db.GetSettingInt("general - arrowscrollhtml", 0);
    m_pageScrollHtml = db.GetSettingInt("general - pagescrollhtml", 0);

    ReadStyleSheetValues(db);

    const bool relocate = db.GetSettingBool("general - currentdrive", 0);
    db.CommitBatch();
    return relocate;
}

void CMirtalDlg::ApplyLevelNames()
{
    CMenu* menu = GetMenu();
    for (int i = 0; i < 10; ++i) {
        std::string& menuName = m_levelMenuNames[size_t(i)];
        std::string& title = m_levelTitles[size_t(i)];
        if (upperPrefix(menuName) == "MIRTAL - ")
            menuName = menuName.substr(9);
        if (upperPrefix(title) != "MIRTAL - ")
            title = "Mirtal - " + title;
        if (menu)
            menu->ModifyMenu(kChangeProgramFirst + UINT(i), MF_BYCOMMAND | MF_STRING, kChangeProgramFirst + UINT(i),
                             menuName.c_str());
    }
}

void CMirtalDlg::SetSliderStyle(int style)
{
    struct Look {
        UINT channel, activeChannel, thumb, activeThumb;
        BOOL transparentThumb;
    };
    static const Look looks[4] = {
        {272, 158, 164, 163, TRUE},
        {364, 158, 164, 163, TRUE},
        {365, 158, 164, 163, TRUE},
        {157, 0, 146, 0, FALSE}, // a dance timer over its time
    };
    if (style >= 0 && style <= 3 && m_slider.m_hWnd) {
        const Look& l = looks[style];
        if (m_slider.SetBitmapChannel(l.channel, l.activeChannel))
            m_sliderChannel = l.channel;
        // A transparent thumb takes the colour of its pixel at 0,0.
        if (m_slider.SetBitmapThumb(l.thumb, l.activeThumb, l.transparentThumb, 0xFF000000, 0, 0))
            m_sliderThumb = l.thumb;
    }
    if (style >= 0 && style <= 2)
        m_sliderStyle = style;
    UpdateData(FALSE);
}

void CMirtalDlg::LoadHotkeyTable()
{
    m_musicDb.BeginBatch();
    const auto& keys = CMusicDb::DefaultHotkeys();
    for (size_t i = 0; i < keys.size(); ++i)
        m_hotkeys[i] = m_musicDb.GetHotkey(keys[i].key, 0);
    m_musicDb.CommitBatch();
}

void CMirtalDlg::LoadFixedBpmMenu()
{
    m_musicDb.BeginBatch();
    const int value = m_musicDb.GetSettingInt("music - fixbpmvalue", 0);
    m_fixBpm[0] = m_musicDb.GetSettingBool("music - fixbpm", 0);
    m_fixBpm[1] = m_musicDb.GetSettingBool("music - fixbpm2", 0);
    m_fixBpm[2] = m_musicDb.GetSettingBool("music - fixbpm3", 0);
    m_musicDb.CommitBatch();
    CMenu* menu = GetMenu();
    if (!menu)
        return;
    for (int i = 0; i < 3; ++i)
        if (m_fixBpm[size_t(i)])
            menu->CheckMenuItem(32949 + UINT(i), MF_BYCOMMAND | MF_CHECKED);
    if (value >= 122 && value <= 132)
        menu->CheckMenuItem(32952 + UINT(value - 122), MF_BYCOMMAND | MF_CHECKED);
}

void CMirtalDlg::LoadPitchMenu()
{
    m_musicDb.BeginBatch();
    const int value = m_musicDb.GetSettingInt("music - adjustpitchvalue", 0);
    m_adjustPitch[0] = m_musicDb.GetSettingBool("music - adjustpitch1", 0);
    m_adjustPitch[1] = m_musicDb.GetSettingBool("music - adjustpitch2", 0);
    m_adjustPitch[2] = m_musicDb.GetSettingBool("music - adjustpitch3", 0);
    m_musicDb.CommitBatch();
    CMenu* menu = GetMenu();
    if (!menu)
        return;
    for (int i = 0; i < 3; ++i)
        if (m_adjustPitch[size_t(i)])
            menu->CheckMenuItem(32971 + UINT(i), MF_BYCOMMAND | MF_CHECKED);
    // +5 is item 32984 down to +1 at 32988; -1 is 32989 down to -5 at 32993.
    if (value >= 1 && value <= 5)
        menu->CheckMenuItem(32984 + UINT(5 - value), MF_BYCOMMAND | MF_CHECKED);
    else if (value <= -1 && value >= -5)
        menu->CheckMenuItem(32989 + UINT(-value - 1), MF_BYCOMMAND | MF_CHECKED);
}
