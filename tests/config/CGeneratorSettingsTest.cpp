#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <set>

#include "CConfigTest.h"
#ifndef _WIN32
#include "TestUser.h"
#endif
#include "fileio/PathText.h"

namespace {

// Every setting, in the order the profile lists them, each followed by "|".
std::string AllSettings(const CGeneratorSettings& s) {
    std::string all;
    for (const std::string& value :
         {s.m_strTemplateDir, s.m_strSourceDir, s.m_strTargetDir, std::to_string(s.m_nGameType),
          s.m_strClientPath, s.m_strQuakeIQbsp, s.m_strQuakeILight, s.m_strQuakeIVis,
          s.m_strQuakeIIQbsp, s.m_strQuakeIIVis, s.m_strQuakeIILight,
          std::to_string(s.m_nTemplateX), std::to_string(s.m_nTemplateY),
          std::to_string(s.m_nTemplateZ), std::to_string(s.m_fPercentToFill)}) {
        all += value + "|";
    }
    return all;
}

using CGeneratorSettingsTest = CConfigTest;

TEST_F(CGeneratorSettingsTest, ProfileLiesBesideTheExecutableHoweverLongItsPath) {
    const std::string folder = PathOf(std::string(200, 'd') + "/" + std::string(200, 'd')) + "/";
    std::filesystem::create_directories(folder);
    m_Services.SetExecutablePath(folder + "kvledit");
    m_App.SetProfilePath();
    EXPECT_EQ(m_App.GetProfileName(), folder + "Gridforge.INI");
}

TEST_F(CGeneratorSettingsTest, LoadWithoutProfileTakesTheDefaultsBesideTheExecutable) {
    std::filesystem::create_directories(PathOf("maps/S2"));
    m_Settings.Load();

    const std::string& bin = m_strBin;
    EXPECT_EQ(AllSettings(m_Settings),
              bin + PathText::Native("..\\maps\\templates\\|") + bin +
                  PathText::Native("..\\maps\\S2\\|C:\\Quake2\\baseq2\\maps\\|2|") + bin +
                  "client.exe|" + bin + "qbsp.exe|" + bin + "light.exe|" + bin + "vis.exe|" + bin +
                  "qbsp3.exe|" + bin + "qvis3.exe|" + bin + "qrad3.exe|4|4|2|0.600000|");
    // Reading creates no profile; the summary step wrote its default file in the source folder.
    EXPECT_EQ(TestFiles::ListFolder(bin), Texts{});
    EXPECT_EQ(TestFiles::ListFolder(PathOf("maps/S2")), Texts{"summary.INI"});
}

// A directory keeps its closing slash or backslash and gets one where it has none; the
// fraction is read as atof reads it.
TEST_F(CGeneratorSettingsTest, LoadReadsEveryKeyIntoItsOwnSetting) {
    TestFiles::WriteAll(m_strBin + "summary.INI", "[general]\n");
    TestFiles::WriteAll(
        m_strProfile,
        "[globals]\nsource_directory=" + m_strBin +
            "\nTEMPLATE_DIRECTORY=/t\ntarget_directory=D:\\g\\\ngame_type=3\nclient_path=c\n"
            "quake_i_qbsp=q1b\nquake_i_light=q1l\nquake_i_vis=q1v\n"
            "quake_ii_qbsp=q2b\nquake_ii_vis=q2v\nquake_ii_light=q2l\n"
            "[Template_Settings]\nx=5\ny=6\nz=7\npercent_to_fill=0.25xyz\n");
    m_Settings.Load();

    EXPECT_EQ(AllSettings(m_Settings), PathText::WithTrailingSeparator("/t") + "|" + m_strBin +
                                           "|D:\\g\\|3|c|q1b|q1l|q1v|q2b|q2v|q2l|5|6|7|0.250000|");
}

// First the disk is full; then the lock cannot be taken (a folder has the lock file's name),
// and the counter is left alone: another editor may be advancing it.
TEST_F(CGeneratorSettingsTest, IdentifierThatCannotBeReservedIsReportedAndUsed) {
    const auto allocate = [this] {
        return m_Settings.AllocateNextId() == CGeneratorSettings::IdAllocation::NotReserved &&
               m_Settings.m_Definition.m_nId == 41 &&
               m_Services.MessageTexts() ==
                   Texts{"Couldn't reserve the identifier!\n" + m_strProfile +
                         "\nIdentifier 41 may be handed out again."};
    };
    const std::string counter = "[ID]\nNEXT_ID=41\n";
    for (const auto& [profile, nFileSizeLimit] :
         {std::pair{counter + std::string(8000, ';'), 4096}, {counter, 0}}) {
        TestFiles::WriteAll(m_strProfile, profile);
        if (nFileSizeLimit == 0) {
            std::filesystem::remove(m_strProfile + ".lock");
            std::filesystem::create_directory(m_strProfile + ".lock");
        }
#ifdef _WIN32
        if (nFileSizeLimit > 0) {
            continue;  // Windows has no limit to make the disk seem full
        }
        EXPECT_TRUE(allocate()) << "41 and one message expected";
#else
        EXPECT_EQ(ChildProcess::Run(allocate, nFileSizeLimit), 0) << "41 and one message expected";
#endif
        EXPECT_EQ(TestFiles::ReadAll(m_strProfile), profile);
    }
}

// Gates, forked editors and other users are POSIX's.
#ifndef _WIN32
// Each editor waits at a gate until all are there; its exit code is its identifier, or 0 when
// it showed a message box. Half of them reach the profile through a symbolic link. A user who
// cannot write the profile's folder has the profile rewritten in place, and the lock on it.
TEST_F(CGeneratorSettingsTest, EditorsStartedTogetherReceiveDistinctConsecutiveIdentifiers) {
    const passwd* pUser = TestUser::Ensure();
    if (pUser == nullptr) {
        GTEST_SKIP() << "only root can create the user the editors run as";
    }
    std::filesystem::create_symlink(m_strProfile, PathOf("link.INI"));
    TestFiles::WriteAll(m_strProfile, "[ID]\nNEXT_ID=41\n");
    ASSERT_EQ(chown(m_strProfile.c_str(), pUser->pw_uid, pUser->pw_gid), 0);
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<int> editors;
    std::set<int> expected;
    for (int i = 0; i < 40; ++i) {
        expected.insert(41 + i);
        editors.push_back(ChildProcess::Start([&] {
            char c = 0;
            close(gate[1]);
            if (read(gate[0], &c, 1) != 0 || !TestUser::Become(*pUser)) {
                return 0;
            }
            if (i % 2 == 1) {
                m_App.SetProfileName(PathOf("link.INI"));
            }
            m_Settings.AllocateNextId();
            return m_Services.MessageTexts().empty()
                       ? static_cast<int>(m_Settings.m_Definition.m_nId)
                       : 0;
        }));
    }
    close(gate[0]);
    close(gate[1]);  // opens the gate for all at once
    std::set<int> ids;
    for (const int nEditor : editors) {
        ids.insert(ChildProcess::Wait(nEditor));
    }
    EXPECT_EQ(ids, expected);
    EXPECT_EQ(TestFiles::ReadAll(m_strProfile), "[ID]\nNEXT_ID=81\n");
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.INI")));
    EXPECT_EQ(TestFiles::ListFolder(m_strBin), Texts{"Gridforge.INI"});
}

#endif

}  // namespace
