// Win32 half of CFileLock: LockFileEx, which the system drops with the handle or the process.
#include "platform/CFileLock.h"

#include <windows.h>

#include "platform/CNativePath.h"

intptr_t CFileLock::OpenLockFile(const std::string& lockPath) {
    const HANDLE handle =
        CreateFileW(CNativePath::From(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle == INVALID_HANDLE_VALUE ? kNoHandle : reinterpret_cast<intptr_t>(handle);
}

bool CFileLock::TryLock(intptr_t nHandle) {
    OVERLAPPED whole{};
    return LockFileEx(reinterpret_cast<HANDLE>(nHandle),
                      LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                      &whole) != 0;
}

void CFileLock::Close(intptr_t nHandle) {
    CloseHandle(reinterpret_cast<HANDLE>(nHandle));
}
