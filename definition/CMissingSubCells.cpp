#include "definition/CMissingSubCells.h"

CMissingSubCells::CMissingSubCells(const CKvlDefinition& definition) {
    if (definition.m_nDimX <= 0 || definition.m_nDimY <= 0 || definition.m_nDimZ <= 0 ||
        !CKvlDefinition::DimensionsWithinLimit(definition.m_nDimX, definition.m_nDimY,
                                               definition.m_nDimZ)) {
        return;
    }
    m_nDimX = definition.m_nDimX;
    m_nDimY = definition.m_nDimY;
    m_nDimZ = definition.m_nDimZ;
    const auto nDimY = static_cast<size_t>(m_nDimY);
    const auto nDimZ = static_cast<size_t>(m_nDimZ);
    m_Present.assign(static_cast<size_t>(m_nDimX) * nDimY * nDimZ, false);
    size_t nPresent = 0;
    for (const SubCell& cell : definition.m_SubCells) {
        if (cell.nX < 0 || cell.nX >= m_nDimX || cell.nY < 0 || cell.nY >= m_nDimY || cell.nZ < 0 ||
            cell.nZ >= m_nDimZ) {
            continue;
        }
        const size_t nIndex =
            (static_cast<size_t>(cell.nX) * nDimY + static_cast<size_t>(cell.nY)) * nDimZ +
            static_cast<size_t>(cell.nZ);
        if (!m_Present[nIndex]) {
            m_Present[nIndex] = true;
            ++nPresent;
        }
    }
    m_nMissing = m_Present.size() - nPresent;
}
