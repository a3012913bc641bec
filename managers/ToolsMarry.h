#pragma once
// The marry manager (template 390), a Tools page: music files (from a folder
// or an M3U playlist) paired with lyrics (files of a folder, or the cue
// sheets of the record catalogue); the pairs of table marry are listed below,
// and can be deleted, exported to and imported from "MarryLyrics.csv".
#include "managers/ManagerPage.h"
#include "store/UtilityDb.h"

#include <string>
#include <vector>

class CToolsMarry : public CManagerPage {
public:
    enum { IDD = 390 };
    enum { kMusic = 1, kLyrics = 2, kMarriages = 3 };
    explicit CToolsMarry(CWnd* parent = nullptr);

    // Refills the marriage list from table marry.
    void ReloadMarriages();

    void LoadFolder(const std::string& path, int own, int list);
    void LoadPlaylistFile(const std::string& path, int own);
    // The cue sheets of the record catalogue (kLyrics) or the marriages (kMarriages).
    void LoadDatabaseList(int own, int list);
    void WriteMarriageCsv(const std::string& path);
    void ReadMarriageCsv(const std::string& path);
    void SortMusic(int column);
    void SortLyrics(int column);
    void SortMarriages(int column);

    const std::vector<CMemArray>& Rows(int list) const;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void SupplyCell(HWND list, ListCellData& cell) override;
    void HeaderClicked(CListCtrl* list, int column) override;
    CListCtrl* ScrollTarget(CPoint screenPoint) override;
    bool PassesScrollKeys() const override { return true; }
    void LayoutControls(int width, int height) override;
    void AfterFailure() override;

    void OnOpenList();
    void OnMusicFolder();
    void OnLyricsFolder();
    void OnDatabase();
    void OnAdd();
    void OnDelete();
    void OnView();
    void OnExport();
    void OnImport();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CMemArray>& RowsOf(int list);
    CQuickList& ListOf(int list);
    int& CountOf(int list);
    void ShowRows(int list);
    void Sort(int list, int column);
    CMemArray FileRow(const std::string& path, bool music) const;
    std::string ChooseFolder(const std::string& start);
    void RenewTip(int field, const std::string& text);

    CQuickList m_music, m_lyrics, m_marriages;
    std::vector<CMemArray> m_musicRows, m_lyricsRows, m_marriageRows;
    int m_musicCount = 0, m_lyricsCount = 0, m_marriageCount = 0;
    std::string m_musicSource, m_lyricsSource;

    int m_namingMode = 0;
    int m_sortColumn = 0;
    bool m_sortOnLoad = false;
    bool m_subfolders = false;
    int m_useDefaultFolder = 0;
    std::string m_defaultFolder;
    std::string m_musicFolder;
    std::string m_musicPlaylist;
    std::string m_lyricsFolder;
    CUtilityDb m_utility;
};
