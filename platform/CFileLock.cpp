#include "platform/CFileLock.h"

#include <filesystem>
#include <random>
#include <system_error>
#include <thread>

#include "platform/FolderAccess.h"
#include "platform/NativePath.h"

CFileLock::~CFileLock() {
    Unlock();
}

std::string CFileLock::LockPathFor(const std::string& path) {
    std::error_code error;
    const std::filesystem::path resolved =
        std::filesystem::weakly_canonical(NativePath::From(path), error);
    std::string file = error ? path : NativePath::ToBytes(resolved);
    std::string lockFile = file + ".lock";
    // A folder that takes no new file: the file itself carries the lock, as it is then
    // rewritten in place and stays the same file.
    if (!error && !std::filesystem::exists(NativePath::From(lockFile), error) &&
        std::filesystem::is_regular_file(resolved, error) &&
        !FolderAccess::CanCreateFileIn(NativePath::ToBytes(resolved.parent_path()))) {
        return file;
    }
    return lockFile;
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
