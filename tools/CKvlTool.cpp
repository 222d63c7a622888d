#include "tools/CKvlTool.h"

#include <CLI/CLI.hpp>
#include <exception>

#include "tools/ToolExitCode.h"

CKvlTool::CKvlTool()
    : m_pApp(std::make_unique<CLI::App>(
          "kvltool makes, shows and checks the .KVL definitions of Gridforge prefab maps.\n"
          "Exit status: 0 all well, 1 problems found, 2 usage or I/O error.",
          "kvltool")) {
    m_pApp->require_subcommand(0, 1);
    for (ICommand* pCommand : std::initializer_list<ICommand*>{&m_Make, &m_Dump, &m_Check}) {
        m_Commands.emplace_back(pCommand->Register(*m_pApp), pCommand);
    }
}

CKvlTool::~CKvlTool() = default;

int CKvlTool::Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
    try {
        m_pApp->parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // Help was asked for when CLI11 calls it a success.
        return m_pApp->exit(error, out, err) == 0 ? ToolExitCode::kAllWell
                                                  : ToolExitCode::kUsageOrIoError;
    }
    try {
        for (const auto& [pSubcommand, pCommand] : m_Commands) {
            if (pSubcommand->parsed()) {
                return pCommand->Run(out, err);
            }
        }
        err << "kvltool: name a subcommand: make, dump or check\n"
            << "Run with --help for more information.\n";
    } catch (const std::exception& exception) {
        err << "kvltool: " << exception.what() << '\n';
    }
    return ToolExitCode::kUsageOrIoError;
}
