#pragma once
// The legacy import dialog (template 233): what to bring over from an older
// version and where it lies, a folder of its data files (mode 0) or its
// database file (mode 1). Each mode hides the controls of the other.
#include "platform/win/Dialog.h"
#include "platform/win/EditBrowseCtrl.h"
#include "platform/win/MFCButton.h"

#include <string>

class CImportOld : public CDialogEx {
public:
    enum { IDD = 233 };
    CImportOld(int mode, CWnd* parent = nullptr);

    // The eight check boxes: nonzero imports that part.
    int GetImportMarked() const { return m_importMarked; }
    int GetImportMemory() const { return m_importMemory; }
    int GetImportTrack() const { return m_importTrack; }
    int GetImportHotkeys() const { return m_importHotkeys; }
    int GetImportStylesheet() const { return m_importStylesheet; }
    int GetImportMarry() const { return m_importMarry; }
    int GetImportSettings() const { return m_importSettings; }
    int GetImportMusic() const { return m_importMusic; }
    // The older database file (mode 1) or the folder of older files (mode 0).
    std::string GetPath() const { return m_mode == 1 ? m_databasePath : m_folderPath; }
    int GetMode() const { return m_mode; }

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    DECLARE_MESSAGE_MAP()
    void OnClickedSettings() { Toggle(m_importSettings); }
    void OnClickedMusic() { Toggle(m_importMusic); }
    void OnClickedMarry() { Toggle(m_importMarry); }
    void OnClickedMarked() { Toggle(m_importMarked); }
    void OnClickedTrack() { Toggle(m_importTrack); }
    void OnClickedMemory() { Toggle(m_importMemory); }
    void OnClickedStylesheet() { Toggle(m_importStylesheet); }
    void OnClickedHotkeys() { Toggle(m_importHotkeys); }
    void OnClickedOk();
    void OnClickedCancel() { OnCancel(); }

private:
    void Toggle(int& flag);

    int m_mode = 0;
    int m_importSettings = 0;
    int m_importMusic = 0;
    int m_importMarry = 0;
    int m_importMarked = 0;
    int m_importTrack = 0;
    int m_importMemory = 0;
    int m_importHotkeys = 0;
    int m_importStylesheet = 0;
    // The edits' browse buttons (folder and file) and the two picture buttons.
    CMFCEditBrowseCtrl m_folderBrowse;
    CMFCEditBrowseCtrl m_fileBrowse;
    CMFCButton m_ok;
    CMFCButton m_cancel;
    std::string m_folderPath;
    std::string m_databasePath;
};
