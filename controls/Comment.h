#pragma once
// The comment prompt (template 414): the caller writes or edits the comment of
// a song or of a song marker. Run modally; the caller takes the text only
// when IsConfirmed, so Cancel keeps its old comment.
#include "platform/win/Dialog.h"
#include "store/MusicDb.h"

#include <string>

class CComment : public CDialogEx {
public:
    enum { IDD = 414 };
    explicit CComment(const std::string& text = {}, CWnd* parent = nullptr);

    bool IsConfirmed() const { return m_confirmed != 0; }
    std::string GetText() const { return m_text; }

protected:
    void DoDataExchange(CDataExchange* dx) override;

    DECLARE_MESSAGE_MAP()
    void OnOkButton();
    void OnCancelButton() { OnCancel(); }

private:
    std::string m_text;
    int m_confirmed = 0;
    CMusicDb m_db;
};
