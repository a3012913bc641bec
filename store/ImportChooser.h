#pragma once
// What an import asks the user before it reads anything: a folder, a file or
// a dance level. The windows answer with their pickers (folder picker,
// file-open dialog, level picker); tests answer directly. An empty answer
// means the user cancelled.
#include <string>

class CImportChooser {
public:
    virtual ~CImportChooser() = default;

    // A folder chosen with the folder picker, started with no folder.
    virtual std::string ChooseFolder() = 0;
    // A file chosen in the file-open dialog with this default extension and
    // filter ("All Files (*.*)|*.*||").
    virtual std::string ChooseFile(const std::string& defaultExt, const std::string& filter) = 0;
    // A level code "basic" .. "c4" chosen in the level picker.
    virtual std::string ChooseLevel() = 0;
};
