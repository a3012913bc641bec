#pragma once
// Find Lyrics (template 231): the lyrics documents offered for one music file.
// The list starts with the candidates of the last lyrics lookup and can be
// refilled from the record catalogue's cue sheets or from the lyrics folders.
// View shows the selected document, OK takes it and, when "Always show selected
// lyrics" is on, marries it to the music file (table marry).
//
// Used modally by the music page's lyrics lookup, and modelessly by the music
// page and the lyrics page (created once, set up again on every showing).
#include "controls/ButtonST.h"
#include "controls/QuickList.h"
#include "store/MemArray.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "store/PlayerGlobals.h"
#include "store/UtilityDb.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Dialog.h"

#include <array>
#include <string>
#include <vector>

class CMarryDlg : public CDialogEx {
public:
    enum { IDD = 231 };
    enum Source { kDatabase = 0, kDirectory = 1, kAllLevels = 2 };

    // Modal: the candidates and the music file; the list is filled when the window starts.
    CMarryDlg(const LyricsCandidates& candidates, const std::string& musicPath, CWnd* parent = nullptr);
    // Modeless: created from IDD by its owner, then Setup.
    explicit CMarryDlg(CWnd* parent);
    ~CMarryDlg() override;

    // Reads the settings again and fills the list from the candidates.
    void Setup(const LyricsCandidates& candidates, const std::string& musicPath);
    void SetOpenedFromLyricsPage(int opened) { m_openedFromLyricsPage = opened; }
    // The lyrics reference taken with OK: a path or "[db]" + a record label.
    std::string GetChosenLyricsPath() const { return m_chosenPath; }

    // The list from the candidates.
    void FillList();
    // Refills the list with the text of search field 0 (first) or 1 (second).
    void Search(int field);
    // The non-audio files of one folder (no sub-folders) whose title holds the text.
    void ScanFolder(const std::string& folder, int level, const std::string& upperText);
    // Sorts by the column: ascending, then descending on the next click, and so on.
    void SortByColumn(int column);

    // What the caller and the user see.
    const std::vector<CMemArray>& GetRows() const { return m_rows; }
    int GetRowCount() const { return m_rowCount; }
    int GetSource() const { return m_source; }
    int GetNamingMode() const { return m_namingMode; }
    const std::string& GetSearchFolder() const { return m_searchFolder; }
    CQuickList& GetList() { return m_list; }

    // Handlers of the buttons, also the way tests press them.
    void OnSearchFirst();
    void OnSearchSecond();
    void OnClearFields();
    void OnView();
    void OnOK() override;
    void OnSourceDatabase() { SetSource(kDatabase); }
    void OnSourceDirectory() { SetSource(kDirectory); }
    void OnSourceAllLevels() { SetSource(kAllLevels); }
    void OnMarryToggle();
    void OnShowModeChange();
    void OnResetFolder();
    void OnChooseFolder();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnCancelButton() { OnCancel(); }
    void OnFieldsLeft() { UpdateData(TRUE); }
    void OnColumnClick(NMHDR* hdr, LRESULT* result);
    void OnListDoubleClick(NMHDR* hdr, LRESULT* result);
    LRESULT OnGetListItem(WPARAM wParam, LPARAM lParam);
    void OnClose();
    BOOL OnHelpInfo(HELPINFO* info);

private:
    void ReadSettings();
    int DefaultSource() const;
    void SetSource(int source);
    // The selected row, -1 when none (or when the mark is left from an older list).
    int SelectedRow() const;
    void AddRow(const std::string& c0, const std::string& c1, const std::string& path, int level);
    void AddCandidateRow(const std::string& entry, int level);
    void AddDatabaseRow(const std::string& label, const std::string& title, int level);
    void ShowRows();
    void SetupButtons();

    // Sort state shared by every Find Lyrics window, reset when one starts.
    static int s_sortColumn;
    static int s_sortDirection;
    static int s_sortToggle;

    bool m_modeless = false;
    int m_openedFromLyricsPage = 0;
    LyricsCandidates m_candidates;
    std::string m_musicPath;
    std::string m_chosenPath;
    std::string m_searchFolder;
    std::array<std::string, 11> m_levelFolders;
    int m_searchOrder = 0;
    bool m_allLevelsByDefault = false;
    int m_namingMode = 0;
    int m_marryOnOk = 0;
    int m_source = kDatabase;
    int m_showMode = 0;
    std::string m_firstField;
    std::string m_secondField;
    std::string m_firstCaption = "Label:";
    std::string m_secondCaption = "Title:";
    std::vector<CMemArray> m_rows;
    int m_rowCount = 0;

    CQuickList m_list;
    CButtonST m_searchFirstButton;
    CButtonST m_clearButton;
    CButtonST m_viewButton;
    CButtonST m_searchSecondButton;
    CButtonST m_resetFolderButton;
    CButtonST m_chooseFolderButton;
    CComboBox m_showModeCombo;
    CMusicDb m_db;
    CUtilityDb m_utilityDb;
    MyFunctions m_fn;
};
