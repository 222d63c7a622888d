#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The bytes a .KVL file must hold, put together independently of the writer.
struct ExpectedSubCell {
    uint16_t nExits;
    int32_t nX;
    int32_t nY;
    int32_t nZ;
};

std::string KvlFileBytes(uint32_t nId, const std::string& mapFile, int32_t nDimX, int32_t nDimY,
                         int32_t nDimZ, const std::vector<ExpectedSubCell>& subCells);
