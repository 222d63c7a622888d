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
    std::span<const Plane> planes;
    bool bPassable = false;  // some face carries a liquid or trigger texture
    size_t nLine = 0;
};

using MapKeys = std::vector<std::pair<std::string, std::string>>;

struct MapEntity {
    MapKeys keys;
    std::vector<MapBrush> brushes;  // their planes held by the MapReadResult
};

struct MapNote {
    size_t nLine = 0;
    size_t nColumn = 0;
    std::string strMessage;
};

struct MapReadStatus {
    bool bOk = false;
    MapNote error;  // when !bOk
    std::vector<MapNote> warnings;
};

// Takes what the reader reads as it reads it, so that a large map is never held whole.
class IMapSink {
public:
    virtual ~IMapSink() = default;
    // The brush's planes last only until the call returns.
    virtual void Brush(const MapBrush& brush) = 0;
    // After the entity's brushes: its keys may come after them.
    virtual void EntityEnd(const MapKeys& keys) = 0;
};

// Planes kept for as long as the store lives, in blocks of many: one allocation a brush costs
// more than reading it.
class CPlaneStore {
public:
    std::span<const Plane> Keep(std::span<const Plane> planes);

private:
    std::vector<std::unique_ptr<Plane[]>> m_Blocks;
    Plane* m_pFree = nullptr;
    size_t m_nLeft = 0;
};

// A whole map, held: for looking at what was read.
struct MapReadResult : MapReadStatus {
    std::vector<MapEntity> entities;
    CPlaneStore planes;
};

// Reads the .map text of Quake, Quake II and Hexen II, standard or Valve 220 texture axes.
// Malformed text gives the line and column of the first thing wrong; a face whose three
// points lie on one line is dropped with a warning. A file that cannot be opened or read gives
// an error at line 0.
namespace MapReader {

MapReadStatus Read(std::string_view text, IMapSink& sink);
MapReadStatus ReadFile(const std::string& path, IMapSink& sink);
MapReadResult ReadText(std::string_view text);
MapReadResult ReadFile(const std::string& path);

}  // namespace MapReader
