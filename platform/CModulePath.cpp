#include "platform/CModulePath.h"

#ifdef _WIN32
#include <windows.h>

#include <QString>
#else
#include <filesystem>
#include <system_error>
#endif

std::string CModulePath::Get() {
#ifdef _WIN32
    wchar_t buffer[32768];
    const DWORD nLength = GetModuleFileNameW(nullptr, buffer, DWORD{32768});
    return QString::fromWCharArray(buffer, static_cast<int>(nLength)).toLocal8Bit().toStdString();
#else
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
#endif
}
