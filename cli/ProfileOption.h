#pragma once

#include <optional>
#include <string>

#include <CLI/CLI.hpp>

// The --profile PATH option: an empty path is refused when parsing, so that it never falls
// back to the current folder or to the default profile unseen.
namespace ProfileOption {
CLI::Option* Add(CLI::App& app, std::optional<std::string>& profile,
                 const std::string& description);
}
