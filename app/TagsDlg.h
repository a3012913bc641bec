#pragma once
// The tags window (template 465): nine tags of the loaded song, and the import
// of the comment tags of a folder's audio files into the per-song table.
#include "controls/ToolDialog.h"
#include "store/ResourceIds.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <array>
#include <string>

class CTagsDlg : public CToolDialog {
public:
    enum { IDD = IDD_TAGS };
    explicit CTagsDlg(CWnd* parent = nullptr);

    // The tag text of the file, or an empty text: nine parts joined by " -- ".
    std::string ReadTags(const std::string& path);

    // Shows the fields of a tag text.
    void ShowTags(const std::string& tags);

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place.
    void PlaceWindow();

    // Copies the comment tag of every audio file of a chosen folder into the song table.
    void OnImportComments();

    // The sample rate of the last file read, 0 when it opened no stream.
    int GetSampleRate() const { return m_sampleRate; }

    // The template of the nine tags, for TAGS_Read.
    static const std::string& TagTemplate();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()

private:
    CMusicDb m_db;
    MyFunctions m_fn;
    int m_sampleRate = 0;
    float m_sampleRateFloat = 0;
    std::array<std::string, 9> m_fields;
    std::string m_sink;
};
