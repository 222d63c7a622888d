#pragma once

#include <filesystem>
#include <string>

// File names are byte strings everywhere in the core: the profile, the command line and the
// .KVL file hold them as such. This is the one place they become the operating system's
// names: unchanged bytes on POSIX, the ANSI code page widened on Windows (the generator and
// the profile functions use that code page). std::filesystem::path(std::string) must not be
// used instead: on Windows it reads every byte as Latin-1.
namespace NativePath {

std::filesystem::path From(const std::string& bytes);
std::string ToBytes(const std::filesystem::path& path);

}  // namespace NativePath
