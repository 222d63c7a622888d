#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "fileio/CFileWriter.h"

namespace {

// A writer dropped before Close (an early return) may hold half a file: the older file stays,
// and so do its permissions once it is replaced; a new file follows the umask.
TEST(CFileWriterTest, ReplacesAFileOnlyOnCloseAndKeepsItsPermissions) {
    TestFiles::TempFolder folder;
    const std::string older = folder.PathOf("older");
    const std::string newer = folder.PathOf("newer");
    TestFiles::WriteAll(older, "older");
#ifndef _WIN32
    ASSERT_EQ(chmod(older.c_str(), 0604), 0);
#endif
    {
        CFileWriter writer;
        ASSERT_TRUE(writer.Open(older, "wb") && writer.WriteString("newer"));
    }
    EXPECT_FALSE(CFileWriter().Open(older, "a")) << "not a write mode";
    EXPECT_EQ(TestFiles::ReadAll(older), "older");
    EXPECT_EQ(TestFiles::ListFolder(folder.Path()), std::vector<std::string>{"older"});

#ifndef _WIN32  // Windows files have no permission bits
    const mode_t nUmask = umask(027);
    for (const std::string& path : {older, newer}) {
        CFileWriter writer;
        EXPECT_TRUE(writer.Open(path, "wb") && writer.Close());
    }
    umask(nUmask);
    EXPECT_EQ(std::filesystem::status(newer).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(std::filesystem::status(older).permissions(), std::filesystem::perms(0604));
#endif
}

}  // namespace
