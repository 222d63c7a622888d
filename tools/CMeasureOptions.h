#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "map/MapMeasure.h"

namespace CLI {
class App;
}

// What the commands that measure maps share: the options --quantum, --north and --gap, and
// reading and measuring one map with messages that name it.
class CMeasureOptions {
public:
    void AddTo(CLI::App& command);
    // The settings for the map at path: the folder's quantum unless --quantum was given.
    MeasureSettings SettingsFor(const std::string& path) const;

    // False, with a message that names the path (and the line and column when the text is at
    // fault), when the map cannot be read or measured. bUnreadable tells a file that could
    // not be read from one that could.
    bool MeasureFile(const std::string& path, MapMeasurement& measurement, std::string& error,
                     bool& bUnreadable) const;
    // What the measurement of the map at path warns of: faces and brushes skipped, sizes that
    // are not whole cells.
    std::vector<std::string> Warnings(const std::string& path,
                                      const MapMeasurement& measurement) const;
    // "path:line:column: message", or "path: message" for a note about no line.
    static std::string NoteText(const std::string& path, const MapNote& note);

private:
    std::optional<Vec3> m_Quantum;
    MeasureSettings m_Settings;
    mutable std::map<std::string, Vec3> m_FolderQuanta;  // a folder's summary.INI, once read
};
