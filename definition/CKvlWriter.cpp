#include "definition/CKvlWriter.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "definition/KvlReader.h"
#include "fileio/CPathParts.h"

namespace {

// Puts little-endian values one after another into memory sized for them beforehand: the
// largest file holds a million records, and growing a string byte by byte took longer than
// writing the file.
class CByteCursor {
public:
    explicit CByteCursor(char* pNext) : m_pNext(pNext) {}

    void UInt16(uint16_t nValue) { Put<2>(nValue); }
    void UInt32(uint32_t nValue) { Put<4>(nValue); }
    void Int32(int32_t nValue) { Put<4>(static_cast<uint32_t>(nValue)); }
    // A 32-bit length (the text's length + 1) and the text with its NUL.
    void String(const std::string& text) {
        UInt32(static_cast<uint32_t>(text.size() + 1));
        std::memcpy(m_pNext, text.c_str(), text.size() + 1);
        m_pNext += text.size() + 1;
    }

private:
    // Through a local array: stores through a char pointer could change the cursor itself,
    // which would make the compiler reload it after every byte.
    template <size_t nBytes>
    void Put(uint32_t nValue) {
        char value[nBytes];
        for (size_t i = 0; i < nBytes; ++i) {
            value[i] = static_cast<char>((nValue >> (8 * i)) & 0xFF);
        }
        std::memcpy(m_pNext, value, nBytes);
        m_pNext += nBytes;
    }

    char* m_pNext;
};

size_t StringSize(const std::string& text) {
    return 4 + text.size() + 1;
}

// Records are encoded a block at a time: few large writes from memory that stays in the
// cache (a block of 360 KB fits in the second level).
constexpr size_t kRecordsPerBlock = 16384;

// Everything before the records.
std::string HeaderBytes(const CKvlDefinition& definition) {
    const std::string signature = CKvlWriter::kHeaderText;
    std::string bytes(StringSize(signature) + 4 + StringSize(definition.m_strMapFile) + 16, '\0');
    CByteCursor cursor(bytes.data());
    cursor.String(signature);
    cursor.UInt32(definition.m_nId);
    cursor.String(definition.m_strMapFile);
    cursor.Int32(definition.m_nDimX);
    cursor.Int32(definition.m_nDimY);
    cursor.Int32(definition.m_nDimZ);
    cursor.UInt32(definition.GetSubCellCount());
    return bytes;
}

// nCount records from the nFirst on, into pOut.
void PutRecords(const std::vector<SubCell>& cells, size_t nFirst, size_t nCount, char* pOut) {
    CByteCursor cursor(pOut);
    for (size_t i = nFirst; i < nFirst + nCount; ++i) {
        const SubCell& cell = cells[i];
        cursor.UInt16(cell.GetExits());
        cursor.Int32(cell.nX);
        cursor.Int32(cell.nY);
        cursor.Int32(cell.nZ);
        cursor.UInt32(cell.nReserved1);
        cursor.UInt32(cell.nReserved2);
    }
}

}  // namespace

std::string CKvlWriter::ProposedFileName(const std::string& mapFile) {
    CPathParts parts;
    parts.Split(mapFile.c_str());
    return std::string(parts.Compose(PP_FNAME)) + ".KVL";
}

std::string CKvlWriter::Bytes(const CKvlDefinition& definition) {
    std::string bytes = HeaderBytes(definition);
    const size_t nHeader = bytes.size();
    bytes.resize(nHeader + definition.m_SubCells.size() * KvlReader::kRecordSize);
    PutRecords(definition.m_SubCells, 0, definition.m_SubCells.size(), bytes.data() + nHeader);
    return bytes;
}

bool CKvlWriter::Write(const std::string& path, const CKvlDefinition& definition) {
    return Stage(path, definition) && Close();
}

bool CKvlWriter::Stage(const std::string& path, const CKvlDefinition& definition) {
    const std::string header = HeaderBytes(definition);
    if (!Open(path, "wb") || !WriteBytes(header.data(), header.size())) {
        return false;
    }
    const std::vector<SubCell>& cells = definition.m_SubCells;
    std::string block(kRecordsPerBlock * KvlReader::kRecordSize, '\0');
    for (size_t nFirst = 0; nFirst < cells.size(); nFirst += kRecordsPerBlock) {
        const size_t nCount = std::min(kRecordsPerBlock, cells.size() - nFirst);
        PutRecords(cells, nFirst, nCount, block.data());
        if (!WriteBytes(block.data(), nCount * KvlReader::kRecordSize)) {
            return false;
        }
    }
    return Flush();
}

bool CKvlWriter::Commit(uint32_t nId, CAtomicFile::CommitMode eMode) {
    return Seek(kIdOffset) && WriteUInt32(nId) && Close(eMode);
}
