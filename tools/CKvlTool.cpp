#include "tools/CKvlTool.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <new>

#include "KvlVersion.h"

#include "config/ProfileLocation.h"
#include "platform/ModulePath.h"
#include "tools/CMessageStream.h"

#include "tools/ToolExitCode.h"

CKvlTool::CKvlTool()
    : m_pApp(std::make_unique<CLI::App>(
          "kvltool makes, shows and checks the .KVL definitions of Gridforge prefab maps.\n"
          "Exit status: 0 all well, 1 problems found, 2 usage or I/O error.",
          "kvltool")) {
    m_pApp->set_version_flag("--version", "kvltool " KVL_VERSION);
    m_pApp->require_subcommand(0, 1);
    // On Windows CLI11 would take "/abs/x.KVL" for an option; subcommands inherit this.
    m_pApp->allow_windows_style_options(false);
    // Worked out only when help is shown: which profile make would take identifiers from.
    m_pApp->footer([] {
        const ProfileLocation::Choice choice = ProfileLocation::Find(ModulePath::Get());
        return "Profile: make takes identifiers from " + choice.strPath +
               (choice.bPerUser ? " (your own: kvltool's folder has no Gridforge.INI and cannot "
                                  "take one)"
                                : "") +
               " unless --profile names another.";
    });
    for (ICommand* pCommand :
         std::initializer_list<ICommand*>{&m_Make, &m_Dump, &m_Check, &m_Measure, &m_Paths}) {
        m_Commands.emplace_back(pCommand->Register(*m_pApp), pCommand);
    }
}

CKvlTool::~CKvlTool() = default;

int CKvlTool::Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    CMessageStream messages(err);
    int nExitCode = RunCommand(argc, argv, out, messages);
    // Output that never arrived is no success, whatever the command found.
    if (!out.flush()) {
        messages << "writing to standard output failed; the output is incomplete\n";
        nExitCode = ToolExitCode::kUsageOrIoError;
    }
    if (!messages.flush()) {
        nExitCode = ToolExitCode::kUsageOrIoError;
    }
    return nExitCode;
}

int CKvlTool::RunCommand(int argc, const char* const* argv, std::ostream& out,
                         std::ostream& messages) {
    try {
        m_pApp->parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Help was asked for when CLI11 calls it a success.
        if (error.get_exit_code() == 0) {
            m_pApp->exit(error, out, messages);
            return ToolExitCode::kAllWell;
        }
        messages << error.what() << "\nrun with --help for more information\n";
        return ToolExitCode::kUsageOrIoError;
    }
    try {
        for (const auto& [pSubcommand, pCommand] : m_Commands) {
            if (pSubcommand->parsed()) {
                return pCommand->Run(out, messages);
            }
        }
        messages << "name a subcommand: make, dump, check, measure or paths\n"
                 << "run with --help for more information\n";
    } catch (const std::bad_alloc&) {
        messages << "out of memory\n";
    } catch (const std::exception& exception) {
        messages << exception.what() << '\n';
    }
    return ToolExitCode::kUsageOrIoError;
}
