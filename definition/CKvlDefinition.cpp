#include "definition/CKvlDefinition.h"

#include <algorithm>

#include "definition/CMissingSubCells.h"

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

bool CKvlDefinition::CompleteSubCells() {
    if (m_nDimX <= 0 || m_nDimY <= 0 || m_nDimZ <= 0) {
        return true;  // an empty box has no sub cell to complete
    }
    if (!DimensionsWithinLimit(m_nDimX, m_nDimY, m_nDimZ)) {
        return false;
    }
    const CMissingSubCells missing(*this);
    m_SubCells.reserve(m_SubCells.size() + missing.Count());
    missing.ForEach([this](const SubCell& cell) { AddSubCell(cell); });
    return true;
}

bool CKvlDefinition::DimensionsWithinLimit(int32_t dimX, int32_t dimY, int32_t dimZ) {
    if (dimX > kMaxSubCells || dimY > kMaxSubCells || dimZ > kMaxSubCells) {
        return false;
    }
    if (dimX <= 0 || dimY <= 0 || dimZ <= 0) {
        return true;
    }
    // Each factor is at most 2^20, so the product cannot overflow 64 bits.
    return int64_t{dimX} * dimY * dimZ <= kMaxSubCells;
}
