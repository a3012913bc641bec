#include "import/ImportOldWorker.h"

#include "app/CallRecorder.h"

void CImportOldWorker::ImportMarkedFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportMarkedFromDb", dbPath);
}

void CImportOldWorker::ImportMemoryFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportMemoryFromDb", dbPath);
}

void CImportOldWorker::ImportTrackFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportTrackFromDb", dbPath);
}

void CImportOldWorker::ImportHotkeysFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportHotkeysFromDb", dbPath);
}

void CImportOldWorker::ImportStylesheetFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportStylesheetFromDb", dbPath);
}

void CImportOldWorker::ImportMarryFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportMarryFromDb", dbPath);
}

void CImportOldWorker::ImportSettingsFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportSettingsFromDb", dbPath);
}

void CImportOldWorker::ImportMusicFromDb(const std::string& dbPath)
{
    CALLREC("CImportOldWorker::ImportMusicFromDb", dbPath);
}

bool CImportOldWorker::ImportMarkedFile(const std::string& file, int list)
{
    CALLREC("CImportOldWorker::ImportMarkedFile", file, list);
    return true;
}

bool CImportOldWorker::ImportMemoryFile(const std::string& file)
{
    CALLREC("CImportOldWorker::ImportMemoryFile", file);
    return true;
}

bool CImportOldWorker::ImportMarryFile(const std::string& file)
{
    CALLREC("CImportOldWorker::ImportMarryFile", file);
    return true;
}

bool CImportOldWorker::ImportTrackFile(const std::string& file)
{
    CALLREC("CImportOldWorker::ImportTrackFile", file);
    return true;
}

bool CImportOldWorker::ImportSettingsFile(const std::string& file)
{
    CALLREC("CImportOldWorker::ImportSettingsFile", file);
    return true;
}

bool CImportOldWorker::ImportLoopFile(const std::string& file)
{
    CALLREC("CImportOldWorker::ImportLoopFile", file);
    return true;
}
