#pragma once

#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "tools/CCheckCommand.h"
#include "tools/CDumpCommand.h"
#include "tools/CMakeCommand.h"
#include "tools/CMeasureCommand.h"
#include "tools/CPathsCommand.h"

namespace CLI {
class App;
}

// The kvltool program: parses the command line, runs the chosen subcommand and turns every
// outcome into one of the ToolExitCode values.
class CKvlTool {
public:
    CKvlTool();
    ~CKvlTool();
    CKvlTool(const CKvlTool&) = delete;
    CKvlTool& operator=(const CKvlTool&) = delete;

    // Every line on err begins with "kvltool: "; a failed write to out or err makes the
    // outcome an I/O error.
    int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

private:
    int RunCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& messages);

    std::unique_ptr<CLI::App> m_pApp;
    CMakeCommand m_Make;
    CDumpCommand m_Dump;
    CCheckCommand m_Check;
    CMeasureCommand m_Measure;
    CPathsCommand m_Paths;
    std::vector<std::pair<CLI::App*, ICommand*>> m_Commands;
};
