#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The one home of the rules for path texts: where a path's drive, directories and name begin
// and end, and how parts are joined. Both "\" and "/" count as separators when a path is
// read, on every platform, since the profile shared with the generator holds Windows paths;
// what is added is the platform's own separator.
namespace PathText {

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c);
bool EndsInSeparator(std::string_view path);
// 2 when path begins with a drive letter and its colon ("C:"), else 0.
size_t DriveLength(std::string_view path);
// Where the drive and directory of path end: just past its last separator after the drive,
// or the end of the drive when there is none.
size_t DirectoryEnd(std::string_view path);
// The drive and directory of path, ending in its separator; empty when path names no
// directory.
std::string DirectoryOf(std::string_view path);
// The name and extension of path, without drive or directories.
std::string FileNameOf(std::string_view path);
// path with the platform's separator appended unless it already ends in one. The empty
// path becomes the separator alone.
std::string WithTrailingSeparator(std::string path);
// name inside directory: the platform's separator goes between them unless directory is
// empty (the current folder) or already ends in a separator.
std::string Join(std::string_view directory, std::string_view name);
// A relative path written with "\", with the platform's separators.
std::string Native(std::string_view path);
// The names between separators, in order; doubled separators give no empty names.
std::vector<std::string> Components(std::string_view path);

}  // namespace PathText
