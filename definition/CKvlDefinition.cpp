#include "definition/CKvlDefinition.h"

#include <algorithm>
#include <cstddef>

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
    // One flag per sub cell of the box, indexed in the order the records are appended, so
    // that each sub cell is looked up once instead of scanning the whole list for it.
    const auto nDimX = static_cast<size_t>(m_nDimX);
    const auto nDimY = static_cast<size_t>(m_nDimY);
    const auto nDimZ = static_cast<size_t>(m_nDimZ);
    std::vector<bool> present(nDimX * nDimY * nDimZ, false);
    size_t nPresent = 0;
    for (const SubCell& cell : m_SubCells) {
        if (cell.nX < 0 || cell.nX >= m_nDimX || cell.nY < 0 || cell.nY >= m_nDimY || cell.nZ < 0 ||
            cell.nZ >= m_nDimZ) {
            continue;
        }
        const size_t nIndex =
            (static_cast<size_t>(cell.nX) * nDimY + static_cast<size_t>(cell.nY)) * nDimZ +
            static_cast<size_t>(cell.nZ);
        if (!present[nIndex]) {
            present[nIndex] = true;
            ++nPresent;
        }
    }

    m_SubCells.reserve(m_SubCells.size() + present.size() - nPresent);
    size_t nIndex = 0;
    for (int32_t x = 0; x < m_nDimX; ++x) {
        for (int32_t y = 0; y < m_nDimY; ++y) {
            for (int32_t z = 0; z < m_nDimZ; ++z, ++nIndex) {
                if (!present[nIndex]) {
                    SubCell cell;
                    cell.nX = x;
                    cell.nY = y;
                    cell.nZ = z;
                    AddSubCell(cell);
                }
            }
        }
    }
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
