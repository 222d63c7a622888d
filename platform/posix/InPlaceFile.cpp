// POSIX half of InPlaceFile: write, ftruncate and fsync on the file itself.
#include "platform/InPlaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    size_t nDone = 0;
    while (nDone < bytes.size()) {
        const ssize_t nWritten = write(fd, bytes.data() + nDone, bytes.size() - nDone);
        if (nWritten < 0 && errno == EINTR) {
            continue;
        }
        if (nWritten <= 0) {
            return false;
        }
        nDone += static_cast<size_t>(nWritten);
    }
    return true;
}

}  // namespace

bool InPlaceFile::ReplaceWouldChange(const std::string& resolved) {
    struct stat info {};
    return stat(resolved.c_str(), &info) != 0 || info.st_nlink > 1 || info.st_uid != geteuid() ||
           access(resolved.c_str(), W_OK) != 0;
}

bool InPlaceFile::Write(const std::string& path, const std::string& bytes) {
    // Non-blocking, so that a pipe put in the file's place cannot hold the writer up.
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool bWritten = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    // Room for a longer content is taken first, so that a full disk fails before any byte of
    // the old content is overwritten.
    const off_t nLength = static_cast<off_t>(bytes.size());
    if (bWritten && nLength > info.st_size) {
        const int nResult = posix_fallocate(fd, 0, nLength);
        bWritten = nResult == 0 || nResult == EINVAL || nResult == EOPNOTSUPP;
    }
    bWritten = bWritten && WriteAll(fd, bytes) && ftruncate(fd, nLength) == 0 && fsync(fd) == 0;
    return close(fd) == 0 && bWritten;
}
