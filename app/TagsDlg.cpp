#include "app/TagsDlg.h"
#include "store/ResourceIds.h"
#include "controls/ToolWindowInfos.h"

#include "platform/audio/Bass.h"
#include "platform/audio/BassFx.h"
#include "platform/audio/Tags.h"
#include "platform/win/DataExchange.h"
#include "platform/win/Display.h"
#include "platform/win/MessageBox.h"
#include "store/PlayerGlobals.h"

#include <exception>
#include <filesystem>

namespace {
// Edits of the nine fields, in tag order.
constexpr int kFieldIds[9] = {1173, 1174, 1175, 1176, 1177, 1197, 1179, 1180, 1181};
constexpr int kCommentField = 6;
} // namespace

BEGIN_MESSAGE_MAP(CTagsDlg, CToolDialog)
    ON_BN_CLICKED(1312, OnImportComments)
END_MESSAGE_MAP()

CTagsDlg::CTagsDlg(CWnd* parent) : CToolDialog(IDD, toolwindows::kTags, parent) {}

const std::string& CTagsDlg::TagTemplate()
{
    static const std::string text = "%IFV2(%ITRM(%TITL),%ICAP(%ITRM(%TITL)),no title) -- "
                                    "%IFV2(%ITRM(%ARTI),%ICAP(%ITRM(%ARTI)),no artist) -- "
                                    "%IFV2(%ITRM(%ALBM),%ICAP(%ITRM(%ALBM)),no album) -- "
                                    "%IFV2(%ITRM(%GNRE),%ICAP(%ITRM(%GNRE)),no genre) -- "
                                    "%IFV2(%ITRM(%YEAR),%ICAP(%ITRM(%YEAR)),no year) -- "
                                    "%IFV2(%ITRM(%CMNT),%ICAP(%ITRM(%CMNT)),no comment) -- "
                                    "%IFV2(%ITRM(%TRCK),%ICAP(%ITRM(%TRCK)),no track) -- "
                                    "%IFV2(%ITRM(%COMP),%ICAP(%ITRM(%COMP)),no composer) -- "
                                    "%IFV2(%ITRM(%COPY),%ICAP(%ITRM(%COPY)),no copyright)";
    return text;
}

void CTagsDlg::DoDataExchange(CDataExchange* dx)
{
    CToolDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_FOCUS_SINK, m_sink);
    for (int i = 0; i < 9; ++i)
        DDX_Text(dx, kFieldIds[i], m_fields[size_t(i)]);
}

BOOL CTagsDlg::OnInitDialog()
{
    CToolDialog::OnInitDialog();
    m_sampleRate = 0;
    m_sampleRateFloat = 0;
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
    PlaceWindow();
    ShowTags(ReadTags(g_currentSongPath));
    UpdateData(FALSE);
    return TRUE;
}

std::string CTagsDlg::ReadTags(const std::string& path)
{
    std::string result;
    m_sampleRate = 0;
    m_sampleRateFloat = 0;
    BASS_Start();
    const std::string ext = m_fn.GetExtension(path);
    HSTREAM source = 0;
    if (ext == "MP3" || ext == "OGG")
        source = BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    else if (ext == "WMA")
        source = BASS_WMA_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    else if (ext == "AAC" || ext == "MP4" || ext == "M4A")
        source = BASS_AAC_StreamCreateFile(FALSE, path.c_str(), 0, 0, BASS_STREAM_DECODE);
    if (!source)
        return result;
    // Decoding only: the stream is read for its tags and never played.
    const HSTREAM tempo = BASS_FX_TempoCreate(source, BASS_FX_FREESOURCE | BASS_STREAM_DECODE);
    if (!tempo) {
        BASS_StreamFree(source);
        return result;
    }
    float rate = 0;
    if (BASS_ChannelGetAttribute(tempo, BASS_ATTRIB_TEMPO_FREQ, &rate)) {
        m_sampleRateFloat = rate;
        m_sampleRate = int(rate);
    }
    if (const char* text = TAGS_Read(tempo, TagTemplate().c_str()))
        result = text;
    BASS_StreamFree(tempo);
    return result;
}

void CTagsDlg::ShowTags(const std::string& tags)
{
    for (int n = 1; n <= 9; ++n)
        m_fields[size_t(n - 1)] = m_fn.FieldOf(tags, n);
    if (m_hWnd)
        UpdateData(FALSE);
}

void CTagsDlg::ApplyDialogColor()
{
    SetBackgroundColor(RGB(g_dlgColorR, g_dlgColorG, g_dlgColorB));
}

void CTagsDlg::PlaceWindow()
{
    const int width = g_largeLayout ? 370 : 320;
    const int height = g_largeLayout ? 380 : 310;
    MakePlaceUsable({width, height});
    const int screenW = GetSystemMetrics(SM_CXSCREEN);
    const int screenH = GetSystemMetrics(SM_CYSCREEN);
    if (g_tagsPosX > screenW - width)
        g_tagsPosX = screenW - width;
    if (g_tagsPosY > screenH - height)
        g_tagsPosY = screenH - height;
    SetWindowPos(&wndTop, g_tagsPosX, g_tagsPosY, width, height, SWP_SHOWWINDOW);
    UpdateData(FALSE);
}

void CTagsDlg::OnImportComments()
{
    const std::string folder = win::BrowseForFolder(nullptr, "Select a folder:", "");
    if (folder.empty())
        return; // nothing chosen, nothing to write
    // A failure ends at the window layer's boundary: the batch is rolled back, nothing half-imported.
    m_db.BeginBatch();
    if (m_fn.ChangeDir(folder) == 0) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            std::error_code fileEc;
            if (!entry.is_regular_file(fileEc))
                continue;
            const std::string path = entry.path().string();
            if (!m_fn.IsAudioFile(path))
                continue;
            std::string rate = "0";
            const std::string tags = ReadTags(path);
            const std::string comment = m_fn.FieldOf(tags, kCommentField);
            if (m_sampleRate > 0)
                rate = m_fn.IntToString(m_sampleRate);
            m_db.SetCommentAndRate(path, rate, comment, 0);
        }
    }
    m_db.CommitBatch();
}

