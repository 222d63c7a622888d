#pragma once

#include <string>
#include <vector>

#include "tools/ICommand.h"

// kvltool dump: reads .KVL files strictly and shows what they hold, as text, as one JSON
// object per file, or as a grid picture of each Z layer.
class CCommandDump : public ICommand {
public:
    CLI::App* Register(CLI::App& app) override;
    int Run(std::ostream& out, std::ostream& err) override;

private:
    // Shows one file; returns its ToolExitCode value.
    int DumpFile(const std::string& name, std::ostream& out, std::ostream& err) const;

    std::vector<std::string> m_Files;
    bool m_bJson = false;
    bool m_bGrid = false;
};
