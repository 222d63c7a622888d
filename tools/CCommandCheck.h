#pragma once

#include <string>

#include "tools/CMeasureOptions.h"
#include "tools/ICommand.h"

// kvltool check: checks a prefab collection folder the way the generator will meet it: its
// summary.INI, every definition in it, the map files they name, measured, and their
// identifiers.
class CCommandCheck : public ICommand {
public:
    CLI::App* Register(CLI::App& app) override;
    // One line per problem on out.
    int Run(std::ostream& out, std::ostream& err) override;

private:
    std::string m_strFolder;
    bool m_bExits = false;
    CMeasureOptions m_Options;
};
