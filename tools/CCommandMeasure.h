#pragma once

#include <string>
#include <vector>

#include "tools/CMeasureOptions.h"
#include "tools/ICommand.h"

// kvltool measure: reads prefab maps and proposes their dimensions and exits.
class CCommandMeasure : public ICommand {
public:
    CLI::App* Register(CLI::App& app) override;
    int Run(std::ostream& out, std::ostream& err) override;

private:
    int MeasureFile(const std::string& path, std::ostream& out, std::ostream& err) const;

    std::vector<std::string> m_Files;
    bool m_bJson = false;
    CMeasureOptions m_Options;
};
