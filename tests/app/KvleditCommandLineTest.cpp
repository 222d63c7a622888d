#include <gtest/gtest.h>

#include <filesystem>

#include "ProgramRun.h"
#include "TestFiles.h"

namespace {

// Help, version and a refused option end before anything is opened: the profile beside the
// program keeps its bytes (no identifier used up) and its folder gets no file.
TEST(KvleditCommandLineTest, HelpVersionAndUnknownOptionsTouchNothing) {
    const TestFiles::TempFolder folder;
    const std::string program = folder.PathOf("kvledit");
    ASSERT_TRUE(std::filesystem::copy_file(KVLEDIT_PATH, program));
    TestFiles::WriteAll(folder.PathOf("Gridforge.INI"), "[ID]\r\nNEXT_ID=7\r\n");

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
        const ProgramRun::Result run =
            ProgramRun::Run(program, {c.pszOption}, {.strFolder = folder.Path()});
        EXPECT_EQ(run.nExitCode, c.nExitCode);
        EXPECT_TRUE(run.strOut.starts_with(c.pszOut));
        EXPECT_EQ(run.strErr, c.pszErr);
    }
    EXPECT_EQ(TestFiles::ReadAll(folder.PathOf("Gridforge.INI")), "[ID]\r\nNEXT_ID=7\r\n");
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"Gridforge.INI", "kvledit"}));
}

}  // namespace
