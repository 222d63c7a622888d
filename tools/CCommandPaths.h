#pragma once

#include <optional>
#include <string>

#include "tools/ICommand.h"

// kvltool paths: the profile, the source directory as written and as found on this system,
// and the summary file, all as the editor's start-up finds them.
class CCommandPaths : public ICommand {
public:
    CLI::App* Register(CLI::App& app) override;
    int Run(std::ostream& out, std::ostream& err) override;

private:
    std::optional<std::string> m_strProfile;
    bool m_bJson = false;
};
