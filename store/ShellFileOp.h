#pragma once
// Copies files the way the shell's file operation does: several sources into
// one folder, or one source under a new name; a missing destination folder is
// created. Used on the stack for one operation.
#include "platform/win/Shell.h"

#include <string>
#include <vector>

class CShellFileOp {
public:
    // Results other than 0
    static constexpr int kNoSource = 2;       // a source file is missing
    static constexpr int kAccessDenied = 5;   // a file could not be read or written
    static constexpr int kFileExists = 80;    // the destination exists and may not be replaced
    static constexpr int kSameFile = 0x71;    // a file copied onto itself
    static constexpr int kInvalidFiles = 0x7C; // no source given

    CShellFileOp() = default;
    virtual ~CShellFileOp() = default;

    // toDestination 1: the destination list, 0: the source list.
    void AddFile(int toDestination, const std::string& path);
    void SetOwnerWindow(HWND owner) { m_owner = owner; }
    // FOF_ flags; the program passes 0x294 (silent, replace without asking, files only, create folders).
    void SetFlags(unsigned flags) { m_flags = flags; }
    // 0 when every file was copied.
    int Copy();

    const std::vector<std::string>& Sources() const { return m_sources; }
    const std::vector<std::string>& Destinations() const { return m_destinations; }

private:
    std::vector<std::string> m_sources;
    std::vector<std::string> m_destinations;
    HWND m_owner = nullptr;
    unsigned m_flags = 0;
};
