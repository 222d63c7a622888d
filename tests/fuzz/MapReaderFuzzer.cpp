// Feeds the .map reader arbitrary text and measures whatever it accepts, so that the brush
// geometry and the exit search see the same inputs. Beyond "no crash, no hang, no sanitizer
// report" it holds both to what their callers rely on: an error points into the text, and a
// measurement stays inside the definition's limits.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzPromise.h"
#include "definition/CKvlDefinition.h"
#include "map/MapMeasure.h"

namespace {

void CheckMeasurement(const MapMeasurement& m) {
    for (int i = 0; i < 3; ++i) {
        Require(m.extent.mins[i] <= m.extent.maxs[i], "the extent is not inside out");
        Require(m.dims[i] >= 1, "every dimension is at least one cell");
    }
    Require(CKvlDefinition::DimensionsWithinLimit(m.dims[0], m.dims[1], m.dims[2]),
            "the dimensions fit a definition");
    for (const SuggestedExit& cell : m.exits) {
        Require(cell.nX >= 0 && cell.nX < m.dims[0] && cell.nY >= 0 && cell.nY < m.dims[1] &&
                    cell.nZ >= 0 && cell.nZ < m.dims[2],
                "an exit lies in a sub cell of the prefab");
    }
}

// All of a read that does not depend on which blanks the text uses, in bytes.
std::string Shape(const MapReadResult& map) {
    std::string shape = std::to_string(map.error.nLine) + ":" + std::to_string(map.error.nColumn) +
                        map.error.strMessage;
    const auto add = [&shape](const auto& value) {
        shape.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    for (const MapEntity& entity : map.entities) {
        add(entity.keys.size());
        for (const MapBrush& brush : entity.brushes) {
            add(brush.nLine);
            add(brush.bPassable);
            std::for_each(brush.planes.begin(), brush.planes.end(), add);
        }
    }
    for (const MapNote& note : map.warnings) {
        add(note.nLine);
        add(note.nColumn);
    }
    return shape;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string_view text(reinterpret_cast<const char*>(pData), nSize);
    const MapReadResult map = MapReader::ReadText(text);
    // Form feeds instead of spaces keep every line and column but leave each face to the
    // careful reading: the quick one must read what it reads.
    std::string fed(text);
    std::replace(fed.begin(), fed.end(), ' ', '\f');
    Require(Shape(map) == Shape(MapReader::ReadText(fed)), "blanks do not change a read");
    const size_t nLines = 1 + static_cast<size_t>(std::count(text.begin(), text.end(), '\n') +
                                                  std::count(text.begin(), text.end(), '\r'));
    if (!map.bOk) {
        Require(map.error.nLine >= 1 && map.error.nLine <= nLines,
                "the error's line lies inside the text");
        Require(map.error.nColumn >= 1 && map.error.nColumn <= nSize + 1,
                "the error's column lies inside its line");
        Require(!map.error.strMessage.empty(), "an error says what is wrong");
        return 0;
    }
    MapMeasurement measurement;
    std::string error;
    if (MapMeasure::Measure(map, MeasureSettings{}, measurement, error)) {
        CheckMeasurement(measurement);
    } else {
        Require(!error.empty(), "a map that cannot be measured says why");
    }
    return 0;
}
