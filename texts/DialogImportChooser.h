#pragma once
// The windows' answers to an import's questions: the folder picker, the
// file-open dialog and the level picker, each owned by the given window.
#include "store/ImportChooser.h"

class CWnd;

class CDialogImportChooser : public CImportChooser {
public:
    explicit CDialogImportChooser(CWnd* owner = nullptr) : m_owner(owner) {}

    std::string ChooseFolder() override;
    std::string ChooseFile(const std::string& defaultExt, const std::string& filter) override;
    // Empty when the picker is closed without OK.
    std::string ChooseLevel() override;

private:
    CWnd* m_owner;
};
