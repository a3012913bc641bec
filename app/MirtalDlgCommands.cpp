// The command codes that open, close and refresh the tool windows and the
// documents shown outside the pages: lyrics windows 1 and 2, the editor, the
// markers panel and its timer window, the break timer, the recorder, the
// computer cards, the equalizer and the managers.
#include "app/MirtalDlg.h"

#include "app/BreakTime.h"
#include "store/ResourceIds.h"
#include "store/CommandCodes.h"
#include "app/ComputerCards.h"
#include "app/ModelessLyrics.h"
#include "app/MusicControl.h"
#include "app/TimerMarkers.h"
#include "managers/ToolsMarry.h"
#include "managers/ToolsMemory.h"
#include "managers/ToolsMusic.h"
#include "managers/ToolsTrack.h"
#include "platform/win/Menu.h"
#include "player/Equalizer.h"
#include "player/Karaoke.h"
#include "store/PlayerGlobals.h"
#include "player/Record.h"
#include "texts/DlgEdit.h"

namespace {

// Shows a window and paints it at once.
void showNow(CWnd* w)
{
    w->ShowWindow(SW_SHOW);
    w->UpdateWindow();
}

} // namespace

void CMirtalDlg::OnRecorderMusicStarted()
{
    if (m_recorder)
        m_recorder->StartOnPlay();
}

void CMirtalDlg::OnRecorderMusicStopped()
{
    if (m_recorder)
        m_recorder->StopOnStop();
}

void CMirtalDlg::CloseLyricsWindow(int window)
{
    if (window == 1) {
        m_lyricsWindow1.Destroy();
        m_lyricsWindowKeys = 0;
    } else {
        m_lyricsWindow2.Destroy();
    }
}

void CMirtalDlg::OpenBreakTimer()
{
    CBreakTime* timer = m_breakTimer.Get();
    if (!timer) {
        timer = m_breakTimer.Create(this);
        if (!timer)
            return;
        showNow(timer);
    } else {
        timer->ShowWindow(SW_SHOW);
    }
    timer->Start(false);
    g_breakTimerOpen = 1;
}

void CMirtalDlg::OpenBreakTimerAuto()
{
    if (CBreakTime* timer = m_breakTimer.Get()) {
        // Already counting: it only comes to view.
        timer->ShowWindow(SW_SHOW);
        return;
    }
    if (CBreakTime* timer = m_breakTimer.Create(this)) {
        showNow(timer);
        timer->Start(true);
    }
}

void CMirtalDlg::CloseBreakTimer()
{
    m_breakTimer.Destroy();
    g_breakTimerOpen = 0;
}

void CMirtalDlg::NextCardTip()
{
    if (m_cards)
        m_cards->NextTip();
}

void CMirtalDlg::OnSongLoaded()
{
    if (CModelessLyrics* lyrics = m_lyricsWindow1.Get()) {
        lyrics->ShowDocument(g_lyricsPath);
        m_lyricsWindowKeys = 1;
    }
    if (m_karaoke)
        m_karaoke->SetSongTitle(g_currentSongPath);
    if (CTimerMarkers* timer = m_markerTimer.Get()) {
        timer->Invalidate();
        timer->UpdateWindow();
    }
}

void CMirtalDlg::OnPlayStarted()
{
    if (g_lyricsShowMode == 0 || (g_lyricsShowMode == 2 && !m_lyricsWindow1))
        ShowLyrics(g_lyricsPath, false);
    if (g_lyricsShowMode == 2) {
        if (CModelessLyrics* lyrics = m_lyricsWindow1.Get()) {
            showNow(lyrics);
            OnSongLoaded();
        }
    }
}

void CMirtalDlg::ShowHtmlFile(const std::string& path, bool edit, int mode)
{
    if (edit) {
        // A new editor each time; the earlier ones stay open, only the last is remembered.
        ToolSlot<CDlgEdit> editor;
        if (CDlgEdit* e = editor.Create(this)) {
            showNow(e);
            m_editor = editor;
            e->LoadDocument(path, true);
        }
        return;
    }
    CModelessLyrics* lyrics = m_lyricsWindow2.Get();
    if (!lyrics) {
        // The window keeps the identity of the slot it lives in, whatever place and
        // title its number gives it: its close and its moves concern lyrics window 2.
        lyrics = m_lyricsWindow2.Create(this, nullptr, 2);
        if (!lyrics)
            return;
        lyrics->SetWindowNumber(mode);
        showNow(lyrics);
    } else {
        lyrics->ShowWindow(SW_SHOW);
    }
    lyrics->ShowDocument(path);
}

void CMirtalDlg::ToggleQueuedLyrics()
{
    CModelessLyrics* lyrics = m_lyricsWindow2.Get();
    if (!lyrics) {
        m_dlgMp3.TakeQueuedLyrics();
        if (g_queuedLyricsPath.empty())
            return;
        lyrics = m_lyricsWindow2.Create(this, nullptr, 2);
        if (!lyrics)
            return;
        lyrics->SetWindowNumber(1);
        showNow(lyrics);
        lyrics->ShowDocument(g_queuedLyricsPath);
    } else if (lyrics->IsWindowVisible()) {
        lyrics->ShowWindow(SW_HIDE);
    } else {
        m_dlgMp3.TakeQueuedLyrics();
        if (g_queuedLyricsPath.empty())
            return;
        lyrics->ShowWindow(SW_SHOW);
        lyrics->ShowDocument(g_queuedLyricsPath);
    }
}

void CMirtalDlg::ToggleMarkerPanel()
{
    if (m_dlgMp3.IsMarkersPanelShown()) {
        m_markersPanel = 0;
        m_dlgMp3.ShowMarkersPanel(false, false);
        ShowMarkerTimer(false);
    } else {
        m_markersPanel = 1;
        m_dlgMp3.ShowMarkersPanel(true, false);
        ShowMarkerTimer(g_markersTimer != 0);
    }
    UpdateData(FALSE);
}

void CMirtalDlg::ShowMarkerTimer(bool show)
{
    if (show) {
        if (CTimerMarkers* timer = m_markerTimer.Get())
            timer->ShowWindow(SW_SHOW);
        else if (CTimerMarkers* created = m_markerTimer.Create(this))
            showNow(created);
    } else if (CTimerMarkers* timer = m_markerTimer.Get()) {
        timer->ShowWindow(SW_HIDE);
    }
    UpdateData(FALSE);
}

void CMirtalDlg::AutoScrollLyrics()
{
    const int units = g_autoScrollUnits;
    switch (g_lyricsShowMode) {
    case 0:
        m_dlgLyrics.ScrollBy(units, units);
        break;
    case 1:
        if (m_dlgMp3.IsLyricsViewShown())
            m_dlgMp3.ScrollLyricsOrList(units, units);
        break;
    case 2:
        if (m_lyricsWindow1)
            m_lyricsWindow1->ScrollBy(units);
        break;
    default:
        break;
    }
}

void CMirtalDlg::RefreshMemoryManager()
{
    if (m_memoryManager)
        m_memoryManager->ReloadList();
}

void CMirtalDlg::ReloadLyrics()
{
    m_dlgLyrics.ReloadFile();
    if (m_dlgMp3.IsLyricsViewShown())
        m_dlgMp3.ReloadLyricsDocument();
    if (m_lyricsWindow1)
        m_lyricsWindow1->Reload();
    UpdateData(FALSE);
}

void CMirtalDlg::RefreshManager(UINT code)
{
    if (code == CMD_MUSIC_MGR_REFRESH && m_musicManager)
        m_musicManager->Reload();
    else if (code == CMD_TRACK_MGR_REFRESH && m_trackManager)
        m_trackManager->Reload();
    else if (code == CMD_MARRY_MGR_REFRESH && m_marryManager)
        m_marryManager->ReloadMarriages();
}

void CMirtalDlg::SwitchEqualizer(bool on, bool selectStored)
{
    if (on) {
        CEqualizer* eq = m_equalizer.Get();
        if (eq)
            eq->ShowWindow(SW_SHOW);
        else if ((eq = m_equalizer.Create(this)))
            showNow(eq);
        CheckViewItem(ID_VIEW_EQUALIZER, MF_CHECKED);
        if (eq) {
            eq->SetEqualizerOn(true);
            if (selectStored)
                eq->SelectStoredConfig();
        }
    } else if (m_equalizer) {
        m_equalizer->SetEqualizerOn(false);
    }
    UpdateData(FALSE);
}

void CMirtalDlg::ToggleLyricsWindowKeys()
{
    m_lyricsWindowKeys = m_lyricsWindowKeys ? 0 : 1;
}

void CMirtalDlg::AdjustBreakMinute(bool up)
{
    if (m_breakTimer)
        m_breakTimer->AdjustMinute(up);
}

void CMirtalDlg::RefreshMusicControl()
{
    if (m_musicControl)
        m_musicControl->RefreshText();
}
