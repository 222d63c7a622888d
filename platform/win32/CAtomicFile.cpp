// Win32 half of CAtomicFile: a new file beside the target, FlushFileBuffers, then ReplaceFileW
// or MoveFileExW. Names reach the system as wide strings through NativePath.
#include "platform/CAtomicFile.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <random>
#include <system_error>

#include "platform/NativePath.h"

namespace {

// ReplaceFileW (under Wine at least) wants full paths.
std::filesystem::path FullPath(const std::string& bytes) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(NativePath::From(bytes), error);
    return error ? NativePath::From(bytes) : path;
}

std::wstring TemporaryName(const std::filesystem::path& target) {
    static std::atomic<unsigned> nCounter{0};
    static const unsigned nRandom = std::random_device{}();
    const std::wstring suffix = L"." + std::to_wstring(GetCurrentProcessId()) + L"." +
                                std::to_wstring(nCounter.fetch_add(1)) + L"." +
                                std::to_wstring(nRandom) + L".tmp";
    return (target.parent_path() / (L"." + target.filename().native() + suffix)).native();
}

// Folders, devices (NUL, CON) and other things that are not plain files are never replaced.
bool IsNotAFile(const std::wstring& path, bool& bExists) {
    const DWORD nAttributes = GetFileAttributesW(path.c_str());
    bExists = nAttributes != INVALID_FILE_ATTRIBUTES;
    if (!bExists) {
        return false;
    }
    if ((nAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
        return true;
    }
    std::error_code error;
    return !std::filesystem::is_regular_file(std::filesystem::path(path), error);
}

}  // namespace

bool CAtomicFile::Open(const std::string& path) {
    Discard();
    m_eFailure = Failure::None;
    if (path.empty()) {
        return Fail(Failure::Io);
    }
    const std::filesystem::path target = FullPath(path);
    m_strTarget = NativePath::ToBytes(target);
    bool bExists = false;
    if (IsNotAFile(target.native(), bExists)) {
        return Fail(Failure::NotAFile);
    }
    int fd = -1;
    for (int nTry = 0; fd < 0 && nTry < 100; ++nTry) {
        const std::wstring temporary = TemporaryName(target);
        fd = _wopen(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            m_strTemporary = NativePath::ToBytes(temporary);
        } else if (errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return Fail(Failure::Io);
    }
    m_pStream = _fdopen(fd, "wb");
    if (m_pStream == nullptr) {
        _close(fd);
        return Fail(Failure::Io);
    }
    return true;
}

bool CAtomicFile::SyncToDisk(FILE* pStream) {
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(pStream)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

void CAtomicFile::RemoveFile(const std::string& path) {
    DeleteFileW(NativePath::From(path).c_str());
}

bool CAtomicFile::MoveIntoPlace(CommitMode eMode) {
    const std::wstring target = NativePath::From(m_strTarget).native();
    const std::wstring temporary = NativePath::From(m_strTemporary).native();
    bool bExists = false;
    if (IsNotAFile(target, bExists)) {
        m_eFailure = Failure::NotAFile;
        return false;
    }
    BOOL bMoved = FALSE;
    if (eMode == CommitMode::CreateIfAbsent) {
        bMoved = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
        const DWORD nError = GetLastError();
        if (!bMoved && (nError == ERROR_ALREADY_EXISTS || nError == ERROR_FILE_EXISTS)) {
            m_eFailure = Failure::Exists;
            return false;
        }
    } else if (bExists) {
        // Keeps the old file's attributes and security; fails when another process holds the
        // old file open without sharing delete, which leaves it as it was.
        bMoved = ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                              REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    } else {
        bMoved = MoveFileExW(temporary.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!bMoved) {
        m_eFailure = Failure::Io;
    }
    return bMoved != 0;
}
