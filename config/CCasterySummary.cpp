#include "config/CCasterySummary.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "config/CKvlApplication.h"
#include "config/CProfilePathResolver.h"
#include "fileio/CTextFileWriter.h"
#include "fileio/PathText.h"

namespace {

constexpr const char* kSummaryFileName = "summary.INI";

// The default summary file, line by line.
constexpr const char* kDefaultLines[] = {
    "; Prefab Castery Summary Data File",
    ";",
    "[general]",
    ";",
    "; The description field should provide a brief friendly description of",
    "; the style of map that will be produced by using this Prefab Castery.",
    "description=not yet described",
    ";",
    "; The gen_class_name field must match the name of the class that",
    "; is required to generate maps using this Castery.",
    "gen_class_name=Generic",
    ";",
    "; The game_type field must be one of the following values:",
    "; 1= Quake",
    "; 2= Quake II",
    "; 3= Hexen II",
    "game_type=2",
    ";",
    "; The quantum_unit fields must equal the quantum unit size you have de-",
    "; cided upon for this Castery.",
    "quantum_unit_x=256",
    "quantum_unit_y=256",
    "quantum_unit_z=256",
};

}  // namespace

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

CCasterySummary::CCasterySummary(std::string strSourceDir, std::string strProfilePath)
    : m_strSourceDir(std::move(strSourceDir)), m_strProfilePath(std::move(strProfilePath)) {}

bool CCasterySummary::LoadSummary(SummaryInfo& summary) {
    const CProfilePathResolver::Result file = LocateSummary();
    if (!file.Resolved()) {
        // Nothing is read or written: the folder the profile means is not known.
        KvlMessageBox("Couldn't find the folder!\n" + GetReadPath() + "\n" + file.strError);
        return true;
    }
    SaveProfileName();
    UseSummaryProfile(file.strPath);
    const CKvlApplication& app = CKvlApplication::Current();
    if (FileExists(app.GetProfileName())) {
        summary.m_strDescription = app.GetProfileString("general", "description", "");
        summary.m_strGenClassName = app.GetProfileString("general", "gen_class_name", "");
        summary.m_nGameType = static_cast<int32_t>(app.GetProfileInt("general", "game_type", 0));
        summary.m_nQuantumUnitX =
            static_cast<int32_t>(app.GetProfileInt("general", "quantum_unit_x", 0));
        summary.m_nQuantumUnitY =
            static_cast<int32_t>(app.GetProfileInt("general", "quantum_unit_y", 0));
        summary.m_nQuantumUnitZ =
            static_cast<int32_t>(app.GetProfileInt("general", "quantum_unit_z", 0));
        RestoreProfileName();
        return true;
    }
    m_bUseCasteryFolder = true;
    RestoreProfileName();
    WriteDefaultFile();
    return true;
}

CProfilePathResolver::Result CCasterySummary::LocateSummary() const {
    return Resolve(GetReadPath());
}

std::string CCasterySummary::GetReadPath() const {
    const std::string strSeparator =
        m_strSourceDir.size() < 3 ? std::string(1, PathText::kSeparator) : "";
    return m_strSourceDir + strSeparator + kSummaryFileName;
}

std::string CCasterySummary::GetWritePath() const {
    std::string strPath = PathText::Join(m_strSourceDir, kSummaryFileName);
    KvlMessageBox(std::string("m_bUseCasteryFolder: ") + (m_bUseCasteryFolder ? "true" : "false") +
                  "\n" + Shown(strPath));
    return strPath;
}

bool CCasterySummary::WriteDefaultFile() {
    CTextFileWriter writer;
    const std::string strPath = GetWritePath();
    const CProfilePathResolver::Result file = Resolve(strPath);
    if (!file.Resolved() || !writer.Open(file.strPath, "wt")) {
        KvlMessageBox("Couldn't open file!\n" + Shown(GetWritePath()));
        return true;
    }
    for (const char* pszLine : kDefaultLines) {
        writer.WriteLine(pszLine);
    }
    // The file appears whole or not at all; a failed write leaves none, so the user is told
    // instead of finding the folder without its summary file.
    if (!writer.Close()) {
        KvlMessageBox("Couldn't write file!\n" + Shown(strPath));
    }
    return true;
}

CProfilePathResolver::Result CCasterySummary::Resolve(const std::string& path) const {
    return CProfilePathResolver(m_strProfilePath).Resolve(path);
}

std::string CCasterySummary::Shown(const std::string& path) const {
    const CProfilePathResolver::Result file = Resolve(path);
    return file.Resolved() && file.strPath != path ? path + "\nwhich is " + file.strPath : path;
}

void CCasterySummary::SaveProfileName() {
    m_strSavedProfile = CKvlApplication::Current().GetProfileName();
}

void CCasterySummary::UseSummaryProfile(const std::string& file) {
    CKvlApplication::Current().SetProfileName(file);
}

void CCasterySummary::RestoreProfileName() {
    CKvlApplication::Current().SetProfileName(m_strSavedProfile);
}
