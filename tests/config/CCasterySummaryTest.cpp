#include <algorithm>

#include "CConfigTest.h"
#include "FakeWinePrefix.h"
#include "config/CCasterySummary.h"
#include "platform/NativePath.h"

namespace {

// The default file: CRLF on every platform, as the generator writes it, from its header comment
// to the last quantum unit. Reading it back proves its values; its comment lines are the
// product's own table.
bool IsDefaultFile(const std::string& bytes) {
    return bytes.starts_with("; Prefab Castery Summary Data File\r\n;\r\n[general]\r\n") &&
           bytes.ends_with("\r\nquantum_unit_z=256\r\n") &&
           std::count(bytes.begin(), bytes.end(), '\n') == 23 &&
           std::count(bytes.begin(), bytes.end(), '\r') == 23;
}

// The summary values in one line: description|class|game type|quantum units x|y|z.
std::string Loaded(const SummaryInfo& s) {
    return s.m_strDescription + "|" + s.m_strGenClassName + "|" + std::to_string(s.m_nGameType) +
           "|" + std::to_string(s.m_nQuantumUnitX) + "|" + std::to_string(s.m_nQuantumUnitY) + "|" +
           std::to_string(s.m_nQuantumUnitZ);
}

class CCasterySummaryTest : public CConfigTest {
protected:
    CCasterySummaryTest() { m_Settings.m_strSourceDir = m_strBin; }

    // Runs the summary step; whatever happens, the profile functions use the profile again.
    Texts LoadSummary() {
        CCasterySummary(m_Settings.m_strSourceDir, m_strProfile).LoadSummary(m_Settings.m_Summary);
        EXPECT_EQ(m_App.GetProfileName(), m_strProfile);
        return m_Services.MessageTexts();
    }
    static std::string PathMessage(const std::string& path) {
        return "m_bUseCasteryFolder: true\n" + path;
    }

    const std::string m_strSummary = m_strBin + "summary.INI";
};

TEST_F(CCasterySummaryTest, ExistingFileOrFolderIsReadWithoutAWordAndAMissingFolderIsNotMade) {
    TestFiles::WriteAll(m_strSummary,
                        "[General]\r\ndescription=Castle rooms\r\ngen_class_name=Castle\r\n"
                        "game_type=1\r\nquantum_unit_x=128\r\nquantum_unit_y=96\r\n"
                        "quantum_unit_z=64\r\n");
    EXPECT_EQ(LoadSummary(), Texts{});
    EXPECT_EQ(Loaded(m_Settings.m_Summary), "Castle rooms|Castle|1|128|96|64");

    // A folder of the name counts as the file; its entries read as missing.
    ASSERT_TRUE(std::filesystem::remove(m_strSummary));
    ASSERT_TRUE(std::filesystem::create_directory(m_strSummary));
    EXPECT_EQ(LoadSummary(), Texts{});
    EXPECT_EQ(Loaded(m_Settings.m_Summary), "||0|0|0|0");
    EXPECT_EQ(TestFiles::ListFolder(m_strBin), Texts{"summary.INI"});

    // A folder named beyond ASCII ("\222" is Windows' "’") holds its file too: read, not
    // replaced by the default.
    m_Settings.m_strSourceDir = m_Dir.Path() + "/O\222Brien/";
    ASSERT_TRUE(std::filesystem::create_directory(NativePath::From(m_Settings.m_strSourceDir)));
    TestFiles::WriteAll(m_Settings.m_strSourceDir + "summary.INI", "[general]\r\ngame_type=3\r\n");
    EXPECT_EQ(LoadSummary(), Texts{});
    EXPECT_EQ(Loaded(m_Settings.m_Summary), "||3|0|0|0");

    // A missing folder is not made: the path is shown twice, then the failure.
    m_Settings.m_strSourceDir = m_Dir.PathOf("missing") + "/";
    const std::string path = m_Settings.m_strSourceDir + "summary.INI";
    EXPECT_EQ(LoadSummary(),
              (Texts{PathMessage(path), PathMessage(path), "Couldn't open file!\n" + path}));
    EXPECT_FALSE(TestFiles::Exists(m_Dir.PathOf("missing")));
}

TEST_F(CCasterySummaryTest, MissingFileIsWrittenOnceAndReadOnTheNextStart) {
    EXPECT_EQ(LoadSummary(), Texts{PathMessage(m_strSummary)});
    EXPECT_EQ(Loaded(m_Settings.m_Summary), "||2|256|256|256");
    EXPECT_TRUE(IsDefaultFile(TestFiles::ReadAll(m_strSummary)));

    EXPECT_EQ(LoadSummary().size(), 1u) << "the second start showed a message";
    EXPECT_EQ(Loaded(m_Settings.m_Summary), "not yet described|Generic|2|256|256|256");
}

// File size limits and Wine's drive mapping exist on POSIX only.
#ifndef _WIN32
TEST_F(CCasterySummaryTest, DefaultFileThatCannotBeWrittenWholeIsNotLeftAndTheUserIsTold) {
    const auto load = [this] {
        return LoadSummary() ==
               Texts{PathMessage(m_strSummary), "Couldn't write file!\n" + m_strSummary};
    };
    EXPECT_EQ(ChildProcess::Run(load, 100), 0);
    EXPECT_EQ(TestFiles::ListFolder(m_strBin), Texts{});
}

// The editor at start-up takes the profile's Windows paths as the generator does under Wine:
// it writes the default file where the generator will look, never a file named with "\".
TEST_F(CCasterySummaryTest, WindowsSourceDirectoryLeadsToTheFolderWineUses) {
    const FakeWinePrefix wine(m_Dir.PathOf("wine"));
    m_Services.SetExecutablePath(wine.Path("pfx/drive_c/Gridforge/") + "kvledit");
    m_App.SetProfilePath();
    TestFiles::WriteAll(m_App.GetProfileName(), "[globals]\nsource_directory=D:\\Prefabs\\\n");
    std::vector<std::string> files = wine.Everything();
    m_Settings.Load();

    const std::string summary = wine.Path("pfx/drive_d/Prefabs/summary.INI");
    EXPECT_EQ(m_Services.MessageTexts(),
              Texts{PathMessage("D:\\Prefabs\\summary.INI\nwhich is " + summary)});
    files.push_back(std::filesystem::path(summary).lexically_normal().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(wine.Everything(), files);
}

#endif

}  // namespace
