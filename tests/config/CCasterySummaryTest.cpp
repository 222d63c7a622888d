#include "CConfigTest.h"
#include "FakeWinePrefix.h"
#include "config/CCasterySummary.h"

namespace {

// CRLF on every platform, as the generator writes it.
const char* const kDefaultFile =
    "; Prefab Castery Summary Data File\r\n"
    ";\r\n"
    "[general]\r\n"
    ";\r\n"
    "; The description field should provide a brief friendly description of\r\n"
    "; the style of map that will be produced by using this Prefab Castery.\r\n"
    "description=not yet described\r\n"
    ";\r\n"
    "; The gen_class_name field must match the name of the class that\r\n"
    "; is required to generate maps using this Castery.\r\n"
    "gen_class_name=Generic\r\n"
    ";\r\n"
    "; The game_type field must be one of the following values:\r\n"
    "; 1= Quake\r\n"
    "; 2= Quake II\r\n"
    "; 3= Hexen II\r\n"
    "game_type=2\r\n"
    ";\r\n"
    "; The quantum_unit fields must equal the quantum unit size you have de-\r\n"
    "; cided upon for this Castery.\r\n"
    "quantum_unit_x=256\r\n"
    "quantum_unit_y=256\r\n"
    "quantum_unit_z=256\r\n";

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

TEST_F(CCasterySummaryTest, ExistingFileOrFolderIsReadWithoutAWord) {
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
}

TEST_F(CCasterySummaryTest, MissingFileIsWrittenOnceAndReadOnTheNextStart) {
    EXPECT_EQ(LoadSummary(), Texts{PathMessage(m_strSummary)});
    EXPECT_EQ(Loaded(m_Settings.m_Summary), "||2|256|256|256");
    EXPECT_EQ(TestFiles::ReadAll(m_strSummary), kDefaultFile);

    EXPECT_EQ(LoadSummary().size(), 1u) << "the second start showed a message";
    EXPECT_EQ(Loaded(m_Settings.m_Summary), "not yet described|Generic|2|256|256|256");
}

TEST_F(CCasterySummaryTest, MissingFolderShowsThePathTwiceThenTheFailure) {
    m_Settings.m_strSourceDir = PathOf("missing") + "/";
    const std::string path = m_Settings.m_strSourceDir + "summary.INI";
    EXPECT_EQ(LoadSummary(),
              (Texts{PathMessage(path), PathMessage(path), "Couldn't open file!\n" + path}));
    EXPECT_FALSE(TestFiles::Exists(PathOf("missing")));
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
    const FakeWinePrefix wine(PathOf("wine"));
    const struct {
        const char* pszBin;
        const char* pszValue;
        const char* pszSummary;
    } cases[] = {
        {"pfx/drive_c/Gridforge/", R"(D:\Prefabs\)", "pfx/drive_d/Prefabs/summary.INI"},
        {"gen/bin/", R"(..\Maps\s2\)", "gen/bin/../maps/S2/summary.INI"},
    };
    for (const auto& c : cases) {
        m_Services.SetExecutablePath(wine.Path(c.pszBin) + "kvledit");
        m_App.SetProfilePath();
        TestFiles::WriteAll(m_App.GetProfileName(),
                            std::string("[globals]\nsource_directory=") + c.pszValue + "\n");
        std::vector<std::string> files = wine.Everything();
        const size_t nMessages = m_Services.MessageTexts().size();
        m_Settings.Load();

        const std::string summary = wine.Path(c.pszSummary);
        EXPECT_EQ(m_Services.MessageTexts().size(), nMessages + 1);
        EXPECT_EQ(m_Services.MessageTexts().back(),
                  PathMessage(std::string(c.pszValue) + "summary.INI\nwhich is " + summary));
        EXPECT_EQ(TestFiles::ReadAll(summary), kDefaultFile);
        files.push_back(std::filesystem::path(summary).lexically_normal().string());
        std::sort(files.begin(), files.end());
        EXPECT_EQ(wine.Everything(), files);
    }
}

#endif

}  // namespace
