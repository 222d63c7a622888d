#include "definition/SubCell.h"

void SubCell::SetExits(uint16_t exits) {
    bNorth = (exits & EXIT_NORTH) != 0;
    bSouth = (exits & EXIT_SOUTH) != 0;
    bEast = (exits & EXIT_EAST) != 0;
    bWest = (exits & EXIT_WEST) != 0;
}
