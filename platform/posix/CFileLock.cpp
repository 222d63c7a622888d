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
    return fd < 0 ? kNoHandle : fd;
}

bool CFileLock::TryLock(intptr_t nHandle) {
    return flock(static_cast<int>(nHandle), LOCK_EX | LOCK_NB) == 0;
}

void CFileLock::Close(intptr_t nHandle) {
    close(static_cast<int>(nHandle));
}
