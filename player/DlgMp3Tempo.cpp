// Tempo, pitch, rate and volume of the song while it plays: the stream's
// attributes and the labels that show them with the beats per minute, the
// music actions of the hotkeys, the fixed-BPM search, the volume decrease,
// the fade to the next song and the three equalizer bands.
#include "player/DlgMp3.h"

#include "platform/audio/BassFx.h"
#include "store/AppGlobals.h"
#include "store/PlayerGlobals.h"
#include "store/SendCommand.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

constexpr UINT kSongListIds[3] = {1009, 1011, 1012};

} // namespace

void CDlgMp3::SetDetectedBpm(float bpm)
{
    if (m_bpmScan)
        BASS_FX_BPM_Free(m_bpmScan);
    m_bpmScan = 0;
    m_detectedBpm = bpm;
}

float CDlgMp3::ShownBpm() { return BASS_FX_TempoGetRateRatio(m_stream) * DetectedBpm(); }

std::string CDlgMp3::BpmText(float tempo)
{
    if (m_set.tempoPercent)
        return Format("%0.1f", double(tempo)) + "%";
    const float shown = ShownBpm();
    float value = shown;
    if (shown == 0.0f)
        value = tempo + 127.0f;
    else if (shown > 0 && shown < 70 && m_set.doubleBpm)
        value = shown * 2;
    else if (shown > 180 && shown < 210 && m_set.twoThirdsBpm)
        value = shown * 0.66f;
    std::string text = Format("%0.1f", double(value));
    if (m_set.bothTempoValues)
        text = Format("%0.1f", double(DetectedBpm())) + "-" + text;
    return text;
}

std::string CDlgMp3::SpeedText() const
{
    if (!m_set.tempoPercent)
        return std::to_string(g_speedHz);
    // No song: no file rate to compare with, so no change.
    const double change = m_fileRate > 0 ? (double(g_speedHz) - m_fileRate) / m_fileRate * 100.0 : 0.0;
    return Format("%0.1f", change) + "%";
}

void CDlgMp3::ApplyAttributes()
{
    // A stream of 0 (no song) refuses the attributes; the labels still show the values.
    const float tempo = g_tempo + (g_eqOn && g_eqTempo != 0 ? float(g_eqTempo / 2) : 0.0f);
    const float pitch = g_pitch + (g_eqOn && g_eqPitch != 0 ? float(g_eqPitch) : 0.0f);
    BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_TEMPO_PITCH, pitch);
    BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_TEMPO_FREQ, float(g_speedHz));
    BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_TEMPO, tempo);
    BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_VOL, float(g_songVolume) * 0.01f);
    if (!m_hWnd)
        return;
    m_bpmLabel.SetText(BpmText(tempo));
    m_speedLabel.SetText(SpeedText());
    m_volumeLabel.SetText(std::to_string(g_songVolume));
    m_pitchLabel.SetText(Format("%0.1f", double(pitch)));
    m_speedSlider.SetPos(g_speedHz);
    m_pitchSlider.SetPos(int(pitch));
    m_tempoSlider.SetPos(int(tempo));
    m_volumeSlider.SetPos(g_songVolume);
    UpdateStatusTexts();
    UpdateData(FALSE);
}

void CDlgMp3::ApplyEqualizer(int create)
{
    static const float kCentres[3] = {1000.0f, 6000.0f, 16000.0f};
    if (create) {
        BASS_INFO info{};
        BASS_GetInfo(&info);
        if (info.dsver < 8) {
            ShowBassError("DirectX 8 is not installed");
            return;
        }
        for (int i = 0; i < 3; ++i) {
            m_eqBands[i] = BASS_ChannelSetFX(m_stream, BASS_FX_DX8_PARAMEQ, 0);
            BASS_DX8_PARAMEQ band{kCentres[i], 18.0f, 0.0f};
            BASS_FXSetParameters(m_eqBands[i], &band);
        }
        SendCommand(CMD_TAGS_REFRESH);
    }
    const int gains[3] = {g_eqBass, g_eqMid, g_eqTreble};
    for (int i = 0; i < 3; ++i) {
        BASS_DX8_PARAMEQ band{kCentres[i], 18.0f, 0.0f};
        BASS_FXGetParameters(m_eqBands[i], &band);
        // Off means flat: the bands keep no gain of their own once switched off.
        band.fGain = g_eqOn ? float(gains[i]) : 0.0f;
        BASS_FXSetParameters(m_eqBands[i], &band);
    }
    if (g_eqOn)
        BASS_SetVolume(float(g_masterVolume) * 0.01f);
    else
        BASS_FXReset(m_stream);
    ApplyAttributes();
}

float CDlgMp3::EqualizerGain(int band) const
{
    BASS_DX8_PARAMEQ p{};
    if (band < 0 || band > 2 || !BASS_FXGetParameters(m_eqBands[band], &p))
        return 0;
    return p.fGain;
}

void CDlgMp3::MusicAction(int action)
{
    switch (action) {
    case 1: g_tempo += 0.5f; break;
    case 2: g_tempo -= 0.5f; break;
    case 3: g_songVolume = std::min(100, g_songVolume + m_set.volumeStep); break;
    case 4: g_songVolume = std::max(0, g_songVolume - m_set.volumeStep); break;
    case 5: g_pitch += 0.5f; break;
    case 6: g_pitch -= 0.5f; break;
    case 7: g_speedHz += 100; break;
    case 8: g_speedHz = std::max(0, g_speedHz - 100); break;
    case 9: Rewind(); break;
    case 10: FastForward(); break;
    case 11: OnShowLyricsButton(); break;
    case 12:
    case 13:
    case 14:
        if (CWnd* list = m_hWnd ? GetDlgItem(kSongListIds[action - 12]) : nullptr)
            list->SetFocus();
        break;
    case 15:
        SeekTo(g_loopStart);
        if (!g_playing)
            Play();
        break;
    case 16:
        SeekTo(g_loopEnd);
        m_loopCheck = 0;
        if (m_hWnd)
            UpdateData(FALSE);
        if (!g_playing)
            Play();
        break;
    case 17:
    case 18:
    case 19: QueueSelectedRow(action - 16); break;
    case 20: g_songVolume = std::max(m_set.volumeLowest, g_songVolume - m_set.volumeStep); break;
    case 21:
        if (m_loopCheck)
            OnLoopToggle();
        break;
    case 22:
    case 23:
        m_markersCheck = action == 22 ? 1 : 0;
        if (m_hWnd)
            UpdateData(FALSE);
        break;
    default: break;
    }
    ApplyAttributes();
}

void CDlgMp3::OnSliderMoved(UINT id)
{
    CBitmapSlider* slider = nullptr;
    switch (id) {
    case 1038: slider = &m_tempoSlider; break;
    case 1039: slider = &m_pitchSlider; break;
    case 1040: slider = &m_speedSlider; break;
    case 1041: slider = &m_volumeSlider; break;
    default:
        if (m_hWnd)
            UpdateData(FALSE);
        return;
    }
    const int pos = slider->GetPos();
    if (id == 1038)
        g_tempo = float(pos);
    else if (id == 1039)
        g_pitch = float(pos);
    else if (id == 1040)
        g_speedHz = pos;
    else
        g_songVolume = pos;
    ApplyAttributes();
}

LRESULT CDlgMp3::OnSliderMessage(WPARAM id, LPARAM)
{
    OnSliderMoved(UINT(id));
    RestoreFocus(0);
    return 0;
}

void CDlgMp3::ApplyFixedBpm(float target)
{
    auto inRange = [&](float bpm) {
        return (bpm > 100 && bpm < 140) || (m_set.doubleBpm && bpm < 70) ||
               (m_set.twoThirdsBpm && bpm > 180 && bpm < 210);
    };
    if (!inRange(ShownBpm())) {
        ShowBassError("This MP3 cannot play back at the adjusted fixed speed, but will instead play back at its "
                      "recorded speed.");
        return;
    }
    // A search from the recorded speed: whole percents while far off, tenths
    // near the target, until it has gone past the target once each way.
    float tempo = 0;
    float measured = 0;
    bool wentDown = false, wentUp = false;
    for (int pass = 0; pass < 100; ++pass) {
        if (!(wentDown && wentUp)) {
            measured = ShownBpm();
            if (m_set.doubleBpm && measured < 70)
                measured *= 2;
            if (m_set.twoThirdsBpm && measured > 140 && measured < 210)
                measured *= 0.66f;
            if (measured > 0) {
                const float step = std::abs(measured - target) > 2 ? 1.0f : 0.1f;
                if (measured > target) {
                    tempo -= step;
                    wentDown = true;
                } else {
                    tempo += step;
                    wentUp = true;
                }
            }
        }
        BASS_ChannelSetAttribute(m_stream, BASS_ATTRIB_TEMPO, tempo);
    }
    g_tempo = tempo;
    ApplyAttributes();
    float shown = target;
    if (m_set.doubleBpm && measured < 70)
        shown = measured * 2;
    else if (m_set.twoThirdsBpm && measured > 140 && measured < 230)
        shown = measured * 0.66f;
    if (m_hWnd) {
        m_bpmLabel.SetText(Format("%0.0f", double(shown)));
        UpdateStatusTexts();
        UpdateData(FALSE);
    }
}

void CDlgMp3::AdjustPitch(int semitones)
{
    g_pitch += float(semitones);
    ApplyAttributes();
}

void CDlgMp3::LoadFixedBpmSettings()
{
    m_db.BeginBatch();
    m_set.fixBpmValue = float(m_db.GetSettingInt("music - fixbpmvalue", 0));
    m_set.fixBpm[0] = m_db.GetSettingBool("music - fixbpm", 0) ? 1 : 0;
    m_set.fixBpm[1] = m_db.GetSettingBool("music - fixbpm2", 0) ? 1 : 0;
    m_set.fixBpm[2] = m_db.GetSettingBool("music - fixbpm3", 0) ? 1 : 0;
    m_db.CommitBatch();
}

void CDlgMp3::LoadAdjustPitchSettings()
{
    m_db.BeginBatch();
    m_set.adjustPitchValue = m_db.GetSettingInt("music - adjustpitchvalue", 0);
    for (int i = 0; i < 3; ++i)
        m_set.adjustPitch[i] = m_db.GetSettingBool("music - adjustpitch" + std::to_string(i + 1), 0) ? 1 : 0;
    m_db.CommitBatch();
}

void CDlgMp3::OnKeychangeStepsChanged()
{
    UpdateData(TRUE);
    g_keychangeSteps = m_keychangeStepsValue;
}

void CDlgMp3::SetKeychangeTimeHere()
{
    g_keychangeTime = g_position;
    m_keychangeTimeLabel.SetText(m_fn.SecondsToText(int(g_keychangeTime)));
    RestoreFocus(1);
}

void CDlgMp3::ToggleVolumeDecrease()
{
    if (m_volumeDecreased) {
        g_songVolume = m_savedVolume;
        m_volumeDecreased = 0;
    } else {
        m_savedVolume = g_songVolume;
        g_songVolume = m_set.volumeDecrease;
        m_volumeDecreased = 1;
    }
    BASS_ChannelSlideAttribute(m_stream, BASS_ATTRIB_VOL, float(g_songVolume) * 0.01f, 1000);
    if (m_hWnd) {
        m_volumeSlider.SetPos(g_songVolume);
        m_volumeLabel.SetText(std::to_string(g_songVolume));
    }
}

void CDlgMp3::FadeToNextInList()
{
    // The song goes on sounding while it fades; the jukebox then takes the next one.
    SetPlayButtonIcon(true);
    StopTimer(kTimerPoll);
    g_playing = 0;
    ShowSongLists(true);
    UpdateStatusTexts();
    if (m_set.activateOnStop)
        SendCommand(CMD_SHOW_MUSIC_PAGE);
    g_jukeboxMode = m_currentList;
    StartJukeboxFade();
}
