#pragma once
// Song markers: the markers string of a song and the marker list that both
// holders keep (the music page's markers panel and the markers window). A
// marker is a time with an optional flag; during play the section from a
// flagged marker to the next one is skipped.
#include "controls/ReportCtrl.h"

#include <functional>
#include <string>
#include <vector>

namespace markers {

struct Item {
    std::string time; // "01:30"
    int seconds = 0;
    bool flagged = false;
};

// The items of a markers string ("00:15;r01:30;02:45;"); reading stops at an
// item shorter than two characters or when no ";" is left.
std::vector<Item> Parse(const std::string& text);
std::string Write(const std::vector<Item>& items);
// Minutes and seconds, padded with "0" to at least five characters: 74 -> "01:14", 6005 -> "100:05".
std::string TimeText(int seconds);
// "01:14", "1:14" -> 74; "100:05" -> 6005; not a number -> 0.
int Seconds(const std::string& timeText);

} // namespace markers

// The state and the operations of one marker list. The holder says how it
// saves the song and what its "next" does at the end; the list does the rest.
class CMarkerList {
public:
    struct Options {
        bool pageNext = false; // the page's next only moves forward
        std::function<void()> saveSong; // auto memory: make the markers persistent
    };

    CMarkerList(CReportCtrl& list, Options options) : m_list(list), m_options(std::move(options)) {}

    // Columns from the header text; grid lines as the setting says.
    void SetUp(const std::string& header, bool gridLines);
    // Refills the list from g_songMarkers with the comments of the song.
    void Load();
    // Rebuilds g_songMarkers and the comment lists from the list.
    void Store();
    void Make();
    void Delete();
    void ToggleFlag();
    void Previous();
    void Next();
    void GoToSelected();
    // Follows g_position: the current marker, row colours, the flagged skip.
    void Track();
    // Sets a flagged or plain row comment; "Select a Marker first!" without a selection.
    void EditComment(CWnd* owner);

    bool autoMemory = false, locked = false, fadeIn = false, lockOnSelect = false, lockOffSelect = false;
    int scrollAmount = 10;

    int Count() const { return m_list.GetItemCount(); }
    int Current() const { return m_current; }
    int CurrentMarkerTime() const { return m_currentTime; }
    bool IsFlagged(int row) const;
    std::string TimeAt(int row) const { return m_list.GetItemText(row, 0); }

private:
    void AddRow(const std::string& time, int seconds, const std::string& comment, bool flagged);
    void SeekTo(float seconds);
    void Colour(int row, COLORREF colour);

    CReportCtrl& m_list;
    Options m_options;
    int m_current = -1;
    int m_previousCurrent = -1;
    int m_currentTime = 0;
};
