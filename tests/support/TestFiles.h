#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

// Small helpers for tests that look at what ended up on disk.
namespace TestFiles {

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// Names of the entries of a folder, sorted.
inline std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A new empty folder under the system's temporary folder, removed with all it holds.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        do {
            m_Path = base / ("kvl-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(m_Path, error) && !error);
    }
    ~TempFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_Path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return m_Path.string(); }
    std::string PathOf(const std::string& name) const { return (m_Path / name).string(); }
    std::vector<std::string> Files() const { return ListFolder(Path()); }

private:
    std::filesystem::path m_Path;
};

// Paths that a reader must refuse without opening them: the folder and, where there are pipes,
// a pipe in it, which would block the reader for ever.
inline std::vector<std::string> NoRegularFiles(const TempFolder& folder) {
    std::vector<std::string> paths{folder.Path()};
#ifndef _WIN32
    paths.push_back(folder.PathOf("pipe"));
    EXPECT_EQ(mkfifo(paths.back().c_str(), 0600), 0) << paths.back();
#endif
    return paths;
}

}  // namespace TestFiles
