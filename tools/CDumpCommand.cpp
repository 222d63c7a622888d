#include "tools/CDumpCommand.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "definition/CKvlReader.h"
#include "tools/CKvlGridFormatter.h"
#include "tools/CKvlJsonFormatter.h"
#include "tools/CKvlTextFormatter.h"
#include "tools/ToolExitCode.h"

CLI::App* CDumpCommand::Register(CLI::App& app) {
    CLI::App* pDump = app.add_subcommand("dump", "Show every field of .KVL files");
    pDump->footer(
        "A file that is not a well-formed definition is reported on the error stream with the "
        "byte offset of the first thing wrong.\n"
        "Example: kvltool dump --grid room1.KVL");
    pDump->add_option("FILE", m_Files, "the .KVL files to show")->required();
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

int CDumpCommand::DumpFile(const std::string& file, std::ostream& out, std::ostream& err) const {
    const KvlReadResult result = CKvlReader::ReadFile(file);
    if (m_bJson) {
        out << CKvlJsonFormatter::Format(file, result) << '\n';
    }
    if (!result.IsOk()) {
        const bool bCorrupt = result.eStatus == KvlReadResult::Status::Corrupt;
        err << CKvlTextFormatter::FormatNote(file, result.m_Error, bCorrupt) << '\n';
        return bCorrupt ? ToolExitCode::kProblemsFound : ToolExitCode::kUsageOrIoError;
    }
    if (m_bGrid) {
        out << CKvlGridFormatter::Format(file, result.m_Definition);
    } else if (!m_bJson) {
        out << CKvlTextFormatter::Format(file, result.m_Definition);
    }
    for (const KvlReadNote& warning : result.m_Warnings) {
        err << CKvlTextFormatter::FormatNote(file, warning) << '\n';
    }
    return result.m_Warnings.empty() ? ToolExitCode::kAllWell : ToolExitCode::kProblemsFound;
}
