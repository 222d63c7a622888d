#include <gtest/gtest.h>

#include <QLockFile>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <sstream>
#include <vector>

#include "CConfigTest.h"
#include "ChildProcess.h"
#include "TestFiles.h"
#include "platform/CProfileFile.h"

namespace {

class CGeneratorSettingsTest : public CConfigTest {
protected:
    // Loads with a profile holding text and a Castery folder whose summary file exists, so
    // that no message box interferes.
    void LoadWith(const std::string& text) {
        QDir(m_Dir.path()).mkpath("castery");
        TestFiles::WriteAll(PathOf("castery/summary.INI"), "[general]\n");
        TestFiles::WriteAll(m_strProfile,
                            "[globals]\nsource_directory=" + PathOf("castery") + "\n" + text);
        m_App.SetProfilePath();
        theSettings.Load();
        EXPECT_EQ(m_Services.Messages().size(), 0u);
    }

    std::string ReserveFailed(uint32_t nId) const {
        return "Couldn't reserve the identifier!\n" + m_strProfile + "\nIdentifier " +
               std::to_string(nId) + " may be handed out again.";
    }
};

TEST_F(CGeneratorSettingsTest, ProfileLiesBesideTheExecutable) {
    const std::string longFolder = "/" + std::string(300, 'd') + "/";
    const std::pair<std::string, std::string> cases[] = {
        {"/opt/kvl/kvledit", "/opt/kvl/Gridforge.INI"},
        {"/kvledit", "/Gridforge.INI"},
        {"C:\\Tools\\kvledit.exe", "C:\\Tools\\Gridforge.INI"},
        {longFolder + "kvledit", longFolder + "Gridforge.INI"},
        {"kvledit", "Gridforge.INI"},
        {"", "Gridforge.INI"},
    };
    for (const auto& [executable, profile] : cases) {
        theSettings.Reset();
        m_Services.SetExecutablePath(executable);
        m_App.SetProfilePath();
        EXPECT_EQ(theSettings.m_strProfilePath, profile) << executable;
        EXPECT_EQ(m_App.GetProfileName(), profile) << executable;
    }
}

TEST_F(CGeneratorSettingsTest, LoadWithoutProfileTakesTheDefaultsBesideTheExecutable) {
    QDir(m_Dir.path()).mkpath("maps/S2");
    m_App.SetProfilePath();
    theSettings.Load();

    const CGeneratorSettings& s = theSettings;
    EXPECT_EQ(s.m_strTemplateDir, m_strBin + "../maps/templates/");
    EXPECT_EQ(s.m_strSourceDir, m_strBin + "../maps/S2/");
    EXPECT_EQ(s.m_strTargetDir, "C:/Quake2/baseq2/maps/");
    EXPECT_EQ(s.m_nGameType, 2);
    EXPECT_EQ(s.m_strClientPath, m_strBin + "client.exe");
    EXPECT_EQ(s.m_strQuakeIQbsp + s.m_strQuakeILight + s.m_strQuakeIVis,
              m_strBin + "qbsp.exe" + m_strBin + "light.exe" + m_strBin + "vis.exe");
    EXPECT_EQ(s.m_strQuakeIIQbsp + s.m_strQuakeIIVis + s.m_strQuakeIILight,
              m_strBin + "qbsp3.exe" + m_strBin + "qvis3.exe" + m_strBin + "qrad3.exe");
    EXPECT_EQ(std::vector<int>({s.m_nTemplateX, s.m_nTemplateY, s.m_nTemplateZ}),
              std::vector<int>({4, 4, 2}));
    EXPECT_FLOAT_EQ(s.m_fPercentToFill, 0.6f);
    // Reading creates no profile; the summary step wrote its default file in the source folder.
    EXPECT_EQ(TestFiles::ListFolder(m_strBin), std::vector<std::string>{});
    EXPECT_EQ(m_Services.MessageTexts(),
              std::vector<std::string>{"m_bUseCasteryFolder: true\n" + m_strBin +
                                       "../maps/S2/summary.INI"});
    EXPECT_TRUE(TestFiles::Exists(PathOf("maps/S2/summary.INI")));
}

TEST_F(CGeneratorSettingsTest, LoadReadsEveryKeyIntoItsOwnMember) {
    LoadWith(
        "TEMPLATE_DIRECTORY=/t\ntarget_directory=/g\ngame_type=3\nclient_path=c\n"
        "quake_i_qbsp=q1b\nquake_i_light=q1l\nquake_i_vis=q1v\n"
        "quake_ii_qbsp=q2b\nquake_ii_vis=q2v\nquake_ii_light=q2l\n"
        "[Template_Settings]\nx=5\ny=6\nz=7\npercent_to_fill=0.25\n");

    const CGeneratorSettings& s = theSettings;
    EXPECT_EQ(s.m_strTemplateDir + s.m_strSourceDir + s.m_strTargetDir,
              "/t/" + PathOf("castery") + "/" + "/g/");
    EXPECT_EQ(s.m_nGameType, 3);
    EXPECT_EQ(s.m_strClientPath, "c");
    EXPECT_EQ(s.m_strQuakeIQbsp + s.m_strQuakeILight + s.m_strQuakeIVis, "q1bq1lq1v");
    EXPECT_EQ(s.m_strQuakeIIQbsp + s.m_strQuakeIIVis + s.m_strQuakeIILight, "q2bq2vq2l");
    EXPECT_EQ(std::vector<int>({s.m_nTemplateX, s.m_nTemplateY, s.m_nTemplateZ}),
              std::vector<int>({5, 6, 7}));
    EXPECT_FLOAT_EQ(s.m_fPercentToFill, 0.25f);

    // After the summary step every profile access goes to the shared profile again.
    theSettings.AllocateNextId();
    EXPECT_EQ(CProfileFile::GetInt(m_strProfile, "ID", "NEXT_ID", 0), 2u);
    EXPECT_EQ(TestFiles::ReadAll(PathOf("castery/summary.INI")), "[general]\n");
}

TEST_F(CGeneratorSettingsTest, DirectoriesEndInOneSeparator) {
    const std::pair<std::string, std::string> cases[] = {
        {"/data/t", "/data/t/"}, {"/data/t/", "/data/t/"}, {"D:\\t\\", "D:\\t\\"},
        {"D:/t/", "D:/t/"},      {"D:\\t", "D:\\t/"},      {"", "/"},
    };
    for (const auto& [value, expected] : cases) {
        theSettings.Reset();
        LoadWith("template_directory=" + value + "\ntarget_directory=" + value + "\n");
        EXPECT_EQ(theSettings.m_strTemplateDir, expected) << value;
        EXPECT_EQ(theSettings.m_strTargetDir, expected) << value;
    }
}

TEST_F(CGeneratorSettingsTest, PercentToFillIsReadAsAtofReadsIt) {
    const std::pair<std::string, float> cases[] = {
        {"0.25", 0.25f}, {"abc", 0.0f}, {"", 0.0f},        {"0.75xyz", 0.75f},
        {"1e-1", 0.1f},  {"-2", -2.0f}, {"0x1p-2", 0.25f}, {"1e300", INFINITY},
    };
    for (const auto& [value, expected] : cases) {
        theSettings.Reset();
        LoadWith("[template_settings]\npercent_to_fill=" + value + "\n");
        EXPECT_EQ(theSettings.m_fPercentToFill, expected) << value;
    }
}

TEST_F(CGeneratorSettingsTest, AllocationHandsOutTheCounterAndAdvancesIt) {
    const struct {
        const char* pszBefore;  // null: no profile yet
        uint32_t nId;
        const char* pszAfter;
    } cases[] = {
        {nullptr, 1, "[ID]\nNEXT_ID=2\n"},
        {";c\r\n[globals]\r\nx=1\r\n[ID]\r\nNEXT_ID=41\r\n", 41,
         ";c\r\n[globals]\r\nx=1\r\n[ID]\r\nNEXT_ID=42\r\n"},
        {"[ID]\nNEXT_ID=-1\n", 0xFFFFFFFFu, "[ID]\nNEXT_ID=0\n"},
    };
    m_App.SetProfilePath();
    for (const auto& c : cases) {
        QFile::remove(QString::fromStdString(m_strProfile));
        if (c.pszBefore != nullptr) {
            TestFiles::WriteAll(m_strProfile, c.pszBefore);
        }
        theSettings.AllocateNextId();
        EXPECT_EQ(theSettings.m_Definition.m_nId, c.nId);
        EXPECT_EQ(TestFiles::ReadAll(m_strProfile), c.pszAfter);
    }
    EXPECT_EQ(m_Services.Messages().size(), 0u);
    EXPECT_EQ(TestFiles::ListFolder(m_strBin), std::vector<std::string>{"Gridforge.INI"});
}

TEST_F(CGeneratorSettingsTest, UnreservedIdentifierIsReportedAndUsed) {
    m_App.SetProfilePath();
    size_t nMessages = 0;
    for (const char* pszObstacle : {"profile is a folder", "folder is missing"}) {
        if (std::string(pszObstacle) == "profile is a folder") {
            QDir().mkpath(QString::fromStdString(m_strProfile));
        } else {
            QDir(QString::fromStdString(m_strBin)).removeRecursively();
        }
        theSettings.AllocateNextId();
        EXPECT_EQ(theSettings.m_Definition.m_nId, 1u) << pszObstacle;
        EXPECT_EQ(m_Services.MessageTexts(),
                  std::vector<std::string>(++nMessages, ReserveFailed(1)))
            << pszObstacle;
    }
}

TEST_F(CGeneratorSettingsTest, FullDiskKeepsTheProfileAndTellsTheUser) {
    const std::string old = "[ID]\nNEXT_ID=41\n" + std::string(8000, ';') + "\n";
    TestFiles::WriteAll(m_strProfile, old);
    m_App.SetProfilePath();
    const ChildProcess::Outcome outcome = ChildProcess::RunWithFileSizeLimit(4096, true, [this] {
        theSettings.AllocateNextId();
        const bool bTold = m_Services.MessageTexts() == std::vector<std::string>{ReserveFailed(41)};
        return theSettings.m_Definition.m_nId == 41 && bTold;
    });
    EXPECT_EQ(outcome.nExitCode, 0) << "identifier 41 with one message expected";
    EXPECT_EQ(TestFiles::ReadAll(m_strProfile), old);
}

TEST_F(CGeneratorSettingsTest, LockOfACrashedEditorIsTakenOver) {
    m_App.SetProfilePath();
    const ChildProcess::Outcome locked = ChildProcess::Run([this] {
        // Never unlocked: the child dies holding the lock.
        auto* pLock = new QLockFile(QString::fromStdString(m_strProfile + ".lock"));
        return pLock->tryLock();
    });
    ASSERT_EQ(locked.nExitCode, 0);
    ASSERT_TRUE(TestFiles::Exists(m_strProfile + ".lock"));
    theSettings.AllocateNextId();
    EXPECT_EQ(theSettings.m_Definition.m_nId, 1u);
    EXPECT_EQ(m_Services.Messages().size(), 0u);
    EXPECT_EQ(TestFiles::ReadAll(m_strProfile), "[ID]\nNEXT_ID=2\n");
}

TEST_F(CGeneratorSettingsTest, EditorsStartedTogetherReceiveDistinctConsecutiveIdentifiers) {
    constexpr uint32_t kEditors = 12;
    TestFiles::WriteAll(m_strProfile, "[ID]\nNEXT_ID=41\n");
    std::vector<std::unique_ptr<QProcess>> editors;
    for (uint32_t i = 0; i < kEditors; ++i) {
        editors.push_back(std::make_unique<QProcess>());
        editors.back()->start(KVL_ID_ALLOCATOR, {QString::fromStdString(PathOf("bin/kvledit"))});
    }
    for (auto& editor : editors) {
        ASSERT_TRUE(editor->waitForReadyRead(30000));
        editor->readLine();
    }
    for (auto& editor : editors) {  // all at once
        editor->write("go\n");
        editor->waitForBytesWritten();
    }
    std::vector<uint32_t> ids;
    for (auto& editor : editors) {
        ASSERT_TRUE(editor->waitForFinished(60000));
        std::istringstream output(editor->readAllStandardOutput().toStdString());
        uint32_t nId = 0;
        size_t nMessages = 1;
        output >> nId >> nMessages;
        ids.push_back(nId);
        EXPECT_EQ(nMessages, 0u);
    }
    std::sort(ids.begin(), ids.end());
    std::vector<uint32_t> expected(kEditors);
    std::iota(expected.begin(), expected.end(), 41u);
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(TestFiles::ReadAll(m_strProfile),
              "[ID]\nNEXT_ID=" + std::to_string(41 + kEditors) + "\n");
}

}  // namespace
