#include <filesystem>
#include <nlohmann/json.hpp>
#include <tuple>

#include "FakeWinePrefix.h"
#include "KvlToolTest.h"

namespace {

class KvlToolPathsTest : public KvlToolTest {
protected:
    FakeWinePrefix m_Wine{m_Folder.Path()};
};

// The generator's profile under Wine names its folders the Windows way: through a drive, or
// relative to its own folder with "\" and another case than the folders have.
TEST_F(KvlToolPathsTest, WindowsPathsOfTheProfileLeadToTheFoldersWineWouldUse) {
    const struct {
        const char* pszProfile;
        const char* pszValue;
        const char* pszSummary;
    } cases[] = {
        {"pfx/drive_c/Gridforge/Gridforge.INI", R"(D:\Prefabs\)",
         "pfx/drive_d/Prefabs/SUMMARY.ini"},
        {"pfx/drive_c/Gridforge/Gridforge.INI", "d:/prefabs/", "pfx/drive_d/Prefabs/SUMMARY.ini"},
        {"gen/bin/Gridforge.INI", R"(..\Maps\s2\)", "gen/bin/../maps/S2/summary.INI"},
    };
    TestFiles::WriteAll(m_Wine.Path("pfx/drive_d/Prefabs/SUMMARY.ini"), "");
    TestFiles::WriteAll(m_Wine.Path("gen/maps/S2/summary.INI"), "");
    for (const auto& c : cases) {
        const std::string profile = m_Wine.Path(c.pszProfile);
        TestFiles::WriteAll(profile, std::string("[globals]\r\nsource_directory=") + c.pszValue);
        const ToolRun run = Run({"paths", "--json", "--profile", profile});
        EXPECT_EQ(run.nExitCode, 0) << run.strErr;
        const auto json = nlohmann::json::parse(run.strOut, nullptr, false);
        ASSERT_TRUE(json.is_object()) << run.strOut;
        const std::string summary = m_Wine.Path(c.pszSummary);
        EXPECT_EQ(json, nlohmann::json({{"format", "kvltool-paths/1"},
                                        {"profile", profile},
                                        {"source_directory",
                                         {{"value", c.pszValue},
                                          {"resolved", summary.substr(0, summary.rfind('/') + 1)}}},
                                        {"summary", summary}}));
    }
}

// A name that two folders match but for case is a question only the user can answer; a drive
// that no prefix maps is named with the prefixes tried. Neither makes anything.
TEST_F(KvlToolPathsTest, AmbiguousNamesAndUnmappedDrivesAreReportedAndNothingIsMade) {
    std::filesystem::create_directory(m_Wine.Path("gen/MAPS"));
    const std::tuple<const char*, const char*, std::string> cases[] = {
        {"gen/bin/Gridforge.INI", R"(..\Maps\S2\)",
         "Maps is ambiguous in " + m_Wine.Path("gen/bin/..") + ": MAPS, maps all match it"},
        {"pfx/drive_c/Gridforge/Gridforge.INI", R"(Q:\Prefabs\)",
         "the drive Q: is not mapped in any Wine prefix (tried " +
             m_Wine.Path("pfx/dosdevices/q:") + ", " + m_Wine.Path("none/dosdevices/q:") + ", " +
             m_Wine.Path(".wine/dosdevices/q:") + ")"},
    };
    for (const auto& [pszProfile, pszValue, says] : cases) {
        const std::string profile = m_Wine.Path(pszProfile);
        TestFiles::WriteAll(profile, std::string("[globals]\nsource_directory=") + pszValue);
        const std::vector<std::string> before = m_Wine.Everything();
        const ToolRun run = Run({"paths", "--profile", profile});
        EXPECT_EQ(run.nExitCode, 2);
        EXPECT_EQ(run.strOut, "");
        EXPECT_EQ(run.strErr,
                  std::string("kvltool: source_directory ") + pszValue + ": " + says + "\n");
        EXPECT_EQ(m_Wine.Everything(), before);
    }
}

}  // namespace
