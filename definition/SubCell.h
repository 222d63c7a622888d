#pragma once

#include <cstdint>

// Exit bits of a sub cell as they stand in the low four bits of the file's exits field.
enum SubCellExit : uint16_t {
    EXIT_NORTH = 1,
    EXIT_SOUTH = 2,
    EXIT_EAST = 4,
    EXIT_WEST = 8,
    EXIT_ALL = EXIT_NORTH | EXIT_SOUTH | EXIT_EAST | EXIT_WEST,
};

// One sub cell record of a definition; a default-constructed record is "cleared".
struct SubCell {
    bool bNorth = false;
    bool bSouth = false;
    bool bEast = false;
    bool bWest = false;
    int32_t nX = 0;
    int32_t nY = 0;
    int32_t nZ = 0;
    uint32_t nReserved1 = 0;
    uint32_t nReserved2 = 0;

    // Inline: the writer calls it once per record, a million times for the largest file.
    uint16_t GetExits() const {
        return static_cast<uint16_t>((bNorth ? EXIT_NORTH : 0) | (bSouth ? EXIT_SOUTH : 0) |
                                     (bEast ? EXIT_EAST : 0) | (bWest ? EXIT_WEST : 0));
    }
    void SetExits(uint16_t exits);

    bool operator==(const SubCell&) const = default;
};
