#include "definition/SubCell.h"

uint16_t SubCell::GetExits() const {
    return static_cast<uint16_t>((bNorth ? EXIT_NORTH : 0) | (bSouth ? EXIT_SOUTH : 0) |
                                 (bEast ? EXIT_EAST : 0) | (bWest ? EXIT_WEST : 0));
}

void SubCell::SetExits(uint16_t exits) {
    bNorth = (exits & EXIT_NORTH) != 0;
    bSouth = (exits & EXIT_SOUTH) != 0;
    bEast = (exits & EXIT_EAST) != 0;
    bWest = (exits & EXIT_WEST) != 0;
}
