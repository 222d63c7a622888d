#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// An exclusive lock between processes, held on a lock file that the operating system releases
// when its holder ends, however it ends: a killed process never leaves a stale lock. The lock
// file is created when missing and never deleted (deleting it would let two processes lock
// two different files of one name).
class CFileLock {
public:
    CFileLock() = default;
    ~CFileLock();  // releases the lock
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // The lock file of a file: named after the file its path resolves to, so that every path
    // to one file, through links or not, shares one lock. In a folder that takes no new file
    // and holds no lock file yet, the file itself.
    static std::string LockPathFor(const std::string& path);

    // Takes the lock on lockPath, trying again after short, jittered pauses (holders keep it
    // for milliseconds, and waiters started together must not retry in step) until timeout has
    // passed. False on time-out or when the lock file cannot be opened.
    bool Lock(const std::string& lockPath, std::chrono::milliseconds timeout);
    void Unlock();
    bool IsLocked() const { return m_nHandle != kNoHandle; }

private:
    static constexpr intptr_t kNoHandle = -1;

    // The parts that differ between systems.
    static intptr_t OpenLockFile(const std::string& lockPath);
    static bool TryLock(intptr_t nHandle);
    static void Close(intptr_t nHandle);

    intptr_t m_nHandle = kNoHandle;  // a descriptor on POSIX, a HANDLE on Windows
};
