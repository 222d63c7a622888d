#include <QFile>

#include "CConfigTest.h"
#include "config/CCasterySummary.h"

namespace {

const char* const kDefaultFile =
    "; Prefab Castery Summary Data File\n;\n[general]\n;\n; The description field should provide"
    " a brief friendly description of\n; the style of map that will be produced by using this "
    "Prefab Castery.\ndescription=not yet described\n;\n; The gen_class_name field must match the"
    " name of the class that\n; is required to generate maps using this Castery.\ngen_class_name="
    "Generic\n;\n; The game_type field must be one of the following values:\n; 1= Quake\n; 2= "
    "Quake II\n; 3= Hexen II\ngame_type=2\n;\n; The quantum_unit fields must equal the quantum "
    "unit size you have de-\n; cided upon for this Castery.\nquantum_unit_x=256\nquantum_unit_y="
    "256\nquantum_unit_z=256\n";

// The summary values in one line: description|class|game type|quantum units x|y|z.
std::string Loaded() {
    const CGeneratorSettings::SummaryInfo& s = theSettings.m_Summary;
    return s.m_strDescription + "|" + s.m_strGenClassName + "|" + std::to_string(s.m_nGameType) +
           "|" + std::to_string(s.m_nQuantumUnitX) + "|" + std::to_string(s.m_nQuantumUnitY) + "|" +
           std::to_string(s.m_nQuantumUnitZ);
}

class CCasterySummaryTest : public CConfigTest {
protected:
    CCasterySummaryTest() { theSettings.m_strSourceDir = m_strBin; }

    // Runs the summary step; whatever happens, the profile functions use the profile again.
    Texts LoadSummary() {
        CCasterySummary().LoadSummary();
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
    EXPECT_EQ(Loaded(), "Castle rooms|Castle|1|128|96|64");

    // A folder of the name counts as the file; its entries read as missing.
    ASSERT_TRUE(QFile::remove(QString::fromStdString(m_strSummary)));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(m_strSummary)));
    EXPECT_EQ(LoadSummary(), Texts{});
    EXPECT_EQ(Loaded(), "||0|0|0|0");
    EXPECT_EQ(TestFiles::ListFolder(m_strBin), Texts{"summary.INI"});
}

TEST_F(CCasterySummaryTest, MissingFileIsWrittenOnceAndReadOnTheNextStart) {
    EXPECT_EQ(LoadSummary(), Texts{PathMessage(m_strSummary)});
    EXPECT_EQ(Loaded(), "||2|256|256|256");
    EXPECT_EQ(TestFiles::ReadAll(m_strSummary), kDefaultFile);

    EXPECT_EQ(LoadSummary().size(), 1u) << "the second start showed a message";
    EXPECT_EQ(Loaded(), "not yet described|Generic|2|256|256|256");
}

TEST_F(CCasterySummaryTest, MissingFolderShowsThePathTwiceThenTheFailure) {
    theSettings.m_strSourceDir = PathOf("missing") + "/";
    const std::string path = theSettings.m_strSourceDir + "summary.INI";
    EXPECT_EQ(LoadSummary(),
              (Texts{PathMessage(path), PathMessage(path), "Couldn't open file!\n" + path}));
    EXPECT_FALSE(QFile::exists(m_Dir.filePath("missing")));
}

TEST_F(CCasterySummaryTest, DefaultFileThatCannotBeWrittenWholeIsNotLeftAndTheUserIsTold) {
    const auto load = [this] {
        return LoadSummary() ==
               Texts{PathMessage(m_strSummary), "Couldn't write file!\n" + m_strSummary};
    };
    EXPECT_EQ(ChildProcess::Run(load, 100), 0);
    EXPECT_EQ(TestFiles::ListFolder(m_strBin), Texts{});
}

}  // namespace
