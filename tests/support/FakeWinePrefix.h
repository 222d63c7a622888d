#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "CScopedEnvironment.h"

// A Wine prefix made of folders and links under root: <root>/pfx with drive_c, drive_d and
// dosdevices/c: and d: linked to them, beside <root>/gen/bin and <root>/gen/maps/S2, the
// generator's own layout. $WINEPREFIX and $HOME point into root, where no other prefix lies,
// so that only this one can map a drive, for the life of the object.
class FakeWinePrefix {
public:
    explicit FakeWinePrefix(const std::string& root) : m_strRoot(root + "/") {
        for (const char* pszFolder : {"pfx/drive_c/Gridforge", "pfx/drive_d/Prefabs",
                                      "pfx/dosdevices", "gen/bin", "gen/maps/S2"}) {
            std::filesystem::create_directories(m_strRoot + pszFolder);
        }
        std::filesystem::create_directory_symlink("../drive_c", m_strRoot + "pfx/dosdevices/c:");
        std::filesystem::create_directory_symlink("../drive_d", m_strRoot + "pfx/dosdevices/d:");
    }

    std::string Path(const std::string& relative) const { return m_strRoot + relative; }

    // Every file and folder under root, to show that nothing was made.
    std::vector<std::string> Everything() const {
        std::vector<std::string> paths;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_strRoot)) {
            paths.push_back(entry.path().string());
        }
        std::sort(paths.begin(), paths.end());
        return paths;
    }

private:
    std::string m_strRoot;
    // Restored afterwards, so that the tests after this one see the environment they started in.
    CScopedEnvironment m_Prefix{"WINEPREFIX", m_strRoot + "none"};
    CScopedEnvironment m_Home{"HOME", m_strRoot};
};
