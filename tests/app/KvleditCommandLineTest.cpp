#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <string>

#include "ProgramRun.h"
#include "TestFiles.h"

namespace {

// Help, version and a refused option end before anything is opened: the profile beside the
// program keeps its bytes (no identifier used up) and its folder gets no file.
TEST(KvleditCommandLineTest, HelpVersionAndUnknownOptionsTouchNothing) {
    QTemporaryDir folder;
    const QString program = folder.filePath("kvledit");
    ASSERT_TRUE(QFile::copy(KVLEDIT_PATH, program));
    const std::string profile = folder.filePath("Gridforge.INI").toStdString();
    TestFiles::WriteAll(profile, "[ID]\r\nNEXT_ID=7\r\n");
    const auto listing = TestFiles::ListFolder(folder.path().toStdString());

    const struct {
        const char* pszOption;
        int nExitCode;
        const char* pszOut;  // the start of standard output
        const char* pszErr;
    } cases[] = {
        {"--version", 0, "kvledit 1.0", ""},
        {"--help", 0, "kvledit writes", ""},
        {"--bogus", 2, "",
         "kvledit: The following argument was not expected: --bogus (run with --help for more "
         "information)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszOption);
        const ProgramRun::Result run = ProgramRun::Run(program.toStdString(), {c.pszOption},
                                                       {.strFolder = folder.path().toStdString()});
        EXPECT_EQ(run.nExitCode, c.nExitCode);
        EXPECT_TRUE(run.strOut.starts_with(c.pszOut));
        EXPECT_EQ(run.strErr, c.pszErr);
    }
    EXPECT_EQ(TestFiles::ReadAll(profile), "[ID]\r\nNEXT_ID=7\r\n");
    EXPECT_EQ(TestFiles::ListFolder(folder.path().toStdString()), listing);
}

}  // namespace
