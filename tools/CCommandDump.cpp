#include "tools/CCommandDump.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#include "tools/KvlGridFormatter.h"
#include "tools/KvlJsonFormatter.h"
#include "tools/KvlTextFormatter.h"
#include "tools/ToolExitCode.h"

CLI::App* CCommandDump::Register(CLI::App& app) {
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

int CCommandDump::Run(std::ostream& out, std::ostream& err) {
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

int CCommandDump::DumpFile(const std::string& name, std::ostream& out, std::ostream& err) const {
    const CKvlSource source(name);
    const KvlReader::Result& result = source.Result();
    try {
        if (m_bJson) {
            KvlJsonFormatter::Write(out, source);
        }
        if (!result.IsOk()) {
            const bool bCorrupt = result.m_eStatus == KvlReader::Result::Status::Corrupt;
            err << KvlTextFormatter::FormatNote(source.Name(), result.m_Error, bCorrupt) << '\n';
            return bCorrupt ? ToolExitCode::kProblemsFound : ToolExitCode::kUsageOrIoError;
        }
        if (m_bGrid) {
            KvlGridFormatter::Write(out, source);
        } else if (!m_bJson) {
            KvlTextFormatter::Write(out, source);
        }
        if (source.HasWarnings()) {
            source.ForEachWarning([&](const KvlReader::Note& warning) {
                err << KvlTextFormatter::FormatNote(source.Name(), warning) << '\n';
            });
        }
    } catch (const CKvlSource::CChanged& changed) {
        err << changed.what() << '\n';
        return ToolExitCode::kUsageOrIoError;
    }
    return source.HasWarnings() ? ToolExitCode::kProblemsFound : ToolExitCode::kAllWell;
}
