#include "definition/CKvlDefinition.h"

#include <algorithm>

void CKvlDefinition::AddSubCell(const SubCell& subCell) {
    m_SubCells.push_back(subCell);
}

bool CKvlDefinition::HasSubCell(int32_t x, int32_t y, int32_t z) const {
    return std::any_of(m_SubCells.begin(), m_SubCells.end(), [&](const SubCell& cell) {
        return cell.nX == x && cell.nY == y && cell.nZ == z;
    });
}

uint32_t CKvlDefinition::GetSubCellCount() const {
    return static_cast<uint32_t>(m_SubCells.size());
}

void CKvlDefinition::CompleteSubCells() {
    for (int32_t x = 0; x < m_nDimX; ++x) {
        for (int32_t y = 0; y < m_nDimY; ++y) {
            for (int32_t z = 0; z < m_nDimZ; ++z) {
                if (!HasSubCell(x, y, z)) {
                    SubCell cell;
                    cell.nX = x;
                    cell.nY = y;
                    cell.nZ = z;
                    AddSubCell(cell);
                }
            }
        }
    }
}

bool CKvlDefinition::DimensionsWithinLimit(int32_t dimX, int32_t dimY, int32_t dimZ) {
    if (dimX > kMaxSubCells || dimY > kMaxSubCells || dimZ > kMaxSubCells) {
        return false;
    }
    if (dimX <= 0 || dimY <= 0 || dimZ <= 0) {
        return true;
    }
    return int64_t{dimX} * dimY <= kMaxSubCells && int64_t{dimX} * dimY * dimZ <= kMaxSubCells;
}
