// Win32 half of InPlaceFile: WriteFile, SetEndOfFile and FlushFileBuffers on the file itself.
#include "platform/InPlaceFile.h"

#include <windows.h>

#include <algorithm>

#include "platform/NativePath.h"

namespace {

HANDLE OpenExisting(const std::string& path, DWORD nAccess) {
    return CreateFileW(NativePath::From(path).c_str(), nAccess,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

// ReplaceFileW keeps the owner and security of the file it replaces; links and the read-only
// attribute it does not keep.
bool InPlaceFile::ReplaceWouldChange(const std::string& resolved) {
    const DWORD nAttributes = GetFileAttributesW(NativePath::From(resolved).c_str());
    if (nAttributes == INVALID_FILE_ATTRIBUTES || (nAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return true;
    }
    const HANDLE hFile = OpenExisting(resolved, 0);
    if (hFile == INVALID_HANDLE_VALUE) {
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool bLinked = GetFileInformationByHandle(hFile, &info) == 0 || info.nNumberOfLinks > 1;
    CloseHandle(hFile);
    return bLinked;
}

bool InPlaceFile::Write(const std::string& path, const std::string& bytes) {
    const HANDLE hFile = OpenExisting(path, GENERIC_WRITE);
    if (hFile == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool bWritten = GetFileType(hFile) == FILE_TYPE_DISK;
    size_t nDone = 0;
    while (bWritten && nDone < bytes.size()) {
        DWORD nWritten = 0;
        const DWORD nChunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - nDone, 1u << 30));
        bWritten =
            WriteFile(hFile, bytes.data() + nDone, nChunk, &nWritten, nullptr) != 0 && nWritten > 0;
        nDone += nWritten;
    }
    bWritten = bWritten && SetEndOfFile(hFile) != 0 && FlushFileBuffers(hFile) != 0;
    return CloseHandle(hFile) != 0 && bWritten;
}
