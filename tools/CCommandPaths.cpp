#include "tools/CCommandPaths.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <system_error>

#include "cli/ProfileOption.h"
#include "config/CCasterySummary.h"
#include "config/CGeneratorSettings.h"
#include "config/CKvlApplication.h"
#include "config/CProfilePathResolver.h"
#include "platform/NativePath.h"
#include "tools/CConsolePlatformServices.h"
#include "tools/ToolExitCode.h"

CLI::App* CCommandPaths::Register(CLI::App& app) {
    CLI::App* pPaths = app.add_subcommand(
        "paths", "Show the profile, the source directory and the summary file the editor uses");
    pPaths->footer(
        "Windows paths in the profile are taken as the generator takes them under Wine: a "
        "drive letter through the Wine prefix's dosdevices, a relative path from the "
        "profile's folder, names matched without regard to case.");
    ProfileOption::Add(*pPaths, m_strProfile,
                       "read this profile instead of Gridforge.INI beside kvltool");
    pPaths->add_flag("--json", m_bJson,
                     "one JSON object (\"format\": \"kvltool-paths/1\") instead of text");
    return pPaths;
}

int CCommandPaths::Run(std::ostream& out, std::ostream& err) {
    CConsolePlatformServices services(err);
    CKvlApplication application(services);
    if (m_strProfile) {
        // Absolute, so that the user sees which file was read and its folder is known.
        std::error_code error;
        const std::string profile =
            NativePath::ToBytes(std::filesystem::absolute(NativePath::From(*m_strProfile), error));
        application.SetProfileName(profile);
    } else {
        application.SetProfilePath();
    }
    CGeneratorSettings settings;
    settings.LoadSettings();
    const std::string& value = settings.m_strSourceDir;
    const CProfilePathResolver::Result source =
        CProfilePathResolver(settings.m_strProfilePath).Resolve(value);
    const CProfilePathResolver::Result summary =
        CCasterySummary(value, settings.m_strProfilePath).LocateSummary();
    for (const CProfilePathResolver::Result& result : {source, summary}) {
        if (!result.Resolved()) {
            err << "source_directory " << value << ": " << result.strError << '\n';
            return ToolExitCode::kUsageOrIoError;
        }
    }
    if (m_bJson) {
        const nlohmann::ordered_json json = {
            {"format", "kvltool-paths/1"},
            {"profile", settings.m_strProfilePath},
            {"source_directory", {{"value", value}, {"resolved", source.strPath}}},
            {"summary", summary.strPath},
        };
        out << json.dump() << '\n';
    } else {
        out << "profile: " << settings.m_strProfilePath << '\n'
            << "source_directory: " << value << '\n'
            << "  resolved: " << source.strPath << '\n'
            << "summary: " << summary.strPath << '\n';
    }
    return ToolExitCode::kAllWell;
}
