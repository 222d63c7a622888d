#pragma once

#include "definition/CKvlDefinition.h"

inline SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t exits = 0) {
    SubCell cell{.nX = x, .nY = y, .nZ = z};
    cell.SetExits(exits);
    return cell;
}
