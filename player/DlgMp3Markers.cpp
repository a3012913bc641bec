// The music page's markers panel: the song's markers in list 1146, and the
// hotkey functions of the markers while the markers are a panel.
#include "player/DlgMp3.h"

#include "player/MarkerList.h"
#include "store/CommandCodes.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

CMarkerList& CDlgMp3::PanelMarkers()
{
    if (!m_panelMarkers) {
        // The page's "next" only moves forward; auto memory saves the song's row at once.
        m_panelMarkers = std::make_shared<CMarkerList>(
            m_markersList, CMarkerList::Options{true, [this] { m_db.SaveSongSettings(g_currentSongPath, 1); }});
        CMarkerList& m = *m_panelMarkers;
        m.autoMemory = m_set.markersAutoMemory != 0;
        m.locked = m_set.markersLock != 0;
        m.fadeIn = m_set.markersFadeIn != 0;
        m.lockOffSelect = m_set.markersLockOffSel != 0;
        m.lockOnSelect = m_set.markersLockOnSel != 0;
        m.scrollAmount = m_set.markersScroll > 0 ? m_set.markersScroll : 10;
    }
    return *m_panelMarkers;
}

void CDlgMp3::LoadSongMarkers()
{
    CMarkerList& m = PanelMarkers();
    m.Load();
    m_autoMemoryCheck = m.autoMemory;
    m_lockCheck = m.locked;
    if (m_hWnd)
        UpdateData(FALSE);
}

void CDlgMp3::MarkerCommand(int command)
{
    CMarkerList& m = PanelMarkers();
    auto toggle = [this](bool& flag, int& check, const char* key) {
        flag = !flag;
        check = flag;
        m_db.SetSetting(key, flag ? "true" : "false", 1);
    };
    switch (command) {
    case 0:
    case 1:
        if (m.Count() > 0) {
            if (command == 1 && m_loopCheck)
                OnLoopToggle();
            SeekTo(float(markers::Seconds(m.TimeAt(m.Count() - 1))));
            if (!g_playing)
                Play();
        }
        break;
    case 2:
    case 3:
        if (command == 2)
            m.Next();
        else
            m.Previous();
        g_sinceMarkerSeconds = 0;
        m_markerTimeLabel.SetText("0:00");
        SendCommand(CMD_TIMER_TICK);
        break;
    case 4: m.Make(); break;
    case 5: toggle(m.autoMemory, m_autoMemoryCheck, "markers - automem"); break;
    case 6: toggle(m.locked, m_lockCheck, "markers - lock"); break;
    default: break;
    }
    RestoreFocus(1);
}
