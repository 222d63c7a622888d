#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>

#include "FakeWinePrefix.h"
#include "KvlToolTest.h"

namespace {

using KvlToolPathsTest = KvlToolTest;

// The generator's profile under Wine names its folders the Windows way: through a drive, or
// relative to its own folder with "\" and another case than the folders have. A name that two
// folders match but for case is a question only the user can answer; a drive that no prefix
// maps is named with the prefixes tried. Nothing is made either way.
TEST_F(KvlToolPathsTest, WindowsPathsOfTheProfileLeadToTheFoldersWineWouldUse) {
    const FakeWinePrefix wine(m_Folder.Path());
    const char* const pszOnC = "pfx/drive_c/Gridforge/Gridforge.INI";  // on a prefix's drive C
    // The profile, its source_directory, the summary file it leads to or nullptr when the value
    // is refused with the error that follows.
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {pszOnC, R"(D:\Prefabs\)", "pfx/drive_d/Prefabs/SUMMARY.ini", ""},
        {pszOnC, "d:/prefabs/", "pfx/drive_d/Prefabs/SUMMARY.ini", ""},
        {"gen/bin/Gridforge.INI", R"(..\Maps\s2\)", "gen/bin/../maps/S2/summary.INI", ""},
        {"gen/bin/Gridforge.INI", R"(..\prefabs\)", nullptr,
         "prefabs is ambiguous in " + wine.Path("gen/bin/..") + ": PREFABS, Prefabs all match it"},
        {pszOnC, R"(Q:\Prefabs\)", nullptr,
         "the drive Q: is not mapped in any Wine prefix (tried " + wine.Path("pfx/dosdevices/q:") +
             ", " + wine.Path("none/dosdevices/q:") + ", " + wine.Path(".wine/dosdevices/q:") +
             ")"},
    };
    TestFiles::WriteAll(wine.Path("pfx/drive_d/Prefabs/SUMMARY.ini"), "");
    TestFiles::WriteAll(wine.Path("gen/maps/S2/summary.INI"), "");
    std::filesystem::create_directory(wine.Path("gen/Prefabs"));
    std::filesystem::create_directory(wine.Path("gen/PREFABS"));
    for (const auto& [pszProfile, pszValue, pszSummary, error] : cases) {
        SCOPED_TRACE(pszValue);
        const std::string profile = wine.Path(pszProfile);
        TestFiles::WriteAll(profile, std::string("[globals]\r\nsource_directory=") + pszValue);
        const std::vector<std::string> before = wine.Everything();
        const ToolRun run = Run({"paths", "--json", "--profile", profile});
        EXPECT_EQ(wine.Everything(), before);
        if (pszSummary == nullptr) {
            EXPECT_EQ(run, (ToolRun{2, "",
                                    std::string("kvltool: source_directory ") + pszValue + ": " +
                                        error + "\n"}));
            continue;
        }
        EXPECT_THAT(run, Succeeds());
        const std::string summary = wine.Path(pszSummary);
        EXPECT_EQ(nlohmann::json::parse(run.strOut, nullptr, false),
                  nlohmann::json({{"format", "kvltool-paths/1"},
                                  {"profile", profile},
                                  {"source_directory",
                                   {{"value", pszValue},
                                    {"resolved", summary.substr(0, summary.rfind('/') + 1)}}},
                                  {"summary", summary}}))
            << run.strOut;
    }
}

}  // namespace
