#pragma once

#include <memory>
#include <ostream>
#include <utility>
#include <vector>

#include "tools/CCommandCheck.h"
#include "tools/CCommandDump.h"
#include "tools/CCommandMake.h"
#include "tools/CCommandMeasure.h"
#include "tools/CCommandPaths.h"

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
    CCommandMake m_Make;
    CCommandDump m_Dump;
    CCommandCheck m_Check;
    CCommandMeasure m_Measure;
    CCommandPaths m_Paths;
    std::vector<std::pair<CLI::App*, ICommand*>> m_Commands;
};
