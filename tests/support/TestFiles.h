#pragma once

#include <string>
#include <vector>

// Small helpers for tests that look at what ended up on disk.
namespace TestFiles {

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Names of the entries of a folder, sorted.
std::vector<std::string> ListFolder(const std::string& folder);

}  // namespace TestFiles
