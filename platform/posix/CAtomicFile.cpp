// POSIX half of CAtomicFile: open(O_EXCL) beside the target, fsync, rename or renameat2.
#include "platform/CAtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>

namespace {

// Like the kernel's own limit on links followed in one lookup.
constexpr int kMaxLinksFollowed = 40;

std::string FolderOf(const std::string& path) {
    const size_t nSlash = path.rfind('/');
    if (nSlash == std::string::npos) {
        return ".";
    }
    return nSlash == 0 ? "/" : path.substr(0, nSlash);
}

// The file a chain of symbolic links ends at, so that the link itself survives the replace.
// A chain too long (or a loop) is left as it is: the open beside it then fails honestly.
std::string FollowLinks(std::string path) {
    for (int i = 0; i < kMaxLinksFollowed; ++i) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t nLength = readlink(path.c_str(), target.data(), target.size());
        if (nLength <= 0 || static_cast<size_t>(nLength) >= target.size()) {
            return path;
        }
        target.resize(static_cast<size_t>(nLength));
        path = target.front() == '/' ? target : FolderOf(path).append("/").append(target);
    }
    return path;
}

// A name no other writer picks: process id, a counter and a random part.
std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> nCounter{0};
    static const unsigned nRandom = std::random_device{}();
    const size_t nSlash = target.rfind('/');
    const std::string folder = nSlash == std::string::npos ? "" : target.substr(0, nSlash + 1);
    const std::string name = nSlash == std::string::npos ? target : target.substr(nSlash + 1);
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u.%x.tmp", static_cast<long>(getpid()),
                  nCounter.fetch_add(1), nRandom);
    return folder + "." + name + suffix;
}

// Makes the rename itself durable. A folder that cannot be synced changes nothing about the
// outcome: the file is in place either way.
void SyncFolder(const std::string& file) {
    const int fd = open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool IsNotAFile(const struct stat& info) {
    return !S_ISREG(info.st_mode);
}

}  // namespace

bool CAtomicFile::Open(const std::string& path) {
    Discard();
    m_eFailure = Failure::None;
    if (path.empty()) {
        return Fail(Failure::Io);
    }
    m_strTarget = FollowLinks(path);
    struct stat old {};
    const bool bExists = stat(m_strTarget.c_str(), &old) == 0;
    if (bExists && IsNotAFile(old)) {
        return Fail(Failure::NotAFile);
    }
    int fd = -1;
    for (int nTry = 0; fd < 0 && nTry < 100; ++nTry) {
        m_strTemporary = TemporaryName(m_strTarget);
        fd = open(m_strTemporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        m_strTemporary.clear();
        return Fail(Failure::Io);
    }
    if (bExists) {
        fchmod(fd, old.st_mode & 07777);
    }
    m_pStream = fdopen(fd, "wb");
    if (m_pStream == nullptr) {
        close(fd);
        return Fail(Failure::Io);
    }
    return true;
}

bool CAtomicFile::SyncToDisk(FILE* pStream) {
    return fsync(fileno(pStream)) == 0;
}

void CAtomicFile::RemoveFile(const std::string& path) {
    unlink(path.c_str());
}

bool CAtomicFile::MoveIntoPlace(CommitMode eMode) {
    struct stat current {};
    // Something else may have taken the name since Open: a folder, a pipe or a device stays.
    if (lstat(m_strTarget.c_str(), &current) == 0 && !S_ISLNK(current.st_mode) &&
        IsNotAFile(current)) {
        m_eFailure = Failure::NotAFile;
        return false;
    }
    if (eMode == CommitMode::Replace) {
        if (rename(m_strTemporary.c_str(), m_strTarget.c_str()) != 0) {
            m_eFailure = Failure::Io;
            return false;
        }
    } else {
        int nResult = -1;
#ifdef RENAME_NOREPLACE
        nResult = renameat2(AT_FDCWD, m_strTemporary.c_str(), AT_FDCWD, m_strTarget.c_str(),
                            RENAME_NOREPLACE);
#else
        errno = ENOSYS;
#endif
        // File systems without renameat2's flag: a hard link fails as well when the name is
        // taken, and the temporary name goes after it.
        if (nResult != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
            nResult = link(m_strTemporary.c_str(), m_strTarget.c_str());
            if (nResult == 0) {
                unlink(m_strTemporary.c_str());
            }
        }
        if (nResult != 0) {
            m_eFailure = errno == EEXIST ? Failure::Exists : Failure::Io;
            return false;
        }
    }
    SyncFolder(m_strTarget);
    return true;
}
