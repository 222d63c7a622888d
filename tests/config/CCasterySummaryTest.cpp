#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CConfigTest.h"
#include "ChildProcess.h"
#include "TestFiles.h"
#include "config/CCasterySummary.h"

namespace {

const char* const kDefaultFile =
    "; Prefab Castery Summary Data File\n;\n[general]\n;\n"
    "; The description field should provide a brief friendly description of\n"
    "; the style of map that will be produced by using this Prefab Castery.\n"
    "description=not yet described\n;\n"
    "; The gen_class_name field must match the name of the class that\n"
    "; is required to generate maps using this Castery.\n"
    "gen_class_name=Generic\n;\n"
    "; The game_type field must be one of the following values:\n"
    "; 1= Quake\n; 2= Quake II\n; 3= Hexen II\ngame_type=2\n;\n"
    "; The quantum_unit fields must equal the quantum unit size you have de-\n"
    "; cided upon for this Castery.\n"
    "quantum_unit_x=256\nquantum_unit_y=256\nquantum_unit_z=256\n";

// The summary values as one comparable record.
struct Summary {
    std::string strDescription;
    std::string strGenClassName;
    std::vector<int> values;  // game type, quantum units x, y, z

    bool operator==(const Summary&) const = default;
};

void PrintTo(const Summary& s, std::ostream* pStream) {
    *pStream << s.strDescription << "|" << s.strGenClassName << "|"
             << testing::PrintToString(s.values);
}

Summary Loaded() {
    const CGeneratorSettings::SummaryInfo& s = theSettings.m_Summary;
    return {s.m_strDescription,
            s.m_strGenClassName,
            {s.m_nGameType, s.m_nQuantumUnitX, s.m_nQuantumUnitY, s.m_nQuantumUnitZ}};
}

const Summary kConstructionValues{"", "", {2, 256, 256, 256}};

class CCasterySummaryTest : public CConfigTest {
protected:
    CCasterySummaryTest() {
        QDir(m_Dir.path()).mkpath("castery");
        m_App.SetProfilePath();
        theSettings.m_strSourceDir = m_strCastery;
    }

    // Runs the summary step and checks that the profile functions use the profile again.
    std::vector<std::string> LoadSummary() {
        CCasterySummary().LoadSummary();
        EXPECT_EQ(m_App.GetProfileName(), m_strProfile);
        return m_Services.MessageTexts();
    }

    static std::string PathMessage(const std::string& path) {
        return "m_bUseCasteryFolder: true\n" + path;
    }

    const std::string m_strCastery = PathOf("castery") + "/";
    const std::string m_strSummary = m_strCastery + "summary.INI";
};

TEST_F(CCasterySummaryTest, ExistingFileIsReadWithoutAWordAndMissingEntriesTakeTheReadDefaults) {
    const struct {
        const char* pszContents;  // null: a folder named like the file
        Summary expected;
    } cases[] = {
        {"[General]\r\ndescription=Castle rooms\r\ngen_class_name=Castle\r\ngame_type=1\r\n"
         "quantum_unit_x=128\r\nquantum_unit_y=128\r\nquantum_unit_z=64\r\n",
         {"Castle rooms", "Castle", {1, 128, 128, 64}}},
        {"[general]\ndescription=Only this\n", {"Only this", "", {0, 0, 0, 0}}},
        {nullptr, {"", "", {0, 0, 0, 0}}},
    };
    for (const auto& c : cases) {
        QDir(QString::fromStdString(m_strCastery)).removeRecursively();
        if (c.pszContents == nullptr) {
            QDir().mkpath(QString::fromStdString(m_strSummary));
        } else {
            QDir().mkpath(QString::fromStdString(m_strCastery));
            TestFiles::WriteAll(m_strSummary, c.pszContents);
        }
        EXPECT_EQ(LoadSummary(), std::vector<std::string>{});
        EXPECT_EQ(Loaded(), c.expected);
        EXPECT_EQ(TestFiles::ListFolder(m_strCastery), std::vector<std::string>{"summary.INI"});
    }
}

TEST_F(CCasterySummaryTest, MissingFileIsWrittenOnceAndReadOnTheNextStart) {
    EXPECT_EQ(LoadSummary(), std::vector<std::string>{PathMessage(m_strSummary)});
    EXPECT_EQ(Loaded(), kConstructionValues);
    EXPECT_EQ(TestFiles::ReadAll(m_strSummary), kDefaultFile);

    theSettings.m_Summary = {};
    EXPECT_EQ(LoadSummary().size(), 1u) << "the second start showed a message";
    EXPECT_EQ(Loaded(), (Summary{"not yet described", "Generic", {2, 256, 256, 256}}));
}

TEST_F(CCasterySummaryTest, MissingSourceFolderShowsThePathTwiceThenTheFailure) {
    theSettings.m_strSourceDir = PathOf("missing") + "/";
    const std::string path = theSettings.m_strSourceDir + "summary.INI";
    EXPECT_EQ(LoadSummary(), (std::vector<std::string>{PathMessage(path), PathMessage(path),
                                                       "Couldn't open file!\n" + path}));
    EXPECT_EQ(Loaded(), kConstructionValues);
    EXPECT_FALSE(TestFiles::Exists(PathOf("missing")));
}

TEST_F(CCasterySummaryTest, DefaultFileThatCannotBeWrittenWholeIsNotLeftAndTheUserIsTold) {
    const ChildProcess::Outcome outcome = ChildProcess::RunWithFileSizeLimit(100, true, [this] {
        const std::vector<std::string> expected{PathMessage(m_strSummary),
                                                "Couldn't write file!\n" + m_strSummary};
        return LoadSummary() == expected;
    });
    EXPECT_EQ(outcome.nExitCode, 0);
    EXPECT_EQ(TestFiles::ListFolder(m_strCastery), std::vector<std::string>{});
}

TEST_F(CCasterySummaryTest, ReadAndWritePathsAddTheSeparatorByTheirOwnRules) {
    const struct {
        const char* pszSourceDir;
        const char* pszReadPath;
        const char* pszWritePath;
    } cases[] = {
        {"/", "//summary.INI", "/summary.INI"},
        {"", "/summary.INI", "/summary.INI"},
        {"ab", "ab/summary.INI", "ab/summary.INI"},
        {"/data/S2/", "/data/S2/summary.INI", "/data/S2/summary.INI"},
        {"D:\\S2\\", "D:\\S2\\summary.INI", "D:\\S2\\summary.INI"},
        {"/data/S2", "/data/S2summary.INI", "/data/S2/summary.INI"},
    };
    for (const auto& c : cases) {
        theSettings.m_strSourceDir = c.pszSourceDir;
        const CCasterySummary summary;
        EXPECT_EQ(summary.GetReadPath(), c.pszReadPath) << c.pszSourceDir;
        EXPECT_EQ(summary.GetWritePath(), c.pszWritePath) << c.pszSourceDir;
        EXPECT_EQ(m_Services.MessageTexts().back(),
                  std::string("m_bUseCasteryFolder: false\n") + c.pszWritePath);
    }
}

}  // namespace
