#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "platform/CAtomicFile.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

using Failure = CAtomicFile::Failure;
using Mode = CAtomicFile::CommitMode;
using Names = std::vector<std::string>;

bool WriteAndCommit(const std::string& path, const std::string& bytes, Mode eMode,
                    Failure& eFailure) {
    CAtomicFile file;
    const bool bDone = file.Open(path) &&
                       std::fwrite(bytes.data(), 1, bytes.size(), file.Stream()) == bytes.size() &&
                       file.Commit(eMode);
    eFailure = file.LastFailure();
    return bDone;
}

// Every outcome leaves the folder with the target's old or new bytes and no temporary file.
TEST(CAtomicFileTest, PutsAFileInPlaceByItsModeAndLeavesNothingElse) {
    struct Case {
        const char* pszName;
        Mode eMode;
        bool bOldFile;
        bool bDone;
        Failure eFailure;
    };
    const Case cases[] = {
        {"new, replace", Mode::Replace, false, true, Failure::None},
        {"old, replace", Mode::Replace, true, true, Failure::None},
        {"new, create", Mode::CreateIfAbsent, false, true, Failure::None},
        {"old, create", Mode::CreateIfAbsent, true, false, Failure::Exists},
    };
    for (const Case& test : cases) {
        TestFiles::TempFolder folder;
        const std::string target = folder.PathOf("target.KVL");
        if (test.bOldFile) {
            TestFiles::WriteAll(target, "old\r\n");
        }
        Failure eFailure = Failure::Io;
        EXPECT_EQ(WriteAndCommit(target, "new\n", test.eMode, eFailure), test.bDone)
            << test.pszName;
        EXPECT_EQ(eFailure, test.eFailure) << test.pszName;
        EXPECT_EQ(TestFiles::ReadAll(target), test.bDone ? "new\n" : "old\r\n") << test.pszName;
        EXPECT_EQ(folder.Files(), Names{"target.KVL"}) << test.pszName;
    }
}

TEST(CAtomicFileTest, AFolderIsNeverReplacedAndAMissingFolderIsReported) {
    TestFiles::TempFolder folder;
    std::filesystem::create_directory(folder.PathOf("sub"));
    Failure eFailure = Failure::None;
    EXPECT_FALSE(WriteAndCommit(folder.PathOf("sub"), "x", Mode::Replace, eFailure));
    EXPECT_EQ(eFailure, Failure::NotAFile);
    EXPECT_FALSE(WriteAndCommit(folder.PathOf("missing/x.KVL"), "x", Mode::Replace, eFailure));
    EXPECT_EQ(eFailure, Failure::Io);
    EXPECT_EQ(folder.Files(), Names{"sub"});
    EXPECT_TRUE(std::filesystem::is_empty(folder.PathOf("sub")));
}

#ifndef _WIN32
// A pipe is never replaced by a regular file (nor opened, which could block); a link stays a
// link and the file it names gets the new bytes, its permissions kept.
TEST(CAtomicFileTest, APipeStaysAndALinkedFileIsReplacedBehindItsLink) {
    TestFiles::TempFolder folder;
    ASSERT_EQ(mkfifo(folder.PathOf("pipe").c_str(), 0600), 0);
    TestFiles::WriteAll(folder.PathOf("real"), "old");
    ASSERT_EQ(chmod(folder.PathOf("real").c_str(), 0604), 0);
    std::filesystem::create_symlink("real", folder.PathOf("link"));
    Failure eFailure = Failure::None;
    for (const Mode eMode : {Mode::Replace, Mode::CreateIfAbsent}) {
        EXPECT_FALSE(WriteAndCommit(folder.PathOf("pipe"), "x", eMode, eFailure));
        EXPECT_EQ(eFailure, Failure::NotAFile);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.PathOf("pipe")));

    ASSERT_TRUE(WriteAndCommit(folder.PathOf("link"), "new", Mode::Replace, eFailure));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.PathOf("link")));
    EXPECT_EQ(TestFiles::ReadAll(folder.PathOf("real")), "new");
    EXPECT_EQ(std::filesystem::status(folder.PathOf("real")).permissions(),
              std::filesystem::perms(0604));
    EXPECT_EQ(folder.Files(), (Names{"link", "pipe", "real"}));
}
#endif

}  // namespace
