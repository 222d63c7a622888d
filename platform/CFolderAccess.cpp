#include "platform/CFolderAccess.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/CNativePath.h"
#else
#include <unistd.h>
#endif

bool CFolderAccess::CanCreateFileIn(const std::string& folder) {
    const std::string strFolder = folder.empty() ? std::string(".") : folder;
#ifdef _WIN32
    // Windows answers access questions about folders only by trying: a hidden file that
    // vanishes with its handle.
    const std::filesystem::path probe =
        CNativePath::From(strFolder) /
        (L".kvledit-probe-" + std::to_wstring(GetCurrentProcessId()));
    const HANDLE hProbe = CreateFileW(
        probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (hProbe == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_EXISTS;
    }
    CloseHandle(hProbe);
    return true;
#else
    return access(strFolder.c_str(), W_OK | X_OK) == 0;
#endif
}
