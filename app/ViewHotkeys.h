#pragma once
// The hotkeys view (template 394): what every key does, as plain text. The
// letter, comma, dot and minus keys are named after the function table
// hotkeys gives them; the text is a snapshot until BuildText runs again.
#include "platform/win/Controls.h"
#include "controls/ToolDialog.h"
#include "store/ResourceIds.h"
#include "store/MusicDb.h"

#include <string>

class CViewHotkeys : public CToolDialog {
public:
    enum { IDD = IDD_HOTKEYS_VIEW };
    explicit CViewHotkeys(CWnd* parent = nullptr);

    // Number of hotkey functions; names are indexed 0 .. kFunctionCount - 1.
    static constexpr int kFunctionCount = 87;
    // The display name of a function number ("*** No Function ***" for 0 and
    // for numbers no function has).
    static std::string FunctionName(int function);
    // "<key> - <name of the function>".
    static std::string FunctionLine(int function, const std::string& key);

    // Builds its text from table hotkeys and shows it.
    void BuildText();

    // Background takes the dialog colour.
    void ApplyDialogColor();

    // Moves to its saved place, kept on the screen.
    void PlaceWindow();

    const std::string& Text() const { return m_list; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnSinkChange();

    DECLARE_MESSAGE_MAP()

private:
    CMusicDb m_db;
    std::string m_sink; // text of the hidden focus sink 1004
    std::string m_list; // the text shown in 1277
};
