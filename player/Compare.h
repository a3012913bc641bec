#pragma once
// The music search of a song list (template 229, run modally): one of eleven
// criteria with its values; the last search of each list is kept as that
// list's preset. Also the tests the song lists' filter applies to each song.
#include "platform/win/ComboBox.h"
#include "platform/win/DateTimeCtrl.h"
#include "platform/win/Dialog.h"
#include "platform/win/ListBox.h"
#include "platform/win/SpinButtonCtrl.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <ctime>
#include <functional>
#include <string>

// What the song lists' filter asks of each song (types 1 to 11).
namespace musicfilter {

struct Search {
    std::string text;   // the dance name (types 1 to 3) or the title text (8)
    int exact = 0;      // whole dance names only
    int list = 1;       // the song list 1..3
    int marksListDir = 0; // "music - markslistdir": marks are kept per playlist or folder
    // The list's real source (its playlist or folder), never the caption a
    // filter puts above it: marks are kept under the source.
    std::string source;
    std::time_t after = 0, before = 0;
    int rateLow = 0, rateHigh = 9;
    // The lyrics reference of a song (fewer than 4 characters: none).
    std::function<std::string(const std::string& path)> findLyrics;
};

// Whether the song (full path, file title) passes the filter type; the
// database calls run on the access object's open batch.
bool Passes(int type, const std::string& path, const std::string& title, const Search& search, CMusicDb& db);

// The filter type of a criterion 0..10 of the search dialog.
int TypeOfCriterion(int criterion);

} // namespace musicfilter

class CCompare : public CDialogEx {
public:
    enum { IDD = 229 };
    CCompare(const std::string& danceName, int preset, std::time_t before, std::time_t after, CWnd* parent = nullptr);

    int GetSelection() const { return m_criterion; }
    std::string GetDanceName() const { return m_danceName; }
    std::string GetSearchText() const { return m_searchText; }
    std::time_t GetBeforeDate() const { return m_before; }
    std::time_t GetAfterDate() const { return m_after; }
    int GetRateLow() const { return m_rateLow; }
    int GetRateHigh() const { return m_rateHigh; }
    bool GetTextExact() const { return m_exact != 0; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnOkButton();
    void OnCancelButton() { OnCancel(); }
    void OnCriterion(UINT id);
    void OnExactToggle();
    void OnTitleFocus();
    void OnTextKillFocus() { UpdateData(TRUE); }
    void OnRateKillFocus();
    void OnNameSelChange();
    void OnNameDoubleClick();
    void OnTimer(UINT_PTR id);
    BOOL OnHelpInfo(HELPINFO* info);

private:
    void ShowCriterion();

    int m_criterion = 0;
    int m_exact = 0;
    std::string m_searchText;
    std::string m_danceName;
    int m_rateLow = 0, m_rateHigh = 9;
    std::time_t m_before, m_after;
    int m_preset;
    CListBox m_names;
    CSpinButtonCtrl m_lowSpin, m_highSpin;
    CDateTimeCtrl m_afterPicker, m_beforePicker;
    CMusicDb m_db;
    MyFunctions m_fn;
};
