#include "platform/CFileLock.h"

#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

#include "platform/CNativePath.h"

CFileLock::~CFileLock() {
    Unlock();
}

std::string CFileLock::LockPathFor(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(CNativePath::From(path), error);
    return (error ? path : CNativePath::ToBytes(resolved)) + ".lock";
}

bool CFileLock::Lock(const std::string& lockPath, std::chrono::milliseconds timeout) {
    Unlock();
    const intptr_t nHandle = OpenLockFile(lockPath);
    if (nHandle == kNoHandle) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::minstd_rand random(std::random_device{}());
    while (!TryLock(nHandle)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Close(nHandle);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5 + random() % 20));
    }
    m_nHandle = nHandle;
    return true;
}

void CFileLock::Unlock() {
    if (m_nHandle != kNoHandle) {
        Close(m_nHandle);  // closing the last descriptor or handle releases the lock
        m_nHandle = kNoHandle;
    }
}
