#pragma once

#include <optional>
#include <ostream>
#include <string>

// The editor's command line, read before any window or file is touched.
class CEditorCommandLine {
public:
    // Nothing when the editor should start; otherwise the exit code of a run that ends here:
    // 0 after --help or --version, 2 after a command line the editor does not take.
    std::optional<int> Parse(int argc, const char* const* argv, std::ostream& out,
                             std::ostream& err);

    // The profile named with --profile, if any.
    const std::optional<std::string>& Profile() const { return m_strProfile; }

private:
    std::optional<std::string> m_strProfile;
};
