#pragma once

#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"

inline SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t exits = 0) {
    SubCell cell{.nX = x, .nY = y, .nZ = z};
    cell.SetExits(exits);
    return cell;
}

inline CKvlDefinition Definition(uint32_t nId, std::string mapFile, int32_t dimX, int32_t dimY,
                                 int32_t dimZ, std::vector<SubCell> cells) {
    return {nId, std::move(mapFile), dimX, dimY, dimZ, std::move(cells)};
}
