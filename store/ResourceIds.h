#pragma once
// Resource ids the code names, beside the command codes: the View and Tools
// menu items that open and close the tool windows, and the hidden edit in which
// pages and tool windows park the keyboard focus (typed keys go from it to the
// main window), and the templates of the tool windows (each class's `IDD`).
#include "platform/win/WinTypes.h"

// The hidden focus-sink edit of pages and tool windows
inline constexpr int IDC_FOCUS_SINK = 1004;

// View menu
inline constexpr UINT ID_VIEW_JUKEBOX = 32803; // "Music Jukebox"
inline constexpr UINT ID_VIEW_RECORDER = 32804; // "Music Recording"
inline constexpr UINT ID_VIEW_TIMER = 32805; // "Music Timer"
inline constexpr UINT ID_VIEW_EQUALIZER = 32811; // "Music Equalizer"
inline constexpr UINT ID_VIEW_MUSIC_CONTROL = 32851; // "Music Control"
inline constexpr UINT ID_VIEW_MARKERS = 32806; // "Music Markers"
inline constexpr UINT ID_VIEW_SQUAREID = 32807; // "Square Identification"
inline constexpr UINT ID_VIEW_CALLS = 32808; // "Show Calls"
inline constexpr UINT ID_VIEW_CARDS = 32848; // "Computer Cards"
inline constexpr UINT ID_VIEW_HOTKEYS = 32852; // "Hotkeys"
inline constexpr UINT ID_VIEW_KARAOKE = 32856; // "Karaoke"
inline constexpr UINT ID_VIEW_TAGS = 32963; // "Tags"

// Tools menu
inline constexpr UINT ID_TOOLS_MUSIC_MANAGER = 32823; // "Music Manager"
inline constexpr UINT ID_TOOLS_PLAYLIST_MANAGER = 32824; // "Playlist Manager"
inline constexpr UINT ID_TOOLS_CHOREO_MANAGER = 32825; // "Choreography Manager"
inline constexpr UINT ID_TOOLS_MEMORY_MANAGER = 32826; // "Memory Manager"
inline constexpr UINT ID_TOOLS_TRACK_MANAGER = 32827; // "Track Manager"
inline constexpr UINT ID_TOOLS_MARRY_LYRICS = 32828; // "Marry Lyrics"
inline constexpr UINT ID_TOOLS_CUESHEETS = 32829; // "Cuesheets"
inline constexpr UINT ID_TOOLS_RECORD_DATABASE = 32846; // "Record Database"

// Dialog templates of the tool windows
inline constexpr UINT IDD_CALLS = 178;          // show calls
inline constexpr UINT IDD_TIMER = 183;          // dance timer
inline constexpr UINT IDD_LYRICS_WINDOW = 184;  // lyrics windows 1 and 2
inline constexpr UINT IDD_CARDS = 294;          // computer cards
inline constexpr UINT IDD_MARKER_TIMER = 304;   // timer beside the markers panel
inline constexpr UINT IDD_MUSIC_CONTROL = 385;  // music control
inline constexpr UINT IDD_HOTKEYS_VIEW = 394;   // hotkeys
inline constexpr UINT IDD_BREAK_TIME = 398;     // break timer
inline constexpr UINT IDD_TAGS = 465;           // tags
