#pragma once
// Shared globals owned by the music player: the state of the loaded song and
// of its playback, and the player settings the main window loads at start.
#include "platform/win/WinTypes.h"
#include "store/MemArray.h"

#include <array>
#include <string>
#include <vector>

extern std::string g_currentSongPath; // full path of the loaded song, empty when none
extern std::string g_lyricsPath;      // lyrics found for the song, empty when none
// The candidates of the last lyrics lookup: full paths or "[db]" + a record's
// labeltitle; unused entries are empty. Find Lyrics copies them all.
constexpr int kLyricsCandidateCount = 2000;
using LyricsCandidates = std::array<std::string, kLyricsCandidateCount>;
extern LyricsCandidates g_lyricsCandidates;
extern int g_songLength;              // whole seconds
extern float g_position;              // playback position in seconds
extern int g_playing;                 // 1 while a song plays
extern float g_tempo;                 // tempo change in percent
extern float g_pitch;                 // pitch change in semitones
extern int g_speedHz;                 // playback sample rate
extern int g_songVolume;              // 0..100
extern int g_masterVolume;            // output volume 0..100
extern float g_loopStart;             // seconds; 0 = none
extern float g_loopEnd;               // seconds; the loop runs while above 1
extern int g_keychangeSteps;          // semitones added once during play
extern float g_keychangeTime;         // seconds at which the key change happens
extern int g_songRating;
extern std::string g_songComment;     // held in stored (escaped) form
extern std::string g_songMarkers;     // the song's markers as stored in table music
extern std::vector<std::string> g_markerComments; // parallel to g_markerSeconds
extern std::vector<std::string> g_markerSeconds;
extern int g_sinceMarkerSeconds;
extern DWORD g_cdgStream;             // karaoke companion stream, 0 = none
extern int g_karaokeOpen;
extern int g_fadeInNextPlay;
extern int g_danceTimerSeconds;
extern int g_danceTimerState;         // 1 normal, 2 over time
extern int g_eqOn;
extern int g_eqBass;                  // band gains in dB, -10..10
extern int g_eqMid;
extern int g_eqTreble;
extern int g_eqTempo;                 // equalizer window offsets, -20..20
extern int g_eqPitch;
extern int g_eqEachSong;              // "music - eqeachsong"
extern int g_jukeboxMode;             // 0 off, 1..3 song list, 4 queue
extern int g_jukeboxRandom;
extern int g_jukeboxShortPlay;
extern int g_jukeboxShortTime;        // "jukebox - shorttime", seconds
extern std::string g_statusDanceText;
extern std::string g_statusPlayText;
extern std::string g_statusTempoText;
extern std::string g_statusLoopText;
extern std::string g_statusRecordText;
extern int g_outputDevice;            // audio device number, -1 = default
extern int g_maxVolume;               // "music - maxvolume"
extern int g_defaultVolume;           // "music - defaultvolume", 0..100
extern std::string g_soundFontPath;   // "music - soundfont"

// The full contents song list 1, 2, 3 was last loaded with, one entry per song
// (name = full path, path = file title); a filter rebuilds the list from them.
extern std::vector<MemoryList2> g_listMemory1;
extern std::vector<MemoryList2> g_listMemory2;
extern std::vector<MemoryList2> g_listMemory3;
