#pragma once

#include <ostream>

namespace CLI {
class App;
}

// One kvltool subcommand: it declares its arguments on the command line parser and, once they
// are parsed, runs with them. Results go to out, messages to err.
class ICommand {
public:
    virtual ~ICommand() = default;

    // Adds the subcommand to app and returns it.
    virtual CLI::App* Register(CLI::App& app) = 0;
    // One of the ToolExitCode values.
    virtual int Run(std::ostream& out, std::ostream& err) = 0;
};
