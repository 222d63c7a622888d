#pragma once

#include <string>

#include "definition/CKvlDefinition.h"

inline SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t exits = 0) {
    SubCell cell{.nX = x, .nY = y, .nZ = z};
    cell.SetExits(exits);
    return cell;
}

// Identifier 7, a.map, 1 x 1 x 1, one record (0, 0, 0) with North and East; its 90 bytes field
// by field: the header's length and text, the identifier, the map name's length and text, the
// dimensions, the record count, the record's exits, coordinates and reserved words.
inline std::string ExampleKvl() {
    using namespace std::string_literals;
    return "\x22\0\0\0KESTRAVEN SOFTWARE     .KVL (1.0)\0"s + "\7\0\0\0"s + "\6\0\0\0a.map\0"s +
           "\1\0\0\0\1\0\0\0\1\0\0\0"s + "\1\0\0\0"s + "\5\0"s + std::string(12, '\0') +
           std::string(8, '\0');
}
