#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The files of one folder, listed once and found by name the way the generator's platform
// finds them: without regard to (ASCII) case. Names are the bytes the system gives.
class CFolderListing {
public:
    // False when folder is not a folder that can be listed; an empty name is none.
    bool Read(const std::string& folder);

    // The file's name as it is on disk; an exact match wins over one that differs in case.
    std::optional<std::string> Find(const std::string& name) const;
    // Names whose extension, such as ".kvl", matches regardless of case; sorted.
    std::vector<std::string> WithExtension(const std::string& extension) const;
    // The path of a file of the folder.
    std::string PathOf(const std::string& name) const;

private:
    std::string m_strFolder;
    std::vector<std::string> m_Files;  // sorted by bytes
    std::unordered_set<std::string> m_Exact;
    // Folded name to the first name on disk that folds to it.
    std::unordered_map<std::string, std::string> m_Folded;
};
