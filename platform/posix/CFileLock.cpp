// POSIX half of CFileLock: flock, which belongs to the open file and so dies with its holder.
#include "platform/CFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

intptr_t CFileLock::OpenLockFile(const std::string& lockPath) {
    int fd = -1;
    do {
        fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    // flock needs no write access: a lock file of another user's, or the profile itself when
    // it is the lock, may be read-only to this one. Non-blocking, so a pipe cannot hold it.
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
        do {
            fd = open(lockPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
    }
    return fd < 0 ? kNoHandle : fd;
}

bool CFileLock::TryLock(intptr_t nHandle) {
    return flock(static_cast<int>(nHandle), LOCK_EX | LOCK_NB) == 0;
}

void CFileLock::Close(intptr_t nHandle) {
    close(static_cast<int>(nHandle));
}
