#include "tools/CCheckCommand.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <map>
#include <vector>

#include "definition/CKvlReader.h"
#include "tools/CFolderListing.h"
#include "tools/CKvlTextFormatter.h"
#include "tools/CSubCellAudit.h"
#include "tools/CSummaryAudit.h"
#include "tools/ToolExitCode.h"

namespace {

constexpr const char* kSummaryName = "summary.INI";

class CCollectionChecker {
public:
    CCollectionChecker(const std::string& folder, const CFolderListing& listing)
        : m_strFolder(folder), m_Listing(listing) {}

    std::vector<std::string> Run() {
        CheckSummary();
        const std::vector<std::string> definitions = m_Listing.WithExtension(".kvl");
        if (definitions.empty()) {
            Report(m_strFolder, "holds no .KVL definitions");
        }
        for (const std::string& name : definitions) {
            CheckDefinition(m_Listing.PathOf(name));
        }
        CheckIdentifiers();
        return std::move(m_Problems);
    }

private:
    void Report(const std::string& where, const std::string& what) {
        m_Problems.push_back(where + ": " + what);
    }

    void CheckSummary() {
        const std::optional<std::string> name = m_Listing.Find(kSummaryName);
        if (!name) {
            Report(m_Listing.PathOf(kSummaryName), "missing");
            return;
        }
        const std::string path = m_Listing.PathOf(*name);
        for (const std::string& problem : CSummaryAudit::Audit(path)) {
            Report(path, problem);
        }
    }

    void CheckDefinition(const std::string& path) {
        const KvlReadResult result = CKvlReader::ReadFile(path);
        if (!result.IsOk()) {
            m_Problems.push_back(CKvlTextFormatter::FormatNote(
                path, result.m_Error, result.eStatus == KvlReadResult::Status::Corrupt));
            return;
        }
        for (const KvlReadNote& warning : result.m_Warnings) {
            m_Problems.push_back(CKvlTextFormatter::FormatNote(path, warning));
        }
        const CKvlDefinition& definition = result.m_Definition;
        if (definition.m_strMapFile.empty()) {
            Report(path, "names no map file");
        } else if (!m_Listing.Find(definition.m_strMapFile)) {
            Report(path, "the map file " + CKvlTextFormatter::Quote(definition.m_strMapFile) +
                             " is not in the folder");
        }
        for (const std::string& problem : CSubCellAudit::Audit(definition)) {
            Report(path, problem);
        }
        m_Users[definition.m_nId].push_back(path);
    }

    void CheckIdentifiers() {
        for (const auto& [nId, paths] : m_Users) {
            if (paths.size() < 2) {
                continue;
            }
            std::string list;
            for (const std::string& path : paths) {
                list += (list.empty() ? "" : ", ") + path;
            }
            Report(m_strFolder, "identifier " + std::to_string(nId) + " is used by " +
                                    std::to_string(paths.size()) + " definitions: " + list);
        }
    }

    const std::string& m_strFolder;
    const CFolderListing& m_Listing;
    std::map<uint32_t, std::vector<std::string>> m_Users;
    std::vector<std::string> m_Problems;
};

}  // namespace

CLI::App* CCheckCommand::Register(CLI::App& app) {
    CLI::App* pCheck = app.add_subcommand("check", "Check a prefab collection folder");
    pCheck->footer(
        "Checks summary.INI, that every .KVL reads, names a map file of the folder and covers "
        "its block once, and that no identifier is used twice. One line per problem.\n"
        "Example: kvltool check maps/S2");
    pCheck->add_option("FOLDER", m_strFolder, "the collection's folder")->required();
    return pCheck;
}

int CCheckCommand::Run(std::ostream& out, std::ostream& err) {
    if (m_strFolder.empty()) {
        // An empty name would otherwise mean the current folder to the system.
        err << "the folder name is empty\n";
        return ToolExitCode::kUsageOrIoError;
    }
    CFolderListing listing;
    if (!listing.Read(m_strFolder)) {
        err << m_strFolder << ": no folder that can be read\n";
        return ToolExitCode::kUsageOrIoError;
    }
    const std::vector<std::string> problems = CCollectionChecker(m_strFolder, listing).Run();
    for (const std::string& problem : problems) {
        out << problem << '\n';
    }
    if (problems.empty()) {
        err << m_strFolder << ": no problems found\n";
        return ToolExitCode::kAllWell;
    }
    err << m_strFolder << ": " << problems.size() << " problem(s) found\n";
    return ToolExitCode::kProblemsFound;
}
