#pragma once

#include <string>

#include "map/MapReader.h"

// Prefab maps written for the tests, as map editors write them, and what a failed read says.
namespace MapSamples {

enum class Format { Quake, Valve, Quake2, Hexen2 };

inline std::string P(double x, double y, double z) {
    return "( " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(z) + " ) ";
}

// The six faces of an axis-aligned box, three points each in the outward order map editors
// write.
inline std::string BoxBrush(double x0, double y0, double z0, double x1, double y1, double z1,
                            Format format = Format::Quake, const std::string& texture = "WALL") {
    // After the texture: Quake's offsets, rotation and scales; Valve's axes; Quake II's three
    // surface numbers; Hexen II's one.
    const char* const tails[] = {" 0 0 0 1 1", " [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1",
                                 " 0 0 0 1 1 0 0 0", " 0 0 0 1 1 0"};
    const std::string tail = texture + tails[static_cast<int>(format)] + "\n";
    const std::string faces[] = {P(x0, y1, z1) + P(x1, y1, z1) + P(x1, y0, z1),
                                 P(x0, y0, z0) + P(x1, y0, z0) + P(x1, y1, z0),
                                 P(x1, y0, z0) + P(x1, y0, z1) + P(x1, y1, z1),
                                 P(x0, y1, z0) + P(x0, y1, z1) + P(x0, y0, z1),
                                 P(x1, y1, z0) + P(x1, y1, z1) + P(x0, y1, z1),
                                 P(x0, y0, z0) + P(x0, y0, z1) + P(x1, y0, z1)};
    std::string text = "{\n";
    for (const std::string& face : faces) {
        text += face + tail;
    }
    return text + "}\n";
}

// Where and why a read failed, as "line:column: message".
inline std::string ErrorText(const MapReadResult& map) {
    return std::to_string(map.error.nLine) + ":" + std::to_string(map.error.nColumn) + ": " +
           map.error.strMessage;
}

inline std::string Entity(const std::string& classname, const std::string& brushes) {
    return "{\n\"classname\" \"" + classname + "\"\n" + brushes + "}\n";
}

// Two cells of 256 along X, one along Y and Z, walls 16 thick; a 64 x 112 doorway in the
// west wall of (0,0,0) and in the north wall of (1,0,0), each h high.
inline std::string Room(double h = 128) {
    return Entity("worldspawn",
                  BoxBrush(0, 0, 0, 512, 256, 16) + BoxBrush(0, 0, 240, 512, 256, 256) +
                      BoxBrush(0, 0, 16, 16, 112, 240) + BoxBrush(0, 176, 16, 16, 256, 240) +
                      BoxBrush(0, 112, h, 16, 176, 240) + BoxBrush(496, 0, 16, 512, 256, 240) +
                      BoxBrush(0, 0, 16, 512, 16, 240) + BoxBrush(16, 240, 16, 352, 256, 240) +
                      BoxBrush(416, 240, 16, 496, 256, 240) + BoxBrush(352, 240, h, 416, 256, 240));
}

}  // namespace MapSamples
