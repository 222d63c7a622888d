// Windows half of FolderAccess: Windows answers access questions about folders only by
// trying, here with a hidden file that vanishes with its handle.
#include "platform/FolderAccess.h"

#include <windows.h>

#include <string>

#include "platform/NativePath.h"

bool FolderAccess::CanCreateFileIn(const std::string& folder) {
    const std::filesystem::path probe =
        NativePath::From(folder.empty() ? std::string(".") : folder) /
        (L".kvledit-probe-" + std::to_wstring(GetCurrentProcessId()));
    const HANDLE hProbe = CreateFileW(
        probe.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (hProbe == INVALID_HANDLE_VALUE) {
        return GetLastError() == ERROR_FILE_EXISTS;
    }
    CloseHandle(hProbe);
    return true;
}
