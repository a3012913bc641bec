#pragma once
// The playlist manager (template 251), a Tools page: on the left a source
// (the audio files of a folder, or a playlist) that a search narrows; on the
// right the playlist being built from it, from dropped files and from opened
// playlists, reordered, previewed, saved as M3U and copied into a folder.
#include "managers/TwoListPage.h"
#include "managers/PlaylistPreview.h"
#include "managers/PlaylistRows.h"
#include "controls/ButtonST.h"

#include <string>
#include <vector>

class CToolsPlaylist : public CTwoListPage {
public:
    enum { IDD = 251 };
    enum { kLeftList = 1, kRightList = 2 };
    explicit CToolsPlaylist(CWnd* parent = nullptr);

    // Replaces the target list by the rows of an M3U file.
    void LoadPlaylistFile(const std::string& path, int own, int target);
    // Replaces the left list by the audio files of a folder, sorted.
    void LoadFolder(const std::string& path, int own, int target);
    // Appends one row per audio file of the folder (and its subfolders with "music - subdir").
    void ScanFolder(const std::string& path, int target, int own);
    // The row of one music file: appended on the left, before the right list's mark on the right.
    void AddFileRow(int target, const std::string& path);
    // A file or folder dropped on the page, into the right list.
    void AddDroppedPath(const std::string& path);
    void ClearSelection(int list);
    // The end of a drag: rows from the source list onto the target list's drop row (-1: below the last).
    void DropRows(CListCtrl* source, CListCtrl* target, int dropIndex, int draggedItem) override;
    void SortLeft(int column) override;
    void SortRight(int column) override;
    // The box of a preview that cannot play.
    void ShowBassError(const std::string& text);

    const std::vector<CMemArray>& LeftRows() const { return m_leftRows; }
    const std::vector<CMemArray>& RightRows() const { return m_rightRows; }
    const CPlaylistPreview& Preview() const { return m_preview; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void SupplyCell(HWND list, ListCellData& cell) override;
    int LeftRowCount() const override { return int(m_leftRows.size()); }
    int RightRowCount() const override { return int(m_rightRows.size()); }
    void LayoutControls(int width, int height) override;
    void BeforeClose() override;
    void AfterFailure() override;

    void OnOpenFolder();
    void OnOpenList();
    void OnReload();
    void OnSearch();
    void OnSearchKillFocus();
    void OnPlayLeft();
    void OnPlayRight();
    void OnAddRows();
    void OnTrackInfo();
    void OnDeleteRow();
    void OnReset();
    void OnMoveUp();
    void OnMoveDown();
    void OnOpenPlaylist();
    void OnSave();
    void OnCopyToFolder();
    void OnLeftDoubleClick(NMHDR* hdr, LRESULT* result);
    void OnDropFiles(HDROP drop);
    DECLARE_MESSAGE_MAP()

private:
    playlistrows::RowOptions Options() const;
    CMemArray MakeRow(const std::string& path, int own);
    std::vector<CMemArray>& RowsOf(int list) { return list == kLeftList ? m_leftRows : m_rightRows; }
    CQuickList& ListOf(int list) { return list == kLeftList ? m_left : m_right; }
    void ShowRows(int list);
    int InsertionPoint();
    void InsertCopies(const std::vector<int>& leftRows, int at);
    void Play(int list);
    void SetPlayButton(int list, bool playing);
    void RenewTip(int field, const std::string& text);
    void InsertColumns();
    void Move(bool up);

    CButtonST m_playLeft, m_playRight;
    std::vector<CMemArray> m_leftRows, m_rightRows;
    std::vector<std::string> m_source; // the paths of the last folder or playlist load
    int m_leftCount = 0, m_rightCount = 0;
    std::string m_leftPath, m_rightPath, m_search;

    int m_namingMode = 0;
    int m_sortColumn = 0;
    std::string m_folderPath;
    std::string m_leftPlaylistPath;
    std::string m_savedPlaylistPath;
    bool m_startWithFolder = true;
    bool m_subfolders = false;
    int m_trackInfo = 0;
    bool m_lengthOn = false;
    int m_useDefaultFolder = 0;
    std::string m_defaultFolder;
    std::string m_heading1 = "Label", m_heading2 = "Title";

    CPlaylistPreview m_preview;
};
