#include "platform/ModulePath.h"

#include "platform/NativePath.h"

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <system_error>
#endif

std::string ModulePath::Get() {
#ifdef _WIN32
    // Long paths may exceed MAX_PATH; the call reports a full buffer by filling it.
    std::vector<wchar_t> buffer(32768);
    const DWORD nLength =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (nLength == 0 || nLength >= buffer.size()) {
        return {};
    }
    return NativePath::ToBytes(std::filesystem::path(std::wstring(buffer.data(), nLength)));
#else
    std::error_code error;
    return NativePath::ToBytes(std::filesystem::read_symlink("/proc/self/exe", error));
#endif
}
