#include "platform/CModulePath.h"

#include "platform/CNativePath.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <system_error>
#endif

std::string CModulePath::Get() {
#ifdef _WIN32
    // Long paths may exceed MAX_PATH; the call reports a full buffer by filling it.
    std::vector<wchar_t> buffer(32768);
    const DWORD nLength =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (nLength == 0 || nLength >= buffer.size()) {
        return {};
    }
    return CNativePath::ToBytes(std::filesystem::path(std::wstring(buffer.data(), nLength)));
#else
    std::error_code error;
    return CNativePath::ToBytes(std::filesystem::read_symlink("/proc/self/exe", error));
#endif
}
