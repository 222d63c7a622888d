// Win32 half of CFileLock: LockFileEx, which the system drops with the handle or the process.
#include "platform/CFileLock.h"

#include <windows.h>

#include <string>

#include "platform/NativePath.h"

intptr_t CFileLock::OpenLockFile(const std::string& lockPath) {
    const std::wstring path = NativePath::From(lockPath).native();
    const DWORD nShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, nShare, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // A lock file of another user's, or the profile itself when it is the lock, may be
    // read-only to this one; the lock needs only read access.
    if (handle == INVALID_HANDLE_VALUE) {
        handle = CreateFileW(path.c_str(), GENERIC_READ, nShare, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    return handle == INVALID_HANDLE_VALUE ? kNoHandle : reinterpret_cast<intptr_t>(handle);
}

// One byte far beyond any content: Windows locks bar other handles from the range, and the
// profile itself may be the lock file while it is rewritten in place.
bool CFileLock::TryLock(intptr_t nHandle) {
    OVERLAPPED beyond{};
    beyond.OffsetHigh = MAXDWORD;
    return LockFileEx(reinterpret_cast<HANDLE>(nHandle),
                      LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &beyond) != 0;
}

void CFileLock::Close(intptr_t nHandle) {
    CloseHandle(reinterpret_cast<HANDLE>(nHandle));
}
