#include "definition/CKvlWriter.h"

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

// Everything before the records; nRecords of them follow.
std::string HeaderBytes(const CKvlDefinition& definition, size_t nRecords) {
    const std::string signature = CKvlWriter::kHeaderText;
    std::string bytes(StringSize(signature) + 4 + StringSize(definition.m_strMapFile) + 16, '\0');
    CByteCursor cursor(bytes.data());
    cursor.String(signature);
    cursor.UInt32(definition.m_nId);
    cursor.String(definition.m_strMapFile);
    cursor.Int32(definition.m_nDimX);
    cursor.Int32(definition.m_nDimY);
    cursor.Int32(definition.m_nDimZ);
    cursor.UInt32(static_cast<uint32_t>(nRecords));
    return bytes;
}

void PutRecord(CByteCursor& cursor, const SubCell& cell) {
    cursor.UInt16(cell.GetExits());
    cursor.Int32(cell.nX);
    cursor.Int32(cell.nY);
    cursor.Int32(cell.nZ);
    cursor.UInt32(cell.nReserved1);
    cursor.UInt32(cell.nReserved2);
}

// Records go out a block at a time, each block handed to write(data, size): few large writes
// from memory that stays in the cache (a block of 360 KB fits in the second level).
template <class Write>
class CRecordBlocks {
public:
    explicit CRecordBlocks(Write write)
        : m_Write(write), m_Block(kRecordsPerBlock * KvlReader::kRecordSize, '\0') {}

    void Put(const SubCell& cell) {
        CByteCursor cursor(m_Block.data() + m_nCount * KvlReader::kRecordSize);
        PutRecord(cursor, cell);
        if (++m_nCount == kRecordsPerBlock) {
            Flush();
        }
    }

    void Flush() {
        m_Write(m_Block.data(), m_nCount * KvlReader::kRecordSize);
        m_nCount = 0;
    }

private:
    static constexpr size_t kRecordsPerBlock = 16384;

    Write m_Write;
    std::string m_Block;
    size_t m_nCount = 0;
};

}  // namespace

std::string CKvlWriter::ProposedFileName(const std::string& mapFile) {
    CPathParts parts;
    parts.Split(mapFile.c_str());
    return std::string(parts.Compose(PP_FNAME)) + ".KVL";
}

std::string CKvlWriter::Bytes(const CKvlDefinition& definition) {
    const std::vector<SubCell>& cells = definition.m_SubCells;
    std::string bytes = HeaderBytes(definition, cells.size());
    const size_t nHeader = bytes.size();
    bytes.resize(nHeader + cells.size() * KvlReader::kRecordSize);
    CByteCursor cursor(bytes.data() + nHeader);
    for (const SubCell& cell : cells) {
        PutRecord(cursor, cell);
    }
    return bytes;
}

bool CKvlWriter::Write(const std::string& path, const CKvlDefinition& definition) {
    return Stage(path, definition) && Close();
}

bool CKvlWriter::Stage(const std::string& path, const CKvlDefinition& definition,
                       const CMissingSubCells& appended) {
    const std::string header =
        HeaderBytes(definition, definition.m_SubCells.size() + appended.Count());
    if (!Open(path, "wb") || !WriteBytes(header.data(), header.size())) {
        return false;
    }
    // A failed write is remembered, and Flush then reports it.
    CRecordBlocks blocks([this](const char* pData, size_t nSize) { WriteBytes(pData, nSize); });
    for (const SubCell& cell : definition.m_SubCells) {
        blocks.Put(cell);
    }
    appended.ForEach([&blocks](const SubCell& cell) { blocks.Put(cell); });
    blocks.Flush();
    return Flush();
}

bool CKvlWriter::Commit(uint32_t nId, CAtomicFile::CommitMode eMode) {
    return Seek(kIdOffset) && WriteUInt32(nId) && Close(eMode);
}
