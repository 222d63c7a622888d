#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "platform/CAtomicFile.h"

// Pipes, symbolic links and permission bits are POSIX's; elsewhere the tools' tests prove
// the replacement.
#ifndef _WIN32
#include <sys/stat.h>

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

}  // namespace
#endif
