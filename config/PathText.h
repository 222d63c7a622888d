#pragma once

#include <string>
#include <string_view>

// Small rules for the path texts of the configuration. Both "\" and "/" count as separators
// when a path is read; what is added is the platform's own separator.
namespace PathText {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c);
bool EndsInSeparator(std::string_view path);
// path with the platform's separator appended unless it already ends in one. The empty
// path becomes the separator alone.
std::string WithTrailingSeparator(std::string path);
// A relative path written with "\", with the platform's separators.
std::string Native(std::string_view path);
// The name and extension of path, without drive or directories.
std::string FileNameOf(const std::string& path);
// The drive and directory of path, ending in its separator; empty when path names no
// directory.
std::string DirectoryOf(const std::string& path);

}  // namespace PathText
