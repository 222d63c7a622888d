#include "tools/CDumpCommand.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "definition/CKvlReader.h"
#include "platform/CProcessSetup.h"
#include "tools/CKvlGridFormatter.h"
#include "tools/CKvlJsonFormatter.h"
#include "tools/CKvlTextFormatter.h"
#include "tools/ToolExitCode.h"

namespace {

// The name that stands for standard input, as in other command-line tools.
constexpr const char* kStandardInput = "-";
// More than any definition holds (2^20 records take 23 MB): an endless input such as
// /dev/zero ends with a message instead of filling the memory.
constexpr size_t kMaxInputBytes = size_t{256} << 20;

KvlReadResult ReadStandardInput() {
    CProcessSetup::MakeStandardInputBinary();
    std::string bytes;
    char chunk[64 * 1024];
    while (std::cin.read(chunk, sizeof chunk) || std::cin.gcount() > 0) {
        bytes.append(chunk, static_cast<size_t>(std::cin.gcount()));
        if (bytes.size() > kMaxInputBytes) {
            KvlReadResult result;
            result.eStatus = KvlReadResult::Status::CannotOpen;
            result.m_Error.strMessage = "holds more than " + std::to_string(kMaxInputBytes >> 20) +
                                        " MiB, more than any definition";
            return result;
        }
    }
    return CKvlReader::ReadBytes(bytes.data(), bytes.size());
}

}  // namespace

CLI::App* CDumpCommand::Register(CLI::App& app) {
    CLI::App* pDump = app.add_subcommand("dump", "Show every field of .KVL files");
    pDump->footer(
        "A file that is not a well-formed definition is reported on the error stream with the "
        "byte offset of the first thing wrong.\n"
        "Example: kvltool dump --grid room1.KVL");
    pDump->add_option("FILE", m_Files, "the .KVL files to show; - reads standard input")
        ->required();
    CLI::Option* pJson =
        pDump->add_flag("--json", m_bJson, "print one JSON object per file, one per line");
    CLI::Option* pGrid = pDump->add_flag(
        "--grid", m_bGrid, "draw each Z layer of the sub cells as a grid with the exits marked");
    pJson->excludes(pGrid);
    return pDump;
}

int CDumpCommand::Run(std::ostream& out, std::ostream& err) {
    int nWorst = ToolExitCode::kAllWell;
    bool bFirst = true;
    for (const std::string& file : m_Files) {
        if (!m_bJson && !bFirst) {
            out << '\n';
        }
        bFirst = false;
        nWorst = std::max(nWorst, DumpFile(file, out, err));
    }
    return nWorst;
}

int CDumpCommand::DumpFile(const std::string& name, std::ostream& out, std::ostream& err) const {
    const bool bStandardInput = name == kStandardInput;
    const KvlReadResult result = bStandardInput ? ReadStandardInput() : CKvlReader::ReadFile(name);
    const std::string file = bStandardInput ? "standard input" : name;
    if (m_bJson) {
        CKvlJsonFormatter::Write(out, file, result);
    }
    if (!result.IsOk()) {
        const bool bCorrupt = result.eStatus == KvlReadResult::Status::Corrupt;
        err << CKvlTextFormatter::FormatNote(file, result.m_Error, bCorrupt) << '\n';
        return bCorrupt ? ToolExitCode::kProblemsFound : ToolExitCode::kUsageOrIoError;
    }
    if (m_bGrid) {
        CKvlGridFormatter::Write(out, file, result.m_Definition);
    } else if (!m_bJson) {
        CKvlTextFormatter::Write(out, file, result.m_Definition);
    }
    for (const KvlReadNote& warning : result.m_Warnings) {
        err << CKvlTextFormatter::FormatNote(file, warning) << '\n';
    }
    return result.m_Warnings.empty() ? ToolExitCode::kAllWell : ToolExitCode::kProblemsFound;
}
