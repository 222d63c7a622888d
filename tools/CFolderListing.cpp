#include "tools/CFolderListing.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/NativePath.h"

namespace {

std::string Folded(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

}  // namespace

bool CFolderListing::Read(const std::string& folder) {
    m_strFolder = folder;
    m_Files.clear();
    m_Exact.clear();
    m_Folded.clear();
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::directory_iterator entries(NativePath::From(folder), error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        // Regular files only (links to them included): pipes and devices are no prefab files.
        std::error_code typeError;
        if (entries->is_regular_file(typeError)) {
            m_Files.push_back(NativePath::ToBytes(entries->path().filename()));
        }
    }
    if (error) {
        m_Files.clear();
        return false;
    }
    std::sort(m_Files.begin(), m_Files.end());
    for (const std::string& file : m_Files) {
        m_Exact.insert(file);
        m_Folded.try_emplace(Folded(file), file);
    }
    return true;
}

std::optional<std::string> CFolderListing::Find(const std::string& name) const {
    if (m_Exact.count(name) != 0) {
        return name;
    }
    const auto found = m_Folded.find(Folded(name));
    if (found == m_Folded.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::vector<std::string> CFolderListing::WithExtension(const std::string& extension) const {
    const std::string folded = Folded(extension);
    std::vector<std::string> names;
    for (const std::string& file : m_Files) {
        if (file.size() >= extension.size() &&
            Folded(file.substr(file.size() - extension.size())) == folded) {
            names.push_back(file);
        }
    }
    return names;
}

std::string CFolderListing::PathOf(const std::string& name) const {
    return NativePath::ToBytes(NativePath::From(m_strFolder) / NativePath::From(name));
}
