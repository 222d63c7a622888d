#include "platform/NativePath.h"

#ifdef _WIN32
#include <windows.h>
#endif

#ifdef _WIN32

std::filesystem::path NativePath::From(const std::string& bytes) {
    if (bytes.empty()) {
        return {};
    }
    const int nBytes = static_cast<int>(bytes.size());
    const int nWide = MultiByteToWideChar(CP_ACP, 0, bytes.data(), nBytes, nullptr, 0);
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), nBytes, wide.data(), nWide);
    return std::filesystem::path(wide);
}

std::string NativePath::ToBytes(const std::filesystem::path& path) {
    const std::wstring& wide = path.native();
    if (wide.empty()) {
        return {};
    }
    const int nWide = static_cast<int>(wide.size());
    const int nBytes =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, bytes.data(), nBytes, nullptr, nullptr);
    return bytes;
}

#else

std::filesystem::path NativePath::From(const std::string& bytes) {
    return std::filesystem::path(bytes);
}

std::string NativePath::ToBytes(const std::filesystem::path& path) {
    return path.native();
}

#endif
