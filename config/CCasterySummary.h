#pragma once

#include <string>

// Reads the summary file of the Castery folder (summary.INI in the source directory) into
// theSettings.m_Summary, or writes the commented default file there when it is missing.
// Lives for one call of LoadSummary during start-up.
class CCasterySummary {
public:
    CCasterySummary() = default;
    virtual ~CCasterySummary() = default;

    // Always true. The application's profile file name is the same afterwards as before.
    bool LoadSummary();
    // Where the summary file is read from.
    std::string GetReadPath() const;
    // Where the default file is written to; shows the path in a message box on every call.
    std::string GetWritePath() const;
    // Always true; tells the user when the file cannot be written.
    bool WriteDefaultFile();

    void SaveProfileName();
    // Points the application's profile functions at the summary file.
    void UseSummaryProfile();
    void RestoreProfileName();

private:
    std::string m_strSavedProfile;
    bool m_bUseCasteryFolder = false;
};

// True when anything (file, folder, ...) exists at path.
bool FileExists(const std::string& path);
