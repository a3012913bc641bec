#pragma once
// The cue-sheet editor (template 323): the record's label, title and caller,
// eight lines each of Opener, Figure, Middle Break and Closer with a lyrics
// mark per line, a tag and additional lyrics, the layout of the printed sheet
// and the seven-figures choice. It writes the sheet as an HTML page that
// links "cuesheet2.css", saved where the user says or shown through
// "tempsheet.html" in the data folder.
#include "controls/ButtonST.h"
#include "controls/PPToolTip.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"
#include "platform/win/ComboBox.h"
#include "platform/win/Dialog.h"

#include <string>

class CCueSheet : public CDialogEx {
public:
    enum { IDD = 323 };
    // The parts of a sheet, in the order of their line tables.
    enum Part { kOpener = 0, kFigure = 1, kMiddleBreak = 2, kCloser = 3 };
    static constexpr int kLines = 8;

    explicit CCueSheet(CWnd* parent = nullptr);
    ~CCueSheet() override;

    BOOL PreTranslateMessage(MSG* msg) override;

    // The page of the sheet as it stands in the members and the lists.
    std::string BuildHtml();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Closing the window tells the main window (937), which destroys it.
    void OnCancel() override;
    void OnOK() override {}

    DECLARE_MESSAGE_MAP()
    void OnClearOpener() { ClearPart(kOpener); }
    void OnClearFigure() { ClearPart(kFigure); }
    void OnClearMiddleBreak() { ClearPart(kMiddleBreak); }
    void OnClearCloser() { ClearPart(kCloser); }
    void OnCopyToMiddleBreak() { CopyOpenerTo(kMiddleBreak); }
    void OnCopyToCloser() { CopyOpenerTo(kCloser); }
    void OnDatabase();
    void OnClearAll();
    void OnView();
    void OnSave();
    void OnLyricsMark(UINT id);
    void OnSevenFigures();
    void OnOpenerPattern();
    void OnMiddleBreakPattern();
    void OnCloserPattern();
    // Every line, property, tag and lyrics edit is read in when it loses the focus.
    void OnEditDone(UINT) { UpdateData(TRUE); }
    BOOL OnHelpInfo(HELPINFO* info);

private:
    struct Lines {
        std::string text[kLines];
        int mark[kLines] = {};
    };

    // Patterns: heading, lines 1 to 6 and all eight marks of a part.
    void ApplyCircleLeft(Part part);
    void ApplyGrandSquare(Part part);
    void ApplyLadiesChain(Part part);
    void ApplyEmptyPattern(Part part);
    void ApplyPattern(Part part, int pattern);
    void EnableMiddleBreak(bool enable) { EnablePart(kMiddleBreak, enable); }
    void EnableCloser(bool enable) { EnablePart(kCloser, enable); }
    void EnablePart(Part part, bool enable);
    void ClearPart(Part part);
    void CopyOpenerTo(Part target);
    CComboBox& PatternList(Part part);
    // The index of a part's pattern list, selection and heading: opener 0, middle break 1, closer 2.
    int HeadingIndex(Part part) const;

    bool CheckProperties();
    // Writes the page to the file through a temporary file; false, with a box, when it cannot.
    bool WriteHtmlFile(const std::string& path, const std::string& html);

    // ---- the page
    std::string WriteHead() const;
    static std::string WriteEnd() { return "</BODY></HTML>"; }
    static std::string FormatLine(const std::string& text, int mark);
    std::string PartLines(Part part) const;
    std::string PatternLine(Part part) const;
    std::string TableParagraph() const;
    std::string PartHeading(Part part) const;
    std::string WriteOpener(Part kind) const;
    std::string WriteFigure() const;
    std::string WriteMiddleBreak(Part kind) const;
    std::string WriteCloser() const;
    std::string WriteTagAndLyrics() const;
    // The middle break's own lines, the opener's, or the closer's ("Same as Closer").
    enum class Source { Own, Opener, Closer, Nothing };
    Source MiddleBreakSource() const;

    CPPToolTip m_tooltip;
    MyFunctions m_fn;
    CMusicDb m_settings;

    CComboBox m_layoutList;
    CComboBox m_patternList[3]; // opener, middle break, closer
    CButtonST m_buttons[10];

    std::string m_label;
    std::string m_title;
    std::string m_caller;
    Lines m_parts[4];
    std::string m_heading[3]; // opener, middle break, closer
    std::string m_tag;
    int m_tagMark = 0;
    std::string m_lyrics;
    int m_lyricsMark = 0;
    int m_sevenFigures = 0;
    std::string m_lyricsFolder;
    // The list selections the page is built from, read when it is built.
    int m_pattern[3] = {0, 0, 0};
    int m_layout = 0;
};
