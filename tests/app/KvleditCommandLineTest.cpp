#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

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

    // The option, the exit code, the start of standard output, the error stream.
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"--version", 0, "kvledit 1.0", ""},
        {"--help", 0, "kvledit writes", ""},
        {"--bogus", 2, "",
         "kvledit: The following argument was not expected: --bogus (run with --help for more "
         "information)\n"},
    };
    for (const auto& [pszOption, nExitCode, pszOut, pszErr] : cases) {
        SCOPED_TRACE(pszOption);
        const ProgramRun::Result run =
            ProgramRun::Run(program, {pszOption}, {.strFolder = folder.Path()});
        EXPECT_EQ(run.nExitCode, nExitCode);
        EXPECT_TRUE(run.strOut.starts_with(pszOut));
        EXPECT_EQ(run.strErr, pszErr);
    }
    EXPECT_EQ(TestFiles::ReadAll(folder.PathOf("Gridforge.INI")), "[ID]\r\nNEXT_ID=7\r\n");
    EXPECT_EQ(folder.Files(), (std::vector<std::string>{"Gridforge.INI", "kvledit"}));
}

}  // namespace
