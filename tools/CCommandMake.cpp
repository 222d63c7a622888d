#include "tools/CCommandMake.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "cli/ProfileOption.h"
#include "config/CKvlApplication.h"
#include "config/Identifiers.h"
#include "config/ProfileLocation.h"
#include "definition/CKvlWriter.h"
#include "definition/CMissingSubCells.h"
#include "fileio/CPathParts.h"
#include "fileio/PathText.h"
#include "platform/NativePath.h"
#include "platform/ProcessSetup.h"
#include "tools/CConsolePlatformServices.h"
#include "tools/KvlTextFormatter.h"
#include "tools/ToolExitCode.h"

namespace {

// The name -o takes for standard output.
constexpr const char* kStandardOutput = "-";
// The longest file name, in bytes or UTF-16 units, the file systems kvltool meets allow.
constexpr size_t kMaxFileName = 255;

// The definition names its map without folders, since the generator looks for it in the
// collection's folder; its file goes beside the map.
namespace MapNames {
std::string Stored(const std::string& mapPath) {
    return PathText::FileNameOf(mapPath);
}
std::string OutputBeside(const std::string& mapPath) {
    return PathText::DirectoryOf(mapPath) + CKvlWriter::ProposedFileName(mapPath);
}
}  // namespace MapNames

bool InsideDimension(int32_t nCoordinate, int32_t nDimension) {
    return nCoordinate >= 0 && nCoordinate < nDimension;
}

// What stands at target that no file ever replaces, with or without --force: a folder, a pipe
// or a device (-o /dev/null).
std::optional<std::string> NeverReplaced(const std::filesystem::path& target) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(target, error);
    if (std::filesystem::is_directory(status)) {
        return "is a folder";
    }
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        return "is not a regular file and is never replaced";
    }
    return std::nullopt;
}

// What most likely kept the file at path from being written, nError being errno then.
std::string WhyNotWritten(const std::string& path, int nError, CAtomicFile::Failure eFailure) {
    if (eFailure == CAtomicFile::Failure::InUse) {
        return "is held open by another program, which keeps it from being replaced";
    }
    std::error_code error;
    const std::filesystem::path target = NativePath::From(path);
    if (const std::optional<std::string> why = NeverReplaced(target)) {
        return *why;
    }
    const std::filesystem::path folder = target.parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
        return "cannot be written: " + NativePath::ToBytes(folder) + " is no folder";
    }
    if (target.filename().native().size() > kMaxFileName) {
        return "cannot be written: the file name is longer than the " +
               std::to_string(kMaxFileName) + " characters a file name may have";
    }
    return std::string("cannot be written: ") + std::strerror(nError);
}

// Whether a file that --force would replace is at path; a link counts, even one to nothing.
bool PathIsTaken(const std::string& path) {
    std::error_code error;
    const std::filesystem::path target = NativePath::From(path);
    return std::filesystem::exists(std::filesystem::symlink_status(target, error)) &&
           !NeverReplaced(target);
}

}  // namespace

CLI::App* CCommandMake::Register(CLI::App& app) {
    CLI::App* pMake = app.add_subcommand(
        "make", "Write the .KVL definition of a prefab map, as the editor would");
    pMake->footer(
        "The sub cells given with --exit are written in the order given, then one without exits "
        "for every other sub cell of the block.\n"
        "With --from-map the dimensions and exits not given are those kvltool measure suggests.\n"
        "Example: kvltool make room1.map --dims 2x1x1 --exit 1,0,0:NE");
    pMake
        ->add_option("MAP", m_strMapFile,
                     "the prefab's .map file; the definition stores its name without folders")
        ->required();
    pMake
        ->add_option_function<std::string>(
            "--dims",
            [this](const std::string& text) {
                std::string error;
                const auto dimensions = CommandMakeArguments::ParseDimensions(text, error);
                if (!dimensions) {
                    throw CLI::ValidationError("--dims", error);
                }
                m_Dimensions = *dimensions;
                m_bDimsGiven = true;
            },
            "size in sub cells (cells of 256 units) along X, Y and Z")
        ->type_name("XxYxZ");
    pMake
        ->add_option_function<std::vector<std::string>>(
            "--exit",
            [this](const std::vector<std::string>& texts) {
                for (const std::string& text : texts) {
                    std::string error;
                    const auto cell = CommandMakeArguments::ParseExit(text, error);
                    if (!cell) {
                        throw CLI::ValidationError("--exit", error);
                    }
                    m_Exits.push_back(*cell);
                }
            },
            "a sub cell and its exits, any of N, S, E, W, or - for none; repeat for more")
        ->allow_extra_args(false)
        ->type_name("X,Y,Z:EXITS");
    CLI::Option* pId = pMake
                           ->add_option_function<std::string>(
                               "--id",
                               [this](const std::string& text) {
                                   std::string error;
                                   m_nId = CommandMakeArguments::ParseIdentifier(text, error);
                                   if (!m_nId) {
                                       throw CLI::ValidationError("--id", error);
                                   }
                               },
                               "use this identifier instead of taking the next one from the "
                               "profile")
                           ->type_name("N");
    CLI::Option* pProfile = ProfileOption::Add(
        *pMake, m_strProfile,
        "take the identifier from NEXT_ID of this profile instead of the one named below "
        "kvltool --help");
    pId->excludes(pProfile);
    pMake
        ->add_option("-o,--output", m_strOutput,
                     "the file to write; by default the map file's base name and .KVL beside "
                     "the map")
        ->type_name("FILE")
        // An empty name, from an unset variable say, never falls back to the default file.
        ->check([](const std::string& output) {
            return output.empty() ? std::string("the output path is empty") : std::string();
        });
    pMake->add_flag("--force", m_bForce, "replace the output file if it exists");
    pMake->add_flag("--from-map", m_bFromMap,
                    "measure the map for the dimensions and exits that are not given");
    m_Options.AddTo(*pMake);
    return pMake;
}

int CCommandMake::Run(std::ostream& out, std::ostream& err) {
    if (!TakeFromMap(err) || !CheckInput(err)) {
        return ToolExitCode::kUsageOrIoError;
    }
    const std::optional<std::string> path = OutputPath(err);
    if (!path) {
        return ToolExitCode::kUsageOrIoError;
    }
    if (*path == kStandardOutput) {
        return WriteToStandardOutput(out, err);
    }
    if (!m_bForce && PathIsTaken(*path)) {
        err << *path << ": exists already; give --force to replace it\n";
        return ToolExitCode::kUsageOrIoError;
    }
    // The file is written before the identifier is taken, so that an output that cannot be
    // written uses up no identifier.
    // A million exit-less records are written as they are made, never held.
    CKvlDefinition definition = BuildDefinition();
    const CMissingSubCells missing(definition);
    CKvlWriter writer;
    if (!writer.Stage(*path, definition, missing)) {
        const int nError = errno;  // before any output can change it
        err << *path << ": " << WhyNotWritten(*path, nError, writer.LastFailure())
            << "; no identifier was used\n";
        return ToolExitCode::kUsageOrIoError;
    }
    const std::optional<uint32_t> nId = TakeIdentifier(err);
    if (!nId) {
        return ToolExitCode::kUsageOrIoError;
    }
    // Without --force the file goes in only where none is: of makers racing for one name,
    // one wins and the others are told.
    if (!writer.Commit(*nId, m_bForce ? CAtomicFile::CommitMode::Replace
                                      : CAtomicFile::CommitMode::CreateIfAbsent)) {
        const int nError = errno;  // before any output can change it
        if (writer.LastFailure() == CAtomicFile::Failure::Exists) {
            err << *path << ": exists already; give --force to replace it; identifier " << *nId
                << " is used up\n";
            return ToolExitCode::kUsageOrIoError;
        }
        err << *path << ": " << WhyNotWritten(*path, nError, writer.LastFailure())
            << "; nothing was changed there, but "
            << "identifier " << *nId << " is used up\n";
        return ToolExitCode::kUsageOrIoError;
    }
    out << *path << " written: " << Summary(*nId, definition.GetSubCellCount() + missing.Count())
        << '\n';
    return ToolExitCode::kAllWell;
}

int CCommandMake::WriteToStandardOutput(std::ostream& out, std::ostream& err) const {
    const std::optional<uint32_t> nId = TakeIdentifier(err);
    if (!nId) {
        return ToolExitCode::kUsageOrIoError;
    }
    CKvlDefinition definition = BuildDefinition();
    definition.CompleteSubCells();
    definition.m_nId = *nId;
    const std::string bytes = CKvlWriter::Bytes(definition);
    out.flush();
    ProcessSetup::MakeStandardOutputBinary();
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())).flush()) {
        // The failed output itself is reported with every command's.
        if (!m_nId) {
            err << "the definition did not reach standard output; identifier " << *nId
                << " is used up\n";
        }
        return ToolExitCode::kUsageOrIoError;
    }
    err << "standard output written: " << Summary(*nId, definition.GetSubCellCount()) << '\n';
    return ToolExitCode::kAllWell;
}

std::string CCommandMake::Summary(uint32_t nId, size_t nRecords) const {
    return "identifier " + std::to_string(nId) + ", dimensions " +
           KvlTextFormatter::FormatDimensions(m_Dimensions[0], m_Dimensions[1], m_Dimensions[2]) +
           ", sub cell records " + std::to_string(nRecords);
}

bool CCommandMake::TakeFromMap(std::ostream& err) {
    if (!m_bFromMap) {
        if (!m_bDimsGiven) {
            err << "no size given: give --dims, or --from-map to measure it from the map\n";
        }
        return m_bDimsGiven;
    }
    MapMeasurement measurement;
    std::string error;
    bool bUnreadable = false;
    if (!m_Options.MeasureFile(m_strMapFile, measurement, error, bUnreadable)) {
        err << error << "\n";
        return false;
    }
    for (const std::string& warning : m_Options.Warnings(m_strMapFile, measurement)) {
        err << warning << '\n';
    }
    if (!m_bDimsGiven) {
        m_Dimensions = measurement.dims;
    }
    if (m_Exits.empty()) {
        for (const SuggestedExit& suggested : measurement.exits) {
            SubCell cell;
            cell.nX = suggested.nX;
            cell.nY = suggested.nY;
            cell.nZ = suggested.nZ;
            cell.SetExits(suggested.nExits);
            m_Exits.push_back(cell);
        }
    }
    if (m_Exits.empty()) {
        // A closed prefab is still a whole block of sub cells without exits.
        err << m_strMapFile << ": no side is open; every sub cell is written without exits\n";
        m_Exits.emplace_back();
    }
    return true;
}

bool CCommandMake::CheckInput(std::ostream& err) const {
    const auto [nDimX, nDimY, nDimZ] = m_Dimensions;
    if (nDimX < 1 || nDimY < 1 || nDimZ < 1) {
        err << "the dimensions " << KvlTextFormatter::FormatDimensions(nDimX, nDimY, nDimZ)
            << " are not all at least 1: a prefab is at least one sub cell along each axis\n";
        return false;
    }
    if (!CKvlDefinition::DimensionsWithinLimit(nDimX, nDimY, nDimZ)) {
        err << "the dimensions " << KvlTextFormatter::FormatDimensions(nDimX, nDimY, nDimZ)
            << " exceed the limit of " << CKvlDefinition::kMaxSubCells << " sub cells\n";
        return false;
    }
    // The editor will not save a definition to which no sub cell was added.
    if (m_Exits.empty()) {
        err << "no exits defined: give at least one --exit (X,Y,Z:- for a sub "
               "cell without exits)\n";
        return false;
    }
    for (const SubCell& cell : m_Exits) {
        if (!InsideDimension(cell.nX, nDimX) || !InsideDimension(cell.nY, nDimY) ||
            !InsideDimension(cell.nZ, nDimZ)) {
            err << "the sub cell " << cell.nX << "," << cell.nY << "," << cell.nZ
                << " lies outside the dimensions "
                << KvlTextFormatter::FormatDimensions(nDimX, nDimY, nDimZ) << '\n';
            return false;
        }
    }
    return true;
}

std::optional<std::string> CCommandMake::OutputPath(std::ostream& err) const {
    if (!m_strOutput.empty()) {
        return m_strOutput;
    }
    if (m_strMapFile.size() >= CPathParts::kMaxPath) {
        err << "the map file name is " << m_strMapFile.size()
            << " characters long, longer than the " << CPathParts::kMaxPath - 1
            << " a path may have, so no output name is taken from it; name it with -o\n";
        return std::nullopt;
    }
    const std::string name = CKvlWriter::ProposedFileName(m_strMapFile);
    if (name == ".KVL") {
        err << KvlTextFormatter::Quote(m_strMapFile)
            << " gives no base name for the output file; name it with -o\n";
        return std::nullopt;
    }
    if (name.size() > kMaxFileName) {
        err << "the output file name " << KvlTextFormatter::Quote(name) << " is " << name.size()
            << " characters long, longer than the " << kMaxFileName
            << " a file name may have; name it with -o\n";
        return std::nullopt;
    }
    return MapNames::OutputBeside(m_strMapFile);
}

std::optional<uint32_t> CCommandMake::TakeIdentifier(std::ostream& err) const {
    if (m_nId) {
        return *m_nId;
    }
    CConsolePlatformServices services(err);
    CKvlApplication application(services);
    if (m_strProfile) {
        application.SetProfileName(*m_strProfile);
    } else if (application.SetProfilePath()) {
        // A note, not a problem: the run still succeeds.
        err << ProfileLocation::FirstUseNotice(application.GetProfileName()) << '\n';
    }
    const Identifiers::Allocation allocation =
        Identifiers::Allocate(application.GetProfileName(), services);
    if (allocation.eOutcome == Identifiers::Outcome::NotReserved) {
        // A definition with an identifier the next run hands out again would be a duplicate.
        err << "no definition was written, since identifier " << allocation.nId
            << " is not reserved; --id sets an identifier without the profile\n";
    }
    if (allocation.eOutcome != Identifiers::Outcome::Reserved) {
        return std::nullopt;
    }
    return allocation.nId;
}

CKvlDefinition CCommandMake::BuildDefinition() const {
    CKvlDefinition definition;
    definition.m_strMapFile = MapNames::Stored(m_strMapFile);
    definition.m_nDimX = m_Dimensions[0];
    definition.m_nDimY = m_Dimensions[1];
    definition.m_nDimZ = m_Dimensions[2];
    for (const SubCell& cell : m_Exits) {
        definition.AddSubCell(cell);
    }
    return definition;
}
