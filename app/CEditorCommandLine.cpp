#include "app/CEditorCommandLine.h"

#include <CLI/CLI.hpp>

#include "KvlVersion.h"

std::optional<int> CEditorCommandLine::Parse(int argc, const char* const* argv, std::ostream& out,
                                             std::ostream& err) {
    CLI::App app("kvledit writes the .KVL definitions Gridforge needs for its prefab maps.",
                 "kvledit");
    app.set_version_flag("--version", "kvledit " KVL_VERSION);
    app.add_option_function<std::string>(
           "--profile",
           [this](const std::string& path) {
               if (path.empty()) {
                   throw CLI::ValidationError("--profile", "the profile path is empty");
               }
               m_strProfile = path;
           },
           "take the settings and identifiers from this profile instead of Gridforge.INI "
           "beside kvledit (or your own profile when its folder has none and cannot take one)")
        ->type_name("PATH");
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
