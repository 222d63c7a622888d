#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "map/MapReader.h"

struct MeasureSettings {
    Vec3 quantum{256, 256, 256};  // the cell size along the definition's X, Y and Z
    // The map's axis that is north: 0 for X, 1 for Y, with its sign; east is north turned a
    // quarter clockwise seen from above.
    int nNorthAxis = 1;
    bool bNorthNegative = false;
    double gapWidth = 32;   // a passage, along the side
    double gapHeight = 56;  // and along Z
};

struct SuggestedExit {
    int32_t nX = 0;
    int32_t nY = 0;
    int32_t nZ = 0;
    uint16_t nExits = 0;  // the definition's bits: N 1, S 2, E 4, W 8
};

struct MapMeasurement {
    Box extent;                        // in the map's coordinates
    Vec3 size{};                       // along the definition's axes
    std::array<int32_t, 3> dims{};     // cells along the definition's axes
    std::array<bool, 3> wholeCells{};  // the size is a whole number of cells
    std::vector<SuggestedExit> exits;  // sub cells with exits, x, then y, then z
    std::vector<MapNote> warnings;     // the reader's, then brushes skipped
};

namespace MapMeasure {

// The cell size of the Castery folder the map lies in, from its summary.INI, or 256 on each
// axis; a quantum unit that is missing or not positive stays 256.
Vec3 FolderQuantum(const std::string& mapPath);
// False, with a message, when the map holds no brush that encloses a volume, or is too
// large or too complex to measure.
bool Measure(const MapReadResult& map, const MeasureSettings& settings, MapMeasurement& measurement,
             std::string& error);
// Measures the map at path as it is read, never holding it whole. False when the reading fails
// (read says why) or the map cannot be measured (error says why).
bool MeasureFile(const std::string& path, const MeasureSettings& settings, MapReadStatus& read,
                 MapMeasurement& measurement, std::string& error);
// The dimensions of the map file in cells of its folder; nothing when it cannot be read
// or measured.
std::optional<std::array<int32_t, 3>> Dimensions(const std::string& mapPath);

}  // namespace MapMeasure
