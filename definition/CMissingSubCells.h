#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "definition/CKvlDefinition.h"

// The exit-less records that completing a definition appends: every sub cell inside the
// dimensions that has no record yet, in x, then y, then z order. Found once, so that
// CompleteSubCells can append them and the writer can write them after the given records
// without holding a million of them in memory.
class CMissingSubCells {
public:
    // None.
    CMissingSubCells() = default;
    // None when the dimensions are not all positive or are beyond DimensionsWithinLimit.
    explicit CMissingSubCells(const CKvlDefinition& definition);

    size_t Count() const { return m_nMissing; }

    // Calls visit(const SubCell&) for each, in their order.
    template <class Visit>
    void ForEach(Visit&& visit) const {
        SubCell cell;
        size_t nIndex = 0;
        for (cell.nX = 0; cell.nX < m_nDimX; ++cell.nX) {
            for (cell.nY = 0; cell.nY < m_nDimY; ++cell.nY) {
                for (cell.nZ = 0; cell.nZ < m_nDimZ; ++cell.nZ, ++nIndex) {
                    if (!m_Present[nIndex]) {
                        visit(static_cast<const SubCell&>(cell));
                    }
                }
            }
        }
    }

private:
    int32_t m_nDimX = 0;
    int32_t m_nDimY = 0;
    int32_t m_nDimZ = 0;
    // One flag per sub cell of the box, in the order above: each is looked up once instead of
    // scanning the whole list for it.
    std::vector<bool> m_Present;
    size_t m_nMissing = 0;
};
