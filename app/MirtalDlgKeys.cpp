// The one dispatcher of the main window: real keys, the caller's hotkeys and
// the command codes that pages, panels and tool windows send share one path.
#include "app/MirtalDlg.h"

#include "app/Calls.h"
#include "app/MirtalApp.h"
#include "store/ResourceIds.h"
#include "store/CommandCodes.h"
#include "app/ModelessLyrics.h"
#include "platform/win/MessageBox.h"
#include "player/Markers.h"
#include "store/PlayerGlobals.h"
#include "store/StoreGlobals.h"

#include <algorithm>
#include <cctype>

namespace {

const char* const kFunctionKeys[] = {"F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};

// Entry of the hotkey table for a key name: A..S are 0..18, U..Z 19..24,
// the comma 25, the dot 26, the minus key 27; -1 for every other name.
int hotkeyIndex(const std::string& name)
{
    if (name.size() != 1)
        return -1;
    const char c = name[0];
    if (c >= 'A' && c <= 'S')
        return c - 'A';
    if (c >= 'U' && c <= 'Z')
        return c - 'U' + 19;
    switch (c) {
    case ',': return 25;
    case '.': return 26;
    case '-': return 27;
    default: return -1;
    }
}

std::string trim(const std::string& s)
{
    const auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    auto b = std::find_if_not(s.begin(), s.end(), isSpace);
    auto e = std::find_if_not(s.rbegin(), s.rend(), isSpace).base();
    return b < e ? std::string(b, e) : std::string();
}

} // namespace

// ---- entry point ----------------------------------------------------------------------

void CMirtalDlg::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    RunGuarded([&] { DispatchKey(key, repeat); });
    CDialogEx::OnKeyDown(key, repeat, flags);
}

template <class F>
void CMirtalDlg::RunGuarded(F&& command)
{
    try {
        command();
    } catch (...) {
        // The same ending as a failed handler anywhere: the program goes on.
        CMirtalApp::HandleFailure(std::current_exception());
    }
}

BOOL CMirtalDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    BOOL handled = FALSE;
    RunGuarded([&] { handled = CDialogEx::OnCommand(wParam, lParam); });
    return handled;
}


void CMirtalDlg::DispatchKey(UINT key, UINT repeat)
{
    if (key > CMD_PLAYER_REWIND) {
        RunCommandCode(key, repeat);
        return;
    }
    if (key == CMD_PLAYER_REWIND) {
        m_dlgMp3.MusicAction(9);
        return;
    }
    switch (key) {
    case VK_TAB: ToggleLyricsWindowKeys(); break;
    case VK_SPACE: HandleKeyName(" "); break;
    case VK_PRIOR: HandleKeyName("PAGEUP"); break;
    case VK_NEXT: HandleKeyName("PAGEDN"); break;
    case VK_END: HandleKeyName("END"); break;
    case VK_HOME: HandleKeyName("HOME"); break;
    case VK_LEFT: HandleKeyName("ARROWLEFT"); break;
    case VK_UP: HandleKeyName("ARROWUP"); break;
    case VK_RIGHT: HandleKeyName("ARROWRIGHT"); break;
    case VK_DOWN: HandleKeyName("ARROWDOWN"); break;
    case '0': SelectPage(9); break;
    case VK_OEM_PLUS: SelectPage(10); break;
    case VK_OEM_COMMA: HandleKeyName(","); break;
    case VK_OEM_MINUS: HandleKeyName("-"); break;
    case VK_OEM_PERIOD: HandleKeyName("."); break;
    case CMD_HELP: OpenHelpFile(); break;
    default:
        if (key >= '1' && key <= '9')
            SelectPage(int(key - '1'));
        else if (key >= 'A' && key <= 'Z')
            HandleKeyName(std::string(1, char(key)));
        else if (key >= VK_F1 + 1 && key <= VK_F1 + 11)
            HandleKeyName(kFunctionKeys[key - VK_F1 - 1]);
        // Every other key (F1, which comes as the help message, and the numeric keypad) does nothing here.
        break;
    }
}

// ---- command codes ------------------------------------------------------------------------

void CMirtalDlg::RunCommandCode(UINT code, UINT repeat)
{
    switch (code) {
    // player commands
    case CMD_PLAYER_PLAY: m_dlgMp3.Play(); break;
    case CMD_PLAYER_STOP: m_dlgMp3.Pause(); break;
    case CMD_PLAYER_FORWARD: m_dlgMp3.MusicAction(10); break;
    case CMD_PLAYER_LYRICS: m_dlgMp3.MusicAction(11); break;
    case CMD_PLAYER_FADE: m_dlgMp3.FadeOut(); break;
    case CMD_PLAYER_TEMPO_DOWN: m_dlgMp3.MusicAction(2); break;
    case CMD_PLAYER_TEMPO_UP: m_dlgMp3.MusicAction(1); break;
    case CMD_PLAYER_LOOP_OFF: m_dlgMp3.MusicAction(21); break;

    // windows closed by the user
    case CMD_SQUAREID_CLOSED:
    case CMD_CALLS_CLOSED:
    case CMD_RECORDDB_CLOSED:
    case CMD_JUKEBOX_CLOSED:
    case CMD_RECORDER_CLOSED:
    case CMD_EQUALIZER_CLOSED:
    case CMD_TIMER_CLOSED:
    case CMD_MARKERS_CLOSED:
    case CMD_CARDS_CLOSED:
    case CMD_TAGS_CLOSED:
    case CMD_MUSIC_CONTROL_CLOSED:
    case CMD_HOTKEYS_VIEW_CLOSED:
    case CMD_MEMORY_CLOSED:
    case CMD_KARAOKE_CLOSED:
    case CMD_PLAYLIST_MGR_CLOSED:
    case CMD_MUSIC_MGR_CLOSED:
    case CMD_CHOREO_MGR_CLOSED:
    case CMD_TRACK_MGR_CLOSED:
    case CMD_MARRY_MGR_CLOSED:
    case CMD_CUESHEET_CLOSED: OnToolWindowClosed(code); break;
    case CMD_LYRICS_WINDOW_CLOSED:
    case CMD_LYRICS_WINDOW_CLOSE: CloseLyricsWindow(1); break;
    case CMD_LYRICS_WINDOW2_CLOSED: CloseLyricsWindow(2); break;

    // the other commands
    case CMD_APPLY_EQUALIZER: m_dlgMp3.ApplyEqualizer(0); break;
    case CMD_UPDATE_STATUS_TEXT: m_dlgMp3.UpdateStatusTexts(); break;
    case CMD_TAGS_REFRESH: RefreshTags(); break;
    case CMD_MARKERS_RELOAD: ReloadMarkers(); break;
    case CMD_SEEK_TO_MARKER: m_dlgMp3.SeekToPosition(); break;
    case CMD_PLAY_PAUSE: m_dlgMp3.PlayPause(); break;
    case CMD_MARKERS_START_TIMER: StartMarkersTimer(); break;
    case CMD_RECORDER_MUSIC_STARTED: OnRecorderMusicStarted(); break;
    case CMD_RECORDER_MUSIC_STOPPED: OnRecorderMusicStopped(); break;
    case CMD_EQUALIZER_REFRESH: RefreshEqualizer(); break;
    case CMD_SAVE_SONG_SETTINGS: m_dlgMp3.SaveSongSettings(); break;
    case CMD_TOGGLE_MARKERS: OnViewMusicMarkers(); break;
    case CMD_PLAY_IF_STOPPED: PlayPauseIf(1); break;
    case CMD_SELECT_OUTPUT_DEVICE:
    case CMD_SELECT_OUTPUT_DEVICE_ON_ERROR: SelectOutputDevice(); break;
    case CMD_PLAY_DROPPED_FILE: m_dlgMp3.OpenFileDirect(g_droppedFilePath); break;
    case CMD_SHOW_DROPPED_LYRICS: m_dlgLyrics.ShowFile(g_droppedFilePath); break;
    case CMD_BREAK_OPEN: OpenBreakTimer(); break;
    case CMD_BREAK_CLOSE: CloseBreakTimer(); break;
    case CMD_BREAK_OPEN_AUTO: OpenBreakTimerAuto(); break;
    case CMD_CARDS_NEXT: NextCardTip(); break;
    case CMD_UPDATE_STATUS_BAR: UpdateStatusBar(); break;
    case CMD_SHOW_LYRICS: ShowLyrics(g_lyricsPath, false); break;
    // The song length travels in the low 16 bits: at most 65535 seconds.
    case CMD_SET_POSITION_RANGE: SetPositionRange(int(repeat & 0xFFFF)); break;
    case CMD_SET_POSITION: ShowPosition(); break;
    case CMD_TIMER_TICK: ShowTimerTick(); break;
    case CMD_SONG_LOADED: OnSongLoaded(); break;
    case CMD_PLAY_STARTED: OnPlayStarted(); break;
    case CMD_SHOW_HTML: ShowHtmlFile(g_htmlPath, false, 1); break;
    case CMD_SHOW_LYRICS_FORCED: ShowLyrics(g_lyricsPath, true); break;
    case CMD_TOGGLE_QUEUED_LYRICS: ToggleQueuedLyrics(); break;
    case CMD_TOGGLE_MARKER_PANEL: ToggleMarkerPanel(); break;
    case CMD_MARKER_TIMER_REFRESH: RepositionMarkerTimer(); break;
    case CMD_TOGGLE_SQUAREID: ToggleToolWindow(ID_VIEW_SQUAREID); break;
    case CMD_EDIT_HTML: ShowHtmlFile(g_htmlPath, true, 0); break;
    case CMD_SHOW_FOUND_LYRICS: ShowLyrics(g_foundLyricsPath, true); break;
    case CMD_FIND_LYRICS_CLOSED: m_dlgMp3.CloseFindLyricsWindow(); break;
    case CMD_LYRICS_PICKED: m_dlgMp3.TakeFoundLyrics(); break;
    case CMD_SHOW_HTML_PLAIN: ShowHtmlFile(g_htmlPath, false, 0); break;
    case CMD_JUKEBOX_PLAY: m_dlgMp3.JukeboxPlayNext(); break;
    case CMD_LYRICS_PAGE_PICKED: m_dlgLyrics.ShowFindLyricsChoice(); break;
    case CMD_LYRICS_PAGE_FOUND: m_dlgLyrics.ShowFoundLyrics(); break;
    case CMD_SCROLL_LYRICS: AutoScrollLyrics(); break;
    case CMD_MEMORY_REFRESH: RefreshMemoryManager(); break;
    case CMD_SLIDER_RESTYLE: SetSliderStyle(m_sliderStyle); break;
    case CMD_RELOAD_LYRICS: ReloadLyrics(); break;
    case CMD_SHOW_MUSIC_PAGE: SelectPage(0); break;
    case CMD_MUSIC_MGR_REFRESH:
    case CMD_TRACK_MGR_REFRESH:
    case CMD_MARRY_MGR_REFRESH: RefreshManager(code); break;
    case CMD_RELOAD_MUSIC_LISTS: m_dlgMp3.ReloadAllLists(); break;
    case CMD_EQUALIZER_ON: SwitchEqualizer(true, false); break;
    case CMD_EQUALIZER_OFF: SwitchEqualizer(false, false); break;
    case CMD_PLAY_BREAK_MUSIC: PlaySoundFile(4); break;
    case CMD_PLAY_DING: PlaySoundFile(5); break;
    case CMD_SHOW_COMMENT_URL:
        // The comment reads "URL:" and the address.
        m_dlgLyrics.ShowFile(trim(g_songComment.size() > 4 ? g_songComment.substr(4) : std::string()));
        break;
    default:
        if (code >= CMD_LEVEL_1 && code <= CMD_LEVEL_10)
            SetLevel(int(code - CMD_LEVEL_1) + 1);
        // A code without a row does nothing.
        break;
    }
}

// ---- named keys -----------------------------------------------------------------------------

void CMirtalDlg::HandleKeyName(const std::string& keyName)
{
    const int page = GetCurrentPage();
    std::string name = keyName;
    for (char& c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));

    if (name == "F2" || name == "F3" || name == "F4" || name == "F5") {
        static const int steps[] = {-2, -1, 1, 2};
        SetLevel(g_danceLevel + steps[name[1] - '2']);
    } else if (name == "F6") {
        m_dlgMp3.CycleLyricsShowMode();
    } else if (name == "F7") {
        PlaySoundFile(3);
    } else if (name == "F8") {
        PlaySoundFile(1);
    } else if (name == "F9") {
        PlaySoundFile(2);
    } else if (name == " ") {
        m_dlgMp3.PlayPause();
    } else if (const int index = hotkeyIndex(name); index >= 0) {
        RunHotkeyFunction(m_hotkeys[size_t(index)]);
    }

    // T goes to the lyrics and, on the lyrics page, back to the music page.
    if (name == "T") {
        if (page != 1 || g_lyricsShowMode != 0)
            ShowLyrics(g_lyricsPath, false);
        else
            SelectPage(0);
    }

    if (page >= 2 && page - 2 < kListPageObjects) {
        if (name == "ARROWLEFT")
            m_dlgList[size_t(page - 2)].OnIndexMinus1();
        else if (name == "ARROWRIGHT")
            m_dlgList[size_t(page - 2)].OnIndexPlus1();
    }

    int html = 0;
    int text = 0;
    if (name == "ARROWUP") {
        html = -m_arrowScrollHtml;
        text = -m_arrowScrollText;
    } else if (name == "PAGEUP") {
        html = -m_pageScrollHtml;
        text = -m_pageScrollText;
    } else if (name == "ARROWDOWN") {
        html = m_arrowScrollHtml;
        text = m_arrowScrollText;
    } else if (name == "PAGEDN") {
        html = m_pageScrollHtml;
        text = m_pageScrollText;
    } else if (name == "HOME") {
        html = text = -9999;
    } else if (name == "END") {
        html = text = 9999;
    } else {
        return;
    }
    if (m_lyricsWindowKeys && m_lyricsWindow1 && g_lyricsShowMode >= 2)
        m_lyricsWindow1->ScrollBy(html);
    else if (page == 0)
        m_dlgMp3.ScrollLyricsOrList(html, text);
    else if (page == 1)
        m_dlgLyrics.ScrollBy(html, text);
    else if (page - 2 < kListPageObjects)
        m_dlgList[size_t(page - 2)].ScrollBy(html, text);
}

// ---- hotkey functions ---------------------------------------------------------------------------

void CMirtalDlg::RunHotkeyFunction(int number)
{
    const int page = GetCurrentPage();
    // The list page shown; list-page functions do nothing on the music and lyrics pages.
    CDlgList* list = page >= 2 && page - 2 < kListPageObjects ? &m_dlgList[size_t(page - 2)] : nullptr;
    const auto markersCommand = [this](int command) {
        if (CMarkers* markers = m_markers.Get())
            markers->HotkeyCommand(command);
        if (g_markersShow)
            m_dlgMp3.MarkerCommand(command);
    };

    // Numbers outside 0..86 (a damaged table row) name no function.
    switch (number) {
    case 1: ToggleToolWindow(ID_VIEW_JUKEBOX); break;
    case 2: ToggleToolWindow(ID_VIEW_RECORDER); break;
    case 3: ToggleToolWindow(ID_VIEW_TIMER); break;
    case 4: OnViewMusicMarkers(); break;
    case 5: ToggleToolWindow(ID_VIEW_EQUALIZER); break;
    case 6: ToggleToolWindow(ID_VIEW_MUSIC_CONTROL); break;
    case 7: ToggleToolWindow(ID_VIEW_SQUAREID); break;
    case 8: ToggleToolWindow(ID_VIEW_CARDS); break;
    case 9: ToggleToolWindow(ID_VIEW_CALLS); break;
    case 10: ToggleToolWindow(ID_VIEW_HOTKEYS); break;
    case 11:
        if (CCalls* calls = m_calls.Get())
            calls->ToggleScrolling();
        break;
    case 12:
    case 13:
    case 14:
    case 15:
    case 16:
    case 17: SelectPage(number - 1); break;
    case 18:
        if (list)
            list->ToggleFullScreen();
        break;
    case 19:
        if (list)
            list->OnIndexPlus1();
        break;
    case 20:
        if (list)
            list->OnIndexMinus1();
        break;
    case 21:
        if (list)
            list->OnIndexPlus10();
        break;
    case 22:
        if (list)
            list->OnIndexMinus10();
        break;
    case 23:
        if (list)
            list->OnRandom();
        break;
    case 24:
        if (list)
            list->OnSaveForReview();
        break;
    case 25: m_dlgMp3.FadeOut(); break;
    case 26: m_dlgMp3.PlayFromStart(); break;
    case 27: m_dlgMp3.OnLoopToggle(); break;
    case 28: m_dlgMp3.SetAutoLoop(); break;
    case 29: m_dlgMp3.OnPlayNextQueued(); break;
    case 30:
    case 31:
    case 32:
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
    case 38:
    case 39: m_dlgMp3.MusicAction(number - 29); break;
    case 40:
    case 41:
    case 42: m_dlgMp3.ToggleListSource(number - 39); break;
    case 43: m_dlgMp3.OnAutostartToggle(); break;
    case 44: m_dlgMp3.OnTrackingToggle(); break;
    case 45: m_dlgMp3.OnLyricsOnPlayToggle(); break;
    case 46: m_dlgMp3.OnLyricsSearchList1(); break;
    case 47: m_dlgMp3.OnLyricsSearchList2(); break;
    case 48: m_dlgMp3.OnLyricsSearchList3(); break;
    case 49: m_dlgMp3.DanceTimerCommand(1); break;
    case 50: m_dlgMp3.DanceTimerCommand(2); break;
    case 51: m_dlgMp3.ToggleVolumeDecrease(); break;
    case 52: ToggleQueuedLyrics(); break;
    case 53: m_dlgMp3.ShowFindLyricsWindow(); break;
    case 54: AdjustBreakMinute(true); break;
    case 55: AdjustBreakMinute(false); break;
    case 56:
    case 57:
    case 58:
    case 59:
    case 60:
    case 61:
    case 62: markersCommand(number - 56); break;
    case 63:
    case 64:
    case 65: m_dlgMp3.MusicAction(number - 51); break;
    case 66: ToggleToolWindow(ID_VIEW_KARAOKE); break;
    case 67: m_dlgMp3.FadeToNextInList(); break;
    case 68: m_dlgMp3.MusicAction(15); break;
    case 69: m_dlgMp3.MusicAction(16); break;
    case 70: m_dlgMp3.ToggleSongFlag(1); break;
    case 71: {
        const int jump = m_musicDb.GetSettingInt("music - jumpback", 1);
        m_dlgMp3.SeekTo(g_position + float(jump));
        m_dlgMp3.PlayPause();
        break;
    }
    case 72: m_dlgMp3.SaveSongSettings(); break;
    case 73: m_dlgMp3.JumpToMiddle(); break;
    case 74:
    case 75:
    case 76: m_dlgMp3.MusicAction(number - 57); break;
    case 77: ToggleToolWindow(ID_VIEW_TAGS); break;
    case 78: m_dlgMp3.LoadPlaylistIntoQueue(); break;
    case 79: m_dlgMp3.OpenPreviousSong(); break;
    case 80:
        g_htmlPath.clear();
        ShowHtmlFile(g_htmlPath, true, 0);
        break;
    case 81: m_dlgMp3.PlayPause(); break;
    case 82: m_dlgMp3.MusicAction(20); break;
    case 83: PlaySoundFile(1); break;
    case 84: PlaySoundFile(2); break;
    case 85: SelectPage(page == 0 ? 1 : 0); break;
    case 86:
        if (CCalls* calls = m_calls.Get())
            calls->ShowNextCall();
        break;
    default: break;
    }
    UpdateData(FALSE);
}

void CMirtalDlg::PlayPauseIf(int mode)
{
    if (mode == 1 && !g_playing)
        m_dlgMp3.Play();
    else if (mode == 2 && g_playing)
        m_dlgMp3.Pause();
}

// The second player comes with its own work; until then the sound is only asked for.
