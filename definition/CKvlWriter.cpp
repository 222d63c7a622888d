#include "definition/CKvlWriter.h"

#include "definition/KvlReader.h"
#include "fileio/CPathParts.h"

namespace {

void AppendUInt32(std::string& bytes, uint32_t nValue) {
    for (int i = 0; i < 4; ++i) {
        bytes += static_cast<char>((nValue >> (8 * i)) & 0xFF);
    }
}

void AppendInt32(std::string& bytes, int32_t nValue) {
    AppendUInt32(bytes, static_cast<uint32_t>(nValue));
}

void AppendUInt16(std::string& bytes, uint16_t nValue) {
    bytes += static_cast<char>(nValue & 0xFF);
    bytes += static_cast<char>(nValue >> 8);
}

// A 32-bit length (the text's length + 1) and the text with its NUL.
void AppendString(std::string& bytes, const std::string& text) {
    AppendUInt32(bytes, static_cast<uint32_t>(text.size() + 1));
    bytes.append(text.c_str(), text.size() + 1);
}

}  // namespace

std::string CKvlWriter::ProposedFileName(const std::string& mapFile) {
    CPathParts parts;
    parts.Split(mapFile.c_str());
    return std::string(parts.Compose(PP_FNAME)) + ".KVL";
}

std::string CKvlWriter::Bytes(const CKvlDefinition& definition) {
    std::string bytes;
    bytes.reserve(kIdOffset + 4 + 4 + definition.m_strMapFile.size() + 1 + 16 +
                  definition.m_SubCells.size() * KvlReader::kRecordSize);
    AppendString(bytes, kHeaderText);
    AppendUInt32(bytes, definition.m_nId);
    AppendString(bytes, definition.m_strMapFile);
    AppendInt32(bytes, definition.m_nDimX);
    AppendInt32(bytes, definition.m_nDimY);
    AppendInt32(bytes, definition.m_nDimZ);
    AppendUInt32(bytes, definition.GetSubCellCount());
    for (const SubCell& cell : definition.m_SubCells) {
        AppendUInt16(bytes, cell.GetExits());
        AppendInt32(bytes, cell.nX);
        AppendInt32(bytes, cell.nY);
        AppendInt32(bytes, cell.nZ);
        AppendUInt32(bytes, cell.nReserved1);
        AppendUInt32(bytes, cell.nReserved2);
    }
    return bytes;
}

bool CKvlWriter::Write(const std::string& path, const CKvlDefinition& definition) {
    return Stage(path, definition) && Close();
}

bool CKvlWriter::Stage(const std::string& path, const CKvlDefinition& definition) {
    const std::string bytes = Bytes(definition);
    return Open(path, "wb") && WriteBytes(bytes.data(), bytes.size()) && Flush();
}

bool CKvlWriter::Commit(uint32_t nId, CAtomicFile::CommitMode eMode) {
    return Seek(kIdOffset) && WriteUInt32(nId) && Close(eMode);
}
