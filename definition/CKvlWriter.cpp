#include "definition/CKvlWriter.h"

#include "fileio/CPathParts.h"

std::string CKvlWriter::ProposedFileName(const std::string& mapFile) {
    CPathParts parts;
    parts.Split(mapFile.c_str());
    return std::string(parts.Compose(PP_FNAME)) + ".KVL";
}

bool CKvlWriter::Write(const std::string& path, const CKvlDefinition& definition,
                       CAtomicFile::CommitMode eMode) {
    m_pDefinition = &definition;
    if (!Open(path, "wb")) {
        return false;
    }
    WriteString(kHeaderText);
    WriteUInt32(m_pDefinition->m_nId);
    WriteString(m_pDefinition->m_strMapFile);
    WriteInt32(m_pDefinition->m_nDimX);
    WriteInt32(m_pDefinition->m_nDimY);
    WriteInt32(m_pDefinition->m_nDimZ);
    WriteUInt32(m_pDefinition->GetSubCellCount());
    for (const SubCell& cell : m_pDefinition->m_SubCells) {
        WriteUInt16(cell.GetExits());
        WriteInt32(cell.nX);
        WriteInt32(cell.nY);
        WriteInt32(cell.nZ);
        WriteUInt32(cell.nReserved1);
        WriteUInt32(cell.nReserved2);
    }
    return Close(eMode);
}
