#include "app/CEditorCommandLine.h"

#include <CLI/CLI.hpp>

#include "KvlVersion.h"
#include "cli/ProfileOption.h"

std::optional<int> CEditorCommandLine::Parse(int argc, const char* const* argv, std::ostream& out,
                                             std::ostream& err) {
    CLI::App app("kvledit writes the .KVL definitions Gridforge needs for its prefab maps.",
                 "kvledit");
    app.set_version_flag("--version", "kvledit " KVL_VERSION);
    ProfileOption::Add(
        app, m_strProfile,
        "take the settings and identifiers from this profile instead of Gridforge.INI "
        "beside kvledit (or your own profile when its folder has none and cannot take one)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            app.exit(error, out, err);
            return 0;
        }
        err << "kvledit: " << error.what() << " (run with --help for more information)\n";
        return 2;
    }
    return std::nullopt;
}
