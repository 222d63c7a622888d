#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "definition/SubCell.h"

// The definition of one prefab: identifier, map file, size in cells and its sub cell records.
class CKvlDefinition {
public:
    // The most sub cells a definition may be given from user input; more would hang the
    // editor filling its lists or exhaust memory during completion.
    static constexpr int64_t kMaxSubCells = 1 << 20;

    uint32_t m_nId = 0;
    std::string m_strMapFile;
    int32_t m_nDimX = 0;
    int32_t m_nDimY = 0;
    int32_t m_nDimZ = 0;
    std::vector<SubCell> m_SubCells;

    // Appends a copy; checks neither duplicates nor bounds.
    void AddSubCell(const SubCell& subCell);
    bool HasSubCell(int32_t x, int32_t y, int32_t z) const;
    uint32_t GetSubCellCount() const;
    // Appends an exit-less record for every sub cell inside the dimensions that has none yet,
    // in x, then y, then z order, after the records already there (duplicates and records
    // outside the dimensions stay). Time linear in the number of sub cells. False, with
    // nothing appended, when the dimensions are beyond DimensionsWithinLimit.
    bool CompleteSubCells();

    // True when no dimension exceeds kMaxSubCells and, if all three are positive, neither
    // does their product.
    static bool DimensionsWithinLimit(int32_t dimX, int32_t dimY, int32_t dimZ);
};
