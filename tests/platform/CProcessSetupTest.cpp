#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <string>

#include "ChildProcess.h"

namespace {

// A child whose files may hold 16 bytes writes 64: with the signal ignored the write fails
// with EFBIG and the process goes on; without, the process is killed.
ChildProcess::Outcome WriteBeyondLimit(const std::string& path, bool bIgnoreSignal) {
    return ChildProcess::RunWithFileSizeLimit(16, bIgnoreSignal, [&] {
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string bytes(64, 'x');
        ssize_t nWritten = 0;
        while ((nWritten = write(fd, bytes.data(), bytes.size())) > 0) {
            // the first write may be cut short at the limit; the next one meets it
        }
        const bool bFailedWithEfbig = nWritten < 0 && errno == EFBIG;
        close(fd);
        return bFailedWithEfbig;
    });
}

TEST(CProcessSetupTest, IgnoringTheFileSizeSignalTurnsItIntoAWriteError) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath("big").toStdString();

    const ChildProcess::Outcome ignoring = WriteBeyondLimit(path, true);
    EXPECT_TRUE(ignoring.bExited);
    EXPECT_EQ(ignoring.nExitCode, 0);

    const ChildProcess::Outcome notIgnoring = WriteBeyondLimit(path, false);
    EXPECT_FALSE(notIgnoring.bExited);
    EXPECT_EQ(notIgnoring.nSignal, SIGXFSZ);
}

}  // namespace
#endif
