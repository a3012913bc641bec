#pragma once
// The music manager's choice between one CSV file and one CSV file beside
// each music file, for its export and (with "Include subdirectories") its import.
#include "platform/win/Dialog.h"

class CMusicManagerExport : public CDialogEx {
public:
    enum { IDD = 466 };
    // importForm 1: the import wording and the sub-folder box; otherwise export.
    CMusicManagerExport(int importForm, CWnd* parent);

    // 0 one file (also OK untouched), 1 multiple files, -1 Cancel.
    int GetMode() const { return m_mode; }
    int GetIncludeSubdirs() const { return m_includeSubdirs; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    void OnCancel() override;
    void OnOneFile();
    void OnMultipleFiles();
    void OnIncludeSubdirs();
    DECLARE_MESSAGE_MAP()

private:
    int m_import;
    int m_mode = 0;
    int m_includeSubdirs = 0;
};
