#include "cli/ProfileOption.h"

CLI::Option* ProfileOption::Add(CLI::App& app, std::optional<std::string>& profile,
                                const std::string& description) {
    return app
        .add_option_function<std::string>(
            "--profile",
            [&profile](const std::string& path) {
                if (path.empty()) {
                    throw CLI::ValidationError("--profile", "the profile path is empty");
                }
                profile = path;
            },
            description)
        ->type_name("PATH");
}
