#pragma once
// The user settings dialog "Mirtal - User Settings" (template 407), run
// modally from Options > User Settings, on a first run and after a restore of
// the databases: how music files are named, where and in what order lyrics
// are searched for, the lyrics folder, the folder the music file dialogs
// start in, and on request a shortcut to the program on the desktop.
#include "controls/ButtonST.h"
#include "platform/win/Dialog.h"
#include "store/MusicDb.h"
#include "store/MyFunctions.h"

#include <string>

class CGlobal : public CDialogEx {
public:
    enum { IDD = 407 };
    explicit CGlobal(CWnd* parent = nullptr);

    // Values as the dialog holds them (after OnInitDialog, Default or the controls).
    int NamingScheme() const { return m_naming; }
    int SearchOrder() const { return m_searchOrder; }
    int SearchKey() const { return m_searchKey; }
    int LyricsFolderChoice() const { return m_lyricsChoice; }
    int MusicFolderChoice() const { return m_musicChoice; }
    const std::string& LyricsFolder() const { return m_lyricsFolder; }
    const std::string& MusicFolder() const { return m_musicFolder; }
    bool CreatesShortcut() const { return m_shortcut != 0; }

    // The shortcut's file: the desktop folder of the user and "mirtal.desktop".
    static std::string ShortcutPath(CWnd* owner);
    // Writes a shortcut to the target on the desktop; false when it could not be written.
    static bool CreateDesktopShortcut(CWnd* owner, const std::string& target, WORD hotKey);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
    void OnRadio(UINT id);
    void OnShortcut();
    void OnBrowseLyrics();
    void OnBrowseMusic();
    void OnDefault();
    void OnOkButton();
    void OnCancelButton() { OnCancel(); }

private:
    // Asks for a folder starting at the field's; a folder chosen goes into it and sets the choice.
    void Browse(std::string& folder, int& choice, int chosen);
    // The data folder's folder of that name.
    std::string DataFolder(const char* name) const;

    CMusicDb m_db;
    MyFunctions m_fn;
    CButtonST m_lyricsBrowse;
    CButtonST m_musicBrowse;
    int m_naming = 0;
    int m_musicChoice = 0;
    std::string m_musicFolder;
    int m_lyricsChoice = 0;
    std::string m_lyricsFolder;
    int m_searchOrder = 0;
    int m_searchKey = 0;
    int m_shortcut = 0;
};
