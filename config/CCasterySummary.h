#pragma once

#include <string>

#include "config/CProfilePathResolver.h"

// Reads the summary file of the Castery folder (summary.INI in the source directory) into
// theSettings.m_Summary, or writes the commented default file there when it is missing. The
// source directory is taken as the generator takes it (see CProfilePathResolver); when it
// leads nowhere the user is told and nothing is read or written.
// Lives for one call of LoadSummary during start-up.
class CCasterySummary {
public:
    CCasterySummary() = default;
    virtual ~CCasterySummary() = default;

    // Always true. The application's profile file name is the same afterwards as before.
    bool LoadSummary();
    // Where the summary file is read from, as composed from the source directory.
    std::string GetReadPath() const;
    // The file on this system that GetReadPath names, or why there is none.
    CProfilePathResolver::Result LocateSummary() const;
    // Where the default file is written to, as composed; shows the path in a message box on
    // every call, with the file it names on this system where that is written differently.
    std::string GetWritePath() const;
    // Always true; tells the user when the file cannot be written.
    bool WriteDefaultFile();

    void SaveProfileName();
    // Points the application's profile functions at the summary file.
    void UseSummaryProfile(const std::string& file);
    void RestoreProfileName();

private:
    static CProfilePathResolver::Result Resolve(const std::string& path);
    // path, followed by the file it names on this system where that is written differently.
    static std::string Shown(const std::string& path);

    std::string m_strSavedProfile;
    bool m_bUseCasteryFolder = false;
};

// True when anything (file, folder, ...) exists at path.
bool FileExists(const std::string& path);
