#include "tools/CMakeCommand.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <system_error>

#include "config/CGeneratorSettings.h"
#include "config/CKvlApplication.h"
#include "definition/CKvlWriter.h"
#include "tools/CConsolePlatformServices.h"
#include "tools/CKvlTextFormatter.h"
#include "tools/ToolExitCode.h"

namespace {

bool InsideDimension(int32_t nCoordinate, int32_t nDimension) {
    return nDimension <= 0 ? nCoordinate == 0 : nCoordinate >= 0 && nCoordinate < nDimension;
}

bool PathIsTaken(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

const char* WriteFailureText(CAtomicFile::Failure eFailure) {
    switch (eFailure) {
        case CAtomicFile::Failure::Exists:
            return ": exists already; give --force to replace it";
        case CAtomicFile::Failure::NotAFile:
            return ": is not a regular file and is never replaced; nothing was changed there";
        default:
            return ": could not be written; nothing was changed there";
    }
}

}  // namespace

CLI::App* CMakeCommand::Register(CLI::App& app) {
    CLI::App* pMake = app.add_subcommand(
        "make", "Write the .KVL definition of a prefab map, as the editor would");
    pMake->footer(
        "The sub cells given with --exit are written in the order given, then one without exits "
        "for every other sub cell of the block.\n"
        "Example: kvltool make room1.map --dims 2x1x1 --exit 1,0,0:NE");
    pMake
        ->add_option("MAP", m_strMapFile,
                     "the prefab's .map file name as the definition stores it, normally a bare "
                     "name such as room1.map")
        ->required();
    pMake
        ->add_option_function<std::string>(
            "--dims",
            [this](const std::string& text) {
                std::string error;
                const auto dimensions = CMakeArguments::ParseDimensions(text, error);
                if (!dimensions) {
                    throw CLI::ValidationError("--dims", error);
                }
                m_Dimensions = *dimensions;
            },
            "size in sub cells (cells of 256 units) along X, Y and Z")
        ->required()
        ->type_name("XxYxZ");
    pMake
        ->add_option_function<std::vector<std::string>>(
            "--exit",
            [this](const std::vector<std::string>& texts) {
                for (const std::string& text : texts) {
                    std::string error;
                    const auto cell = CMakeArguments::ParseExit(text, error);
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
                                   m_nId = CMakeArguments::ParseIdentifier(text, error);
                                   if (!m_nId) {
                                       throw CLI::ValidationError("--id", error);
                                   }
                               },
                               "use this identifier instead of taking the next one from the "
                               "profile")
                           ->type_name("N");
    CLI::Option* pProfile =
        pMake
            ->add_option_function<std::string>(
                "--profile",
                [this](const std::string& path) {
                    if (path.empty()) {
                        throw CLI::ValidationError("--profile", "the profile path is empty");
                    }
                    m_strProfile = path;
                },
                "take the identifier from NEXT_ID of this profile instead of Gridforge.INI "
                "beside kvltool")
            ->type_name("PATH");
    pId->excludes(pProfile);
    pMake
        ->add_option("-o,--output", m_strOutput,
                     "the file to write; by default the map file's base name and .KVL in the "
                     "current folder")
        ->type_name("FILE");
    pMake->add_flag("--force", m_bForce, "replace the output file if it exists");
    return pMake;
}

int CMakeCommand::Run(std::ostream& out, std::ostream& err) {
    if (!CheckInput(err)) {
        return ToolExitCode::kUsageOrIoError;
    }
    const std::string path = OutputPath();
    if (path.empty()) {
        err << CKvlTextFormatter::Quote(m_strMapFile)
            << " gives no base name for the output file; name it with -o\n";
        return ToolExitCode::kUsageOrIoError;
    }
    if (!m_bForce && PathIsTaken(path)) {
        err << path << ": exists already; give --force to replace it\n";
        return ToolExitCode::kUsageOrIoError;
    }

    bool bWarned = false;
    const CKvlDefinition definition = BuildDefinition(TakeIdentifier(err, bWarned));
    CKvlWriter writer;
    // Without --force the file goes in only where none is: of makers racing for one name,
    // one wins and the others say so.
    if (!writer.Write(path, definition,
                      m_bForce ? CAtomicFile::CommitMode::Replace
                               : CAtomicFile::CommitMode::CreateIfAbsent)) {
        err << path << WriteFailureText(writer.LastFailure()) << '\n';
        return ToolExitCode::kUsageOrIoError;
    }
    out << path << " written: identifier " << definition.m_nId << ", dimensions "
        << CKvlTextFormatter::FormatDimensions(m_Dimensions[0], m_Dimensions[1], m_Dimensions[2])
        << ", sub cell records " << definition.GetSubCellCount() << '\n';
    return bWarned ? ToolExitCode::kProblemsFound : ToolExitCode::kAllWell;
}

bool CMakeCommand::CheckInput(std::ostream& err) const {
    const auto [nDimX, nDimY, nDimZ] = m_Dimensions;
    if (!CKvlDefinition::DimensionsWithinLimit(nDimX, nDimY, nDimZ)) {
        err << "the dimensions " << CKvlTextFormatter::FormatDimensions(nDimX, nDimY, nDimZ)
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
                << CKvlTextFormatter::FormatDimensions(nDimX, nDimY, nDimZ) << '\n';
            return false;
        }
    }
    return true;
}

std::string CMakeCommand::OutputPath() const {
    if (!m_strOutput.empty()) {
        return m_strOutput;
    }
    const std::string name = CKvlWriter::ProposedFileName(m_strMapFile);
    // A map name without a base name (".map", "") gives no usable file name.
    return name == ".KVL" ? std::string() : name;
}

uint32_t CMakeCommand::TakeIdentifier(std::ostream& err, bool& bWarned) const {
    if (m_nId) {
        return *m_nId;
    }
    CConsolePlatformServices services(err);
    CKvlApplication application(services);
    if (m_strProfile) {
        application.SetProfileName(*m_strProfile);
        theSettings.m_strProfilePath = *m_strProfile;
    } else {
        application.SetProfilePath();
    }
    theSettings.AllocateNextId();
    bWarned = services.MessageCount() > 0;
    return theSettings.m_Definition.m_nId;
}

CKvlDefinition CMakeCommand::BuildDefinition(uint32_t nId) const {
    CKvlDefinition definition;
    definition.m_nId = nId;
    definition.m_strMapFile = m_strMapFile;
    definition.m_nDimX = m_Dimensions[0];
    definition.m_nDimY = m_Dimensions[1];
    definition.m_nDimZ = m_Dimensions[2];
    for (const SubCell& cell : m_Exits) {
        definition.AddSubCell(cell);
    }
    definition.CompleteSubCells();
    return definition;
}
