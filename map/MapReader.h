#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "map/BrushGeometry.h"

// One brush as measurement needs it: its planes, and whether a player can walk through it.
struct MapBrush {
    std::span<const Plane> planes;  // held by the MapReadResult
    bool bPassable = false;         // some face carries a liquid or trigger texture
    size_t nLine = 0;
};

struct MapEntity {
    std::vector<std::pair<std::string, std::string>> keys;
    std::vector<MapBrush> brushes;
    // The value of key, or "" when the entity has none.
    std::string Value(std::string_view key) const;
};

struct MapNote {
    size_t nLine = 0;
    size_t nColumn = 0;
    std::string strMessage;
};

struct MapReadResult {
    bool bOk = false;
    MapNote error;  // when !bOk
    std::vector<MapNote> warnings;
    std::vector<MapEntity> entities;
    // The brushes' planes, in blocks of many: one allocation a brush costs more than reading it.
    std::vector<std::unique_ptr<Plane[]>> m_PlaneBlocks;
};

// Reads the .map text of Quake, Quake II and Hexen II, standard or Valve 220 texture axes.
// Malformed text gives the line and column of the first thing wrong; a face whose three
// points lie on one line is dropped with a warning.
namespace MapReader {

MapReadResult ReadText(std::string_view text);
// A file that cannot be opened gives an error at line 0.
MapReadResult ReadFile(const std::string& path);

}  // namespace MapReader
