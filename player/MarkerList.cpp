#include "player/MarkerList.h"

#include "controls/Comment.h"
#include "platform/win/MessageBox.h"
#include "store/CommandCodes.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <cstdlib>

namespace {

constexpr COLORREF kFlagged = RGB(255, 0, 0);
constexpr COLORREF kCurrent = RGB(0, 0, 255);
constexpr COLORREF kPlain = RGB(255, 255, 255);

} // namespace

namespace markers {

int Seconds(const std::string& text)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::atoi(text.c_str());
    return std::atoi(text.substr(0, colon).c_str()) * 60 + std::atoi(text.substr(colon + 1).c_str());
}

std::string TimeText(int seconds)
{
    if (seconds < 0)
        seconds = 0;
    std::string text = MyFunctions().SecondsToText(seconds);
    while (text.size() < 5)
        text.insert(text.begin(), '0');
    return text;
}

std::vector<Item> Parse(const std::string& text)
{
    std::vector<Item> items;
    size_t at = 0;
    for (size_t end; (end = text.find(';', at)) != std::string::npos; at = end + 1) {
        std::string item = text.substr(at, end - at);
        if (item.size() < 2)
            break;
        Item m;
        if (item[0] == 'r') {
            m.flagged = true;
            item.erase(0, 1);
        }
        m.time = item;
        m.seconds = Seconds(item);
        items.push_back(m);
    }
    return items;
}

std::string Write(const std::vector<Item>& items)
{
    std::string text;
    for (const Item& m : items)
        text += (m.flagged ? "r" : "") + m.time + ";";
    return text;
}

} // namespace markers

void CMarkerList::SetUp(const std::string& header, bool gridLines)
{
    m_list.SetColumnHeader(header);
    m_list.SetGridLines(gridLines ? TRUE : FALSE);
}

bool CMarkerList::IsFlagged(int row) const { return m_list.GetItemBkColor(row, 0) == kFlagged; }

void CMarkerList::Colour(int row, COLORREF colour) { m_list.SetItemBkColor(row, -1, colour); }

void CMarkerList::AddRow(const std::string& time, int seconds, const std::string& comment, bool flagged)
{
    const int row = m_list.InsertItem(m_list.GetItemCount(), time);
    m_list.SetItemText(row, 1, std::to_string(seconds));
    m_list.SetItemText(row, 2, comment);
    Colour(row, flagged ? kFlagged : kPlain);
}

void CMarkerList::Load()
{
    m_list.DeleteAllItems();
    m_current = m_previousCurrent = -1;
    m_currentTime = 0;
    CMusicDb db;
    for (const markers::Item& m : markers::Parse(g_songMarkers))
        AddRow(m.time, m.seconds, db.GetMarkerComment(g_currentSongPath, std::to_string(m.seconds), 1), m.flagged);
    if (lockOnSelect && Count() > 0)
        locked = true;
    if (lockOffSelect && Count() == 0)
        locked = false;
}

void CMarkerList::Store()
{
    std::vector<markers::Item> items;
    g_markerComments.clear();
    g_markerSeconds.clear();
    for (int row = 0; row < Count(); ++row) {
        items.push_back({TimeAt(row), markers::Seconds(TimeAt(row)), IsFlagged(row)});
        g_markerComments.push_back(m_list.GetItemText(row, 2));
        g_markerSeconds.push_back(m_list.GetItemText(row, 1));
    }
    g_songMarkers = markers::Write(items);
    if (autoMemory && m_options.saveSong)
        m_options.saveSong();
}

// A marker goes one second before the position, never before the start.
void CMarkerList::Make()
{
    if (locked)
        return;
    const int second = g_position > 1.0f ? int(g_position) - 1 : 0;
    const std::string time = markers::TimeText(second);
    for (int row = 0; row < Count(); ++row)
        if (TimeAt(row) == time)
            return;
    AddRow(time, second, "", false);
    m_list.SortItems(1, TRUE);
    m_currentTime = int(g_position);
    Store();
}

void CMarkerList::Delete()
{
    if (locked || m_list.GetSelectedCount() == 0)
        return;
    for (int row = Count() - 1; row >= 0; --row)
        if (m_list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)
            m_list.DeleteItem(row);
    Store();
}

// Without a selected marker nothing is flagged.
void CMarkerList::ToggleFlag()
{
    const int row = m_list.GetSelectionMark();
    if (row < 0 || row >= Count())
        return;
    Colour(row, IsFlagged(row) ? kPlain : kFlagged);
    Store();
}

void CMarkerList::EditComment(CWnd* owner)
{
    const int row = m_list.GetSelectionMark();
    if (row < 0 || row >= Count()) {
        ::MessageBox(owner ? owner->m_hWnd : nullptr, "Select a Marker first!", "Mirtal", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CComment prompt(m_list.GetItemText(row, 2), owner);
    if (prompt.DoModal() == IDOK && !prompt.GetText().empty()) {
        m_list.SetItemText(row, 2, prompt.GetText());
        Store();
    }
}

void CMarkerList::SeekTo(float seconds)
{
    g_position = seconds;
    SendCommand(CMD_SEEK_TO_MARKER);
}

void CMarkerList::GoToSelected()
{
    const int row = m_list.GetSelectionMark();
    SeekTo(row >= 0 && row < Count() ? float(markers::Seconds(TimeAt(row))) : 0.0f);
    if (!g_playing) {
        g_fadeInNextPlay = fadeIn ? 1 : 0;
        SendCommand(CMD_PLAY_PAUSE);
    }
}

void CMarkerList::Previous()
{
    if (Count() > 0) {
        int i = m_current;
        if (!g_playing && i >= 0 && markers::Seconds(TimeAt(i)) == int(g_position))
            --i;
        while (i >= 0 && IsFlagged(i))
            --i;
        SeekTo(i >= 0 ? float(markers::Seconds(TimeAt(i))) : 0.0f);
        if (!g_playing)
            g_fadeInNextPlay = fadeIn ? 1 : 0;
    }
    Track();
}

// With no plain marker ahead the position stays where it is.
void CMarkerList::Next()
{
    if (Count() > 0) {
        int i = std::min(m_current + 1, Count() - 1);
        if (!g_playing && markers::Seconds(TimeAt(i)) == int(g_position))
            i = std::min(i + 1, Count() - 1);
        while (i < Count() && IsFlagged(i))
            ++i;
        if (i < Count()) {
            const float t = float(markers::Seconds(TimeAt(i)));
            if (!m_options.pageNext || g_position < t)
                SeekTo(t);
        }
        if (!g_playing)
            g_fadeInNextPlay = fadeIn ? 1 : 0;
    }
    Track();
}

void CMarkerList::Track()
{
    if (Count() == 0)
        return;
    int current = -1;
    for (int row = 0; row < Count(); ++row)
        if (std::atoi(m_list.GetItemText(row, 1).c_str()) <= g_position)
            current = row;
    m_current = current;
    if (current != m_previousCurrent) {
        m_previousCurrent = current;
        if (Count() > 5 && current > 2)
            m_list.Scroll(CSize(0, scrollAmount));
    }
    for (int row = 0; row < Count(); ++row)
        if (!IsFlagged(row))
            Colour(row, row == current ? kCurrent : kPlain);
    if (current >= 0 && int(g_position) == std::atoi(m_list.GetItemText(current, 1).c_str())) {
        if (IsFlagged(current)) {
            // The flagged section ends at the next marker, or at the song's end for the last one.
            SeekTo(current + 1 < Count() ? float(markers::Seconds(TimeAt(current + 1))) : float(g_songLength));
        }
        m_currentTime = int(g_position);
    }
}
