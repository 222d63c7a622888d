#include <filesystem>

#include "CConfigTest.h"
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

TEST_F(CGeneratorSettingsTest, LoadTakesTheDefaultsBesideTheExecutableThenEveryKeyGiven) {
    std::filesystem::create_directories(m_Dir.PathOf("maps/S2"));
    m_Settings.Load();

    const std::string& bin = m_strBin;
    EXPECT_EQ(AllSettings(m_Settings),
              bin + PathText::Native("..\\maps\\templates\\|") + bin +
                  PathText::Native("..\\maps\\S2\\|C:\\Quake2\\baseq2\\maps\\|2|") + bin +
                  "client.exe|" + bin + "qbsp.exe|" + bin + "light.exe|" + bin + "vis.exe|" + bin +
                  "qbsp3.exe|" + bin + "qvis3.exe|" + bin + "qrad3.exe|4|4|2|0.600000|");
    // Reading creates no profile; the summary step wrote its default file in the source folder.
    EXPECT_EQ(TestFiles::ListFolder(bin), Texts{});
    EXPECT_EQ(TestFiles::ListFolder(m_Dir.PathOf("maps/S2")), Texts{"summary.INI"});

    // Then every key goes into its own setting. A directory keeps its closing slash or
    // backslash and gets one where it has none; the fraction is read as atof reads it.
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

}  // namespace
