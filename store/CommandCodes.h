#pragma once
// The command codes: numbers above 255 that pages, panels and tool windows
// send to the main window as the key code of a key-down message (SendCommand
// in app/SendCommand.h). Real key codes stay below 256, so the two never
// collide. Further arguments travel in shared globals that the sender fills
// first; only CMD_SET_POSITION_RANGE carries one in the message (the low 16
// bits of its second parameter, the song length in whole seconds).
#include "platform/win/WinTypes.h"

// Help (F1 in any page or tool window)
inline constexpr UINT CMD_HELP = 201;

// Player commands
inline constexpr UINT CMD_PLAYER_REWIND = 600;
inline constexpr UINT CMD_PLAYER_PLAY = 601;
inline constexpr UINT CMD_PLAYER_STOP = 602;
inline constexpr UINT CMD_PLAYER_FORWARD = 603;
inline constexpr UINT CMD_PLAYER_LYRICS = 604;
inline constexpr UINT CMD_PLAYER_FADE = 605;
inline constexpr UINT CMD_PLAYER_TEMPO_DOWN = 606;
inline constexpr UINT CMD_PLAYER_TEMPO_UP = 607;
inline constexpr UINT CMD_PLAYER_LOOP_OFF = 608;

// Windows closed by the user
inline constexpr UINT CMD_SQUAREID_CLOSED = 700;
inline constexpr UINT CMD_CALLS_CLOSED = 701;
inline constexpr UINT CMD_RECORDDB_CLOSED = 702;
inline constexpr UINT CMD_JUKEBOX_CLOSED = 703;
inline constexpr UINT CMD_RECORDER_CLOSED = 704;
inline constexpr UINT CMD_EQUALIZER_CLOSED = 705;
inline constexpr UINT CMD_TIMER_CLOSED = 709;
inline constexpr UINT CMD_MARKERS_CLOSED = 713;
inline constexpr UINT CMD_LYRICS_WINDOW_CLOSED = 717;
inline constexpr UINT CMD_CARDS_CLOSED = 718;
inline constexpr UINT CMD_LYRICS_WINDOW2_CLOSED = 719;
inline constexpr UINT CMD_TAGS_CLOSED = 720;
inline constexpr UINT CMD_LYRICS_WINDOW_CLOSE = 812;
inline constexpr UINT CMD_MUSIC_CONTROL_CLOSED = 924;
inline constexpr UINT CMD_HOTKEYS_VIEW_CLOSED = 925;
inline constexpr UINT CMD_MEMORY_CLOSED = 927;
inline constexpr UINT CMD_KARAOKE_CLOSED = 929;
inline constexpr UINT CMD_PLAYLIST_MGR_CLOSED = 932;
inline constexpr UINT CMD_MUSIC_MGR_CLOSED = 933;
inline constexpr UINT CMD_CHOREO_MGR_CLOSED = 934;
inline constexpr UINT CMD_TRACK_MGR_CLOSED = 935;
inline constexpr UINT CMD_MARRY_MGR_CLOSED = 936;
inline constexpr UINT CMD_CUESHEET_CLOSED = 937;

// Other commands
inline constexpr UINT CMD_APPLY_EQUALIZER = 706;
inline constexpr UINT CMD_UPDATE_STATUS_TEXT = 707;
inline constexpr UINT CMD_TAGS_REFRESH = 708;
inline constexpr UINT CMD_MARKERS_RELOAD = 710;
inline constexpr UINT CMD_SEEK_TO_MARKER = 711;
inline constexpr UINT CMD_PLAY_PAUSE = 712;
inline constexpr UINT CMD_MARKERS_START_TIMER = 714;
inline constexpr UINT CMD_RECORDER_MUSIC_STARTED = 715;
inline constexpr UINT CMD_RECORDER_MUSIC_STOPPED = 716;
inline constexpr UINT CMD_EQUALIZER_REFRESH = 721;
inline constexpr UINT CMD_SAVE_SONG_SETTINGS = 722;
inline constexpr UINT CMD_TOGGLE_MARKERS = 723;
inline constexpr UINT CMD_LEVEL_1 = 731; // CMD_LEVEL_1 + n - 1 switches to level n (1..10)
inline constexpr UINT CMD_LEVEL_10 = 740;
inline constexpr UINT CMD_PLAY_IF_STOPPED = 741;
inline constexpr UINT CMD_SELECT_OUTPUT_DEVICE = 742;
inline constexpr UINT CMD_PLAY_DROPPED_FILE = 800;
inline constexpr UINT CMD_SHOW_DROPPED_LYRICS = 801;
inline constexpr UINT CMD_BREAK_OPEN = 810;
inline constexpr UINT CMD_BREAK_CLOSE = 811;
inline constexpr UINT CMD_BREAK_OPEN_AUTO = 813;
inline constexpr UINT CMD_CARDS_NEXT = 814;
inline constexpr UINT CMD_SELECT_OUTPUT_DEVICE_ON_ERROR = 815;
inline constexpr UINT CMD_UPDATE_STATUS_BAR = 900;
inline constexpr UINT CMD_SHOW_LYRICS = 903;
inline constexpr UINT CMD_SET_POSITION_RANGE = 904;
inline constexpr UINT CMD_SET_POSITION = 905;
inline constexpr UINT CMD_TIMER_TICK = 906;
inline constexpr UINT CMD_SONG_LOADED = 907;
inline constexpr UINT CMD_PLAY_STARTED = 908;
inline constexpr UINT CMD_SHOW_HTML = 909;
inline constexpr UINT CMD_SHOW_LYRICS_FORCED = 910;
inline constexpr UINT CMD_TOGGLE_QUEUED_LYRICS = 911;
inline constexpr UINT CMD_TOGGLE_MARKER_PANEL = 912;
inline constexpr UINT CMD_MARKER_TIMER_REFRESH = 913;
inline constexpr UINT CMD_TOGGLE_SQUAREID = 914;
inline constexpr UINT CMD_EDIT_HTML = 915;
inline constexpr UINT CMD_SHOW_FOUND_LYRICS = 916;
inline constexpr UINT CMD_FIND_LYRICS_CLOSED = 917;
inline constexpr UINT CMD_LYRICS_PICKED = 918;
inline constexpr UINT CMD_SHOW_HTML_PLAIN = 919;
inline constexpr UINT CMD_JUKEBOX_PLAY = 920;
inline constexpr UINT CMD_LYRICS_PAGE_PICKED = 921;
inline constexpr UINT CMD_LYRICS_PAGE_FOUND = 922;
inline constexpr UINT CMD_SCROLL_LYRICS = 923;
inline constexpr UINT CMD_MEMORY_REFRESH = 926;
inline constexpr UINT CMD_SLIDER_RESTYLE = 928;
inline constexpr UINT CMD_RELOAD_LYRICS = 930;
inline constexpr UINT CMD_SHOW_MUSIC_PAGE = 931;
inline constexpr UINT CMD_MUSIC_MGR_REFRESH = 938;
inline constexpr UINT CMD_TRACK_MGR_REFRESH = 939;
inline constexpr UINT CMD_MARRY_MGR_REFRESH = 940;
inline constexpr UINT CMD_RELOAD_MUSIC_LISTS = 941;
inline constexpr UINT CMD_EQUALIZER_ON = 942;
inline constexpr UINT CMD_EQUALIZER_OFF = 943;
inline constexpr UINT CMD_PLAY_BREAK_MUSIC = 944;
inline constexpr UINT CMD_PLAY_DING = 945;
inline constexpr UINT CMD_SHOW_COMMENT_URL = 950;
