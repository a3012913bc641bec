// The music page's jukebox: the next song of the chosen source when a song
// has ended and faded, and the fade itself.
#include "player/DlgMp3.h"

#include "store/PlayerGlobals.h"

#include <algorithm>

namespace {

constexpr int kPathColumn = 3;
constexpr int kPlayedColumn = 7;

} // namespace

void CDlgMp3::StartJukeboxFade()
{
    const UINT ms = UINT(std::max(0, m_set.fadeSeconds) * 1000);
    if (m_stream)
        BASS_ChannelSlideAttribute(m_stream, BASS_ATTRIB_VOL, 0.0f, ms);
    ArmTimer(kTimerJukeboxFade, std::max(1u, ms));
}

void CDlgMp3::ResetJukeboxMarks(int list)
{
    if (list < 1 || list > 3)
        return;
    std::vector<CMemArray>& rows = m_rows[list - 1];
    if (std::any_of(rows.begin(), rows.end(), [](const CMemArray& r) { return r.GetCol(kPlayedColumn) != "1"; }))
        return;
    for (CMemArray& r : rows)
        r.SetCol(kPlayedColumn, "0");
}

void CDlgMp3::JukeboxPlayNext()
{
    StopTimer(kTimerJukeboxFade);
    // Nobody may be there to answer the lyrics lookup: the next song must start.
    const UnattendedOpen unattended(*this, true);
    std::string next;
    std::vector<int> candidates;
    const int mode = g_jukeboxMode;
    if (mode >= 1 && mode <= 3) {
        m_currentList = mode;
        std::vector<CMemArray>& rows = m_rows[mode - 1];
        int& position = m_selectedRow[mode - 1];
        if (g_jukeboxRandom) {
            // Every song of the list plays before any repeats.
            ResetJukeboxMarks(mode);
            for (size_t r = 0; r < rows.size(); ++r)
                if (rows[r].GetCol(kPlayedColumn) != "1")
                    candidates.push_back(int(r));
            if (!candidates.empty())
                position = candidates[size_t(m_fn.RandomIndex(int(candidates.size())))];
        } else {
            ++position;
        }
        if (position < 0 || position >= int(rows.size()))
            position = 0;
        if (!rows.empty())
            next = rows[size_t(position)].GetCol(kPathColumn);
        else
            position = -1;
    }
    if (!next.empty()) {
        OpenSong(m_currentList, m_selectedRow[m_currentList - 1], next, m_set.listType[m_currentList - 1], 0,
                 m_set.namingMode[m_currentList - 1]);
        Play();
    }
    if (mode == 4) {
        // The jukebox plays each queued song itself, whatever the queue's autostart says.
        const size_t queued = m_queue.size();
        PlayNextQueued();
        if (m_queue.size() < queued && !g_playing)
            Play();
    }
    RestoreFocus(1);
}
