// The music page's start: controls, start values, settings, list columns and the audio start.
#include "player/DlgMp3.h"

#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"

BOOL CDlgMp3::OnInitDialog()
{
    // 1. base, colours, images, tooltips
    CDialogEx::OnInitDialog();
    ApplyPageColors();
    InitButtonImages();

    // 2. peak meter: one band of ten segments
    m_peakMeter.SetMeterBands(1, 10);
    m_peakMeter.Start(55);
    m_peakMeter.ShowGrid(TRUE);

    // 4. analog clock
    m_analogClock.SetBitmaps(147, 148);
    {
        CRect r;
        m_analogClock.GetWindowRect(&r);
        ScreenToClient(&r);
        const CSize face = m_analogClock.GetWindowSize();
        if (face.cx > 0 && face.cy > 0)
            m_analogClock.MoveWindow(r.left, r.top, face.cx, face.cy);
    }
    m_analogClock.Run();

    // 5. labels: blue and bold
    for (CNewLabel* l : {&m_danceTimerLabel, &m_title, &m_positionLabel, &m_lengthLabel, &m_pitchLabel, &m_bpmLabel,
                         &m_speedLabel, &m_volumeLabel, &m_loopStartLabel, &m_loopEndLabel, &m_keychangeTimeLabel})
        l->SetTextColor(RGB(0, 0, 255)).SetFontBold(TRUE);
    m_danceTimerLabel.SetFontSize(48).SetAlignment(CNewLabel::kCentre).SetText("0:00");
    m_title.SetFontSize(18).SetAlignment(18).SetBorder(TRUE).SetText("Welcome to Mirtal");
    m_positionLabel.SetFontSize(26).SetAlignment(CNewLabel::kRight).SetText("0:00");
    m_lengthLabel.SetFontSize(26).SetAlignment(CNewLabel::kLeft).SetText("0:00");
    for (CNewLabel* l : {&m_pitchLabel, &m_bpmLabel, &m_speedLabel})
        l->SetFontSize(16).SetText("0");
    m_volumeLabel.SetFontSize(16).SetText(std::to_string(g_defaultVolume));
    for (CNewLabel* l : {&m_loopStartLabel, &m_loopEndLabel, &m_keychangeTimeLabel})
        l->SetFontSize(16).SetText("0:00");

    // 6., 7. key change, rating and the start values
    m_keychangeArea = 1;
    m_keychangeSpin.SetRange32(-9, 9);
    m_keychangeSpin.SetPos32(0);
    m_keychangeStepsValue = 0;
    m_keychangeDone = 0;
    m_ratingSpin.SetRange32(0, 9);
    m_ratingSpin.SetPos32(0);
    m_rating = 0;
    m_currentList = 0;
    m_currentRow = -1;
    m_danceTimerPeriod = 500;

    // 8.-19. the settings, in one batch
    m_db.BeginBatch();
    LoadMp3PageSettings(m_db, m_set, true);
    TakeSortSettings(true);
    m_searchAfter = m_searchBefore = std::time(nullptr);
    m_breakSpin.SetRange32(1, 999);
    m_breakMinutes = m_set.breakMinutes;
    m_breakSpin.SetPos32(m_breakMinutes);
    m_loopCheck = m_set.loop;
    m_autostartCheck = m_set.autostart;
    m_lyricsOnPlayCheck = m_set.lyricsOnPlay;
    m_trackingCheck = m_set.tracking;
    m_danceName = m_set.trackName;
    m_autoMemoryCheck = m_set.markersAutoMemory;
    m_lockCheck = m_set.markersLock;
    for (int i = 0; i < 3; ++i)
        for (const std::string& entry : m_set.comboHistory[i])
            if (!entry.empty() && m_combo[i].FindStringExact(-1, entry) < 0)
                m_combo[i].AddString(entry);
    if (m_set.bassBuffer > 500)
        BASS_SetConfig(BASS_CONFIG_BUFFER, DWORD(m_set.bassBuffer));
    m_db.CommitBatch();

    // 9. the columns of the three song lists
    BuildListColumns();

    // 11. delete mode of the queue, tempo label
    m_deleteAllCheck = m_set.singleDeleteQueue ? 0 : 1;
    if (m_set.bothTempoValues)
        m_bpmLabel.SetFontSize(12);

    // 12. fonts
    ApplyListFonts();

    // 13. lyrics-search buttons
    for (int i = 0; i < 3; ++i)
        if (CButtonST* b = Button(int(1115 + i)))
            b->SetIcon(m_set.searchLyrics[i] ? 324 : 335);

    // 15. clocks
    ApplyClockSettings();

    // 16. row counts, fade buttons
    for (UINT id : {1061u, 1062u, 1063u})
        GetDlgItem(id)->ShowWindow(m_set.hideRowCounts ? SW_HIDE : SW_SHOW);
    ShowFadeInButton(true);

    // 17., 18. markers panel
    m_markerTimeLabel.SetTextColor(RGB(0, 0, 0)).SetFontSize(64).SetFontBold(TRUE).SetAlignment(18).SetText("0:00");
    m_markersList.SetColumnHeader("Markers , 60; int, 0; Comment, 105");
    m_markersList.SetGridLines(m_set.markersGridLines);
    ShowMarkersPanel(false, true);

    // 20. sliders
    for (CBitmapSlider* s : {&m_speedSlider, &m_volumeSlider, &m_tempoSlider, &m_pitchSlider}) {
        s->SetBitmapChannel(150, 153, FALSE);
        s->SetBitmapThumb(159, 161, TRUE);
        s->SetMargin(0, 0, 0, 0);
        s->SetDrawFocusRect(FALSE);
    }
    m_speedSlider.SetRange(40100, 48100);
    m_speedSlider.SetPageSize(100);
    m_speedSlider.SetPos(0);
    m_volumeSlider.SetRange(0, 100);
    m_volumeSlider.SetPageSize(5);
    m_volumeSlider.SetPos(g_defaultVolume);
    m_tempoSlider.SetRange(-20, 20);
    m_tempoSlider.SetPageSize(1);
    m_tempoSlider.SetPos(0);
    m_pitchSlider.SetRange(-20, 20);
    m_pitchSlider.SetPos(0);

    // 21. the song lists are shown
    m_listsShown = true;

    // 22. combo texts from the list sources
    LoadStartSources(m_set.lengthActive != 0);
    InitTooltips();

    // 23. rating controls
    if (!m_set.rateActive || g_compressedView)
        for (UINT id : {1221u, 1220u, 1222u})
            GetDlgItem(id)->ShowWindow(SW_HIDE);

    // 24. the saved queue, queue button, status, focus
    LoadQueue();
    ShowQueueLyricsButton();
    UpdateStatusTexts();
    RestoreFocus(1);
    ApplyLayout();
    if (!m_set.dpiMessage && g_largeLayout)
        ArmTimer(kTimerDpiNotice, 400);

    // 25. the audio library
    StartAudio();

    // 26. lengths are measured by the audio library, so the lists that show them load now
    if (m_set.lengthActive)
        ReloadAllLists();

    // 27., 28.
    m_set.useDefaultMusicFolder = 0;
    if (m_set.focusTimer)
        ArmTimer(kTimerRefocus, 10000);
    else
        StopTimer(kTimerRefocus);
    return TRUE;
}

void CDlgMp3::ApplyListFonts()
{
    for (int target = 1; target <= 3; ++target)
        ApplyListFont(m_set.listFontSize, m_set.listFontBold, m_set.listFontItalic, m_set.listFontName, target);
    ApplyListFont(m_set.queueFontSize, m_set.queueFontBold, m_set.queueFontItalic, m_set.queueFontName, 5);
    ApplyListFont(m_set.markersFontSize, m_set.markersFontBold, m_set.markersFontItalic, m_set.markersFontName, 6);
}

void CDlgMp3::ApplyClockSettings()
{
    m_digitalClock.SetBackColor(COLORREF(m_set.clockBackColor));
    m_digitalClock.SetColor(COLORREF(m_set.clockBackColor), COLORREF(m_set.clockTextColor));
    m_analogClock.ShowWindow(m_set.digitalClock == 0 ? SW_SHOW : SW_HIDE);
    m_digitalClock.ShowWindow(m_set.digitalClock == 0 ? SW_HIDE : SW_SHOW);
    m_digitalClock.SetTwelveHourMode(m_set.digitalClock == 1);
}

void CDlgMp3::OnDestroy()
{
    ReleaseLyricsWindows();
    SaveComboHistories();
    if (g_playing && m_stream) {
        BASS_ChannelPause(m_stream);
        g_playing = 0;
    }
    SaveQueue();
    CDialogEx::OnDestroy();
}
