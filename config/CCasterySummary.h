#pragma once

#include <cstdint>
#include <string>

#include "config/CProfilePathResolver.h"

// The values of a Castery's summary file; those of the default file until one is read.
struct SummaryInfo {
    std::string m_strDescription;
    std::string m_strGenClassName;
    int32_t m_nGameType = 2;
    int32_t m_nQuantumUnitX = 256;
    int32_t m_nQuantumUnitY = 256;
    int32_t m_nQuantumUnitZ = 256;
};

// Reads the summary file of the Castery folder (summary.INI in the source directory), or
// writes the commented default file there when it is missing. The source directory is taken
// as the generator takes it, relative to the profile's folder (see CProfilePathResolver); when
// it leads nowhere the user is told and nothing is read or written.
// Lives for one call of LoadSummary during start-up.
class CCasterySummary {
public:
    CCasterySummary(std::string strSourceDir, std::string strProfilePath);
    virtual ~CCasterySummary() = default;

    // Reads the file into summary, which keeps its values when there is none. Always true.
    // The application's profile file name is the same afterwards as before.
    bool LoadSummary(SummaryInfo& summary);
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
    CProfilePathResolver::Result Resolve(const std::string& path) const;
    // path, followed by the file it names on this system where that is written differently.
    std::string Shown(const std::string& path) const;

    std::string m_strSourceDir;
    std::string m_strProfilePath;  // the generator's profile, which relative paths start from
    std::string m_strSavedProfile;
    bool m_bUseCasteryFolder = false;
};

// True when anything (file, folder, ...) exists at path.
bool FileExists(const std::string& path);
