#include "tools/CCommandCheck.h"

#include <CLI/CLI.hpp>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "definition/KvlReader.h"
#include "tools/CFolderListing.h"
#include "tools/ExitLetters.h"
#include "tools/KvlTextFormatter.h"
#include "tools/SubCellAudit.h"
#include "tools/SummaryAudit.h"
#include "tools/ToolExitCode.h"

namespace {

constexpr const char* kSummaryName = "summary.INI";

bool UsableDimensions(const CKvlDefinition& definition) {
    return definition.m_nDimX > 0 && definition.m_nDimY > 0 && definition.m_nDimZ > 0 &&
           CKvlDefinition::DimensionsWithinLimit(definition.m_nDimX, definition.m_nDimY,
                                                 definition.m_nDimZ);
}

class CCollectionChecker {
public:
    CCollectionChecker(const std::string& folder, const CFolderListing& listing,
                       const CMeasureOptions& options, bool bExits)
        : m_strFolder(folder), m_Listing(listing), m_Options(options), m_bExits(bExits) {}

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
        for (const std::string& problem : SummaryAudit::Audit(path)) {
            Report(path, problem);
        }
    }

    void CheckDefinition(const std::string& path) {
        const KvlReader::Result result = KvlReader::ReadFile(path);
        if (!result.IsOk()) {
            m_Problems.push_back(KvlTextFormatter::FormatNote(
                path, result.m_Error, result.m_eStatus == KvlReader::Result::Status::Corrupt));
            return;
        }
        for (const KvlReader::Note& warning : result.m_Warnings) {
            m_Problems.push_back(KvlTextFormatter::FormatNote(path, warning));
        }
        const CKvlDefinition& definition = result.m_Definition;
        const std::optional<std::string> mapName = definition.m_strMapFile.empty()
                                                       ? std::nullopt
                                                       : m_Listing.Find(definition.m_strMapFile);
        if (definition.m_strMapFile.empty()) {
            Report(path, "names no map file");
        } else if (!mapName) {
            Report(path, "the map file " + KvlTextFormatter::Quote(definition.m_strMapFile) +
                             " is not in the folder");
        }
        const std::vector<std::string> problems = SubCellAudit::Audit(definition);
        for (const std::string& problem : problems) {
            Report(path, problem);
        }
        if (mapName) {
            CompareWithMap(path, definition, m_Listing.PathOf(*mapName));
        }
        m_Users[definition.m_nId].push_back(path);
    }

    void CompareWithMap(const std::string& path, const CKvlDefinition& definition,
                        const std::string& mapPath) {
        MapMeasurement measurement;
        std::string error;
        bool bUnreadable = false;
        if (!m_Options.MeasureFile(mapPath, measurement, error, bUnreadable)) {
            m_Problems.push_back(error);
            return;
        }
        const auto [nX, nY, nZ] = measurement.dims;
        if (!UsableDimensions(definition)) {
            return;  // the audit has said why
        }
        if (definition.m_nDimX != nX || definition.m_nDimY != nY || definition.m_nDimZ != nZ) {
            Report(path, "the dimensions " +
                             KvlTextFormatter::FormatDimensions(
                                 definition.m_nDimX, definition.m_nDimY, definition.m_nDimZ) +
                             " differ from its map's " +
                             KvlTextFormatter::FormatDimensions(nX, nY, nZ));
            return;
        }
        if (m_bExits) {
            CompareExits(path, definition, measurement);
        }
    }

    // Called only with dimensions that agree with the map's, so within the sub cell limit.
    void CompareExits(const std::string& path, const CKvlDefinition& definition,
                      const MapMeasurement& measurement) {
        // Plain variables: clang 14 cannot capture a structured binding in a lambda.
        const int32_t nX = measurement.dims[0], nY = measurement.dims[1], nZ = measurement.dims[2];
        const auto Index = [&](int32_t x, int32_t y, int32_t z) {
            return (static_cast<size_t>(x) * nY + y) * nZ + z;
        };
        const size_t nCells = static_cast<size_t>(nX) * nY * nZ;
        std::vector<uint16_t> given(nCells, 0);
        std::vector<uint16_t> suggested(nCells, 0);
        for (const SubCell& cell : definition.m_SubCells) {
            if (cell.nX >= 0 && cell.nX < nX && cell.nY >= 0 && cell.nY < nY && cell.nZ >= 0 &&
                cell.nZ < nZ) {
                given[Index(cell.nX, cell.nY, cell.nZ)] |= cell.GetExits();
            }
        }
        for (const SuggestedExit& cell : measurement.exits) {
            suggested[Index(cell.nX, cell.nY, cell.nZ)] = cell.nExits;
        }
        for (int32_t x = 0; x < nX; ++x) {
            for (int32_t y = 0; y < nY; ++y) {
                for (int32_t z = 0; z < nZ; ++z) {
                    const size_t i = Index(x, y, z);
                    ReportExitDifferences(path, x, y, z, given[i], suggested[i]);
                }
            }
        }
    }

    void ReportExitDifferences(const std::string& path, int32_t x, int32_t y, int32_t z,
                               uint16_t nGiven, uint16_t nSuggested) {
        for (uint16_t nSide = 1; nSide <= 8; nSide <<= 1) {
            if ((nGiven & nSide) == (nSuggested & nSide)) {
                continue;
            }
            const std::string cell = "sub cell (" + std::to_string(x) + ", " + std::to_string(y) +
                                     ", " + std::to_string(z) + ") side " +
                                     ExitLetters::Format(nSide);
            Report(path, cell + (nGiven & nSide ? " is an exit, but the map is closed there"
                                                : " is no exit, but the map is open there"));
        }
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
    const CMeasureOptions& m_Options;
    bool m_bExits;
    std::map<uint32_t, std::vector<std::string>> m_Users;
    std::vector<std::string> m_Problems;
};

}  // namespace

CLI::App* CCommandCheck::Register(CLI::App& app) {
    CLI::App* pCheck = app.add_subcommand("check", "Check a prefab collection folder");
    pCheck->footer(
        "Checks summary.INI, that every .KVL reads, names a map file of the folder and covers "
        "its block once, that its dimensions are those measured from its map, and that no "
        "identifier is used twice. One line per problem.\n"
        "Example: kvltool check maps/S2");
    pCheck->add_option("FOLDER", m_strFolder, "the collection's folder")->required();
    pCheck->add_flag("--exits", m_bExits,
                     "also report every sub cell side whose exit differs from the one the map "
                     "suggests");
    m_Options.AddTo(*pCheck);
    return pCheck;
}

int CCommandCheck::Run(std::ostream& out, std::ostream& err) {
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
    const std::vector<std::string> problems =
        CCollectionChecker(m_strFolder, listing, m_Options, m_bExits).Run();
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
