#include "definition/KvlReader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <streambuf>
#include <system_error>
#include <vector>

#include "definition/CKvlWriter.h"
#include "platform/NativePath.h"

namespace {

uint16_t LoadUInt16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t LoadUInt32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t LoadInt32(const unsigned char* p) {
    return static_cast<int32_t>(LoadUInt32(p));
}

std::string Hex16(uint16_t nValue) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(nValue));
    return text;
}

// Bytes in memory read as a stream, without copying them.
class CMemoryBuffer : public std::streambuf {
public:
    CMemoryBuffer(const void* pData, size_t nSize) {
        char* pBegin = static_cast<char*>(const_cast<void*>(pData));
        setg(pBegin, pBegin, pBegin + nSize);
    }
};

// Walks a stream field by field. Nothing is read or allocated before the bytes it needs are
// known to be there, so a lying length costs nothing but its message.
class CKvlParser {
public:
    CKvlParser(std::istream& in, uint64_t nSize, KvlReader::Result& result, KvlReader::ISink& sink)
        : m_In(in), m_nSize(nSize), m_Result(result), m_Sink(sink) {}

    bool Parse() { return ParseHeader() && ParseMapName() && ParseDimensions() && ParseSubCells(); }

private:
    uint64_t Remaining() const { return m_nSize - m_nOffset; }

    bool Fail(uint64_t nOffset, std::string message) {
        m_Result.m_eStatus = KvlReader::Result::Status::Corrupt;
        m_Result.m_Error = {nOffset, std::move(message)};
        return false;
    }

    // Reads nSize bytes of the named field; a file too short for it is corrupt.
    bool Take(const std::string& field, void* pBuffer, size_t nSize) {
        if (nSize > Remaining()) {
            return Fail(m_nOffset, field + " needs " + std::to_string(nSize) +
                                       " bytes, but the file ends after " +
                                       std::to_string(Remaining()));
        }
        m_In.read(static_cast<char*>(pBuffer), static_cast<std::streamsize>(nSize));
        if (m_In.gcount() != static_cast<std::streamsize>(nSize)) {
            m_Result.m_eStatus = KvlReader::Result::Status::CannotOpen;
            m_Result.m_Error = {m_nOffset,
                                "reading failed after " + std::to_string(m_nOffset) + " bytes"};
            return false;
        }
        m_nOffset += nSize;
        return true;
    }

    bool TakeUInt32(const std::string& field, uint32_t& nValue) {
        unsigned char bytes[4];
        if (!Take(field, bytes, sizeof bytes)) {
            return false;
        }
        nValue = LoadUInt32(bytes);
        return true;
    }

    bool TakeInt32(const std::string& field, int32_t& nValue) {
        uint32_t nRaw = 0;
        if (!TakeUInt32(field, nRaw)) {
            return false;
        }
        nValue = static_cast<int32_t>(nRaw);
        return true;
    }

    bool ParseHeader() {
        uint32_t nLength = 0;
        if (!TakeUInt32("the header length", nLength)) {
            return false;
        }
        if (nLength != KvlReader::kHeaderLength) {
            return Fail(0, "the header length is " + std::to_string(nLength) +
                               "; a .KVL file has " + std::to_string(KvlReader::kHeaderLength));
        }
        const uint64_t nStart = m_nOffset;
        std::array<char, KvlReader::kHeaderLength> signature{};
        if (!Take("the signature", signature.data(), signature.size())) {
            return false;
        }
        // The expected text with its NUL is exactly kHeaderLength bytes.
        const char* pszExpected = CKvlWriter::kHeaderText;
        for (size_t i = 0; i < signature.size(); ++i) {
            if (signature[i] != pszExpected[i]) {
                return Fail(nStart + i, std::string("the signature is not \"") + pszExpected +
                                            "\" followed by a NUL");
            }
        }
        return TakeUInt32("the identifier", m_Result.m_Definition.m_nId);
    }

    bool ParseMapName() {
        const uint64_t nLengthOffset = m_nOffset;
        uint32_t nLength = 0;
        if (!TakeUInt32("the map name length", nLength)) {
            return false;
        }
        if (nLength == 0) {
            return Fail(nLengthOffset,
                        "the map name length is 0; it counts the name's closing NUL, so it is "
                        "at least 1");
        }
        if (nLength > Remaining()) {
            return Fail(nLengthOffset, "the map name length " + std::to_string(nLength) +
                                           " runs past the end of the file: only " +
                                           std::to_string(Remaining()) + " bytes follow");
        }
        const uint64_t nStart = m_nOffset;
        std::string name(nLength, '\0');
        if (!Take("the map name", name.data(), nLength)) {
            return false;
        }
        if (name.back() != '\0') {
            return Fail(nStart + nLength - 1, "the map name does not end in a NUL");
        }
        name.pop_back();
        const size_t nNul = name.find('\0');
        if (nNul != std::string::npos) {
            return Fail(nStart + nNul, "the map name holds a NUL before its end");
        }
        m_Result.m_Definition.m_strMapFile = std::move(name);
        return true;
    }

    bool ParseDimensions() {
        CKvlDefinition& definition = m_Result.m_Definition;
        return TakeInt32("the X dimension", definition.m_nDimX) &&
               TakeInt32("the Y dimension", definition.m_nDimY) &&
               TakeInt32("the Z dimension", definition.m_nDimZ);
    }

    bool ParseSubCells() {
        const uint64_t nCountOffset = m_nOffset;
        uint32_t nCount = 0;
        if (!TakeUInt32("the sub cell count", nCount)) {
            return false;
        }
        const uint64_t nNeeded = uint64_t{nCount} * KvlReader::kRecordSize;
        if (nNeeded > Remaining()) {
            return Fail(nCountOffset, "the sub cell count " + std::to_string(nCount) + " needs " +
                                          std::to_string(nNeeded) + " bytes of records, but only " +
                                          std::to_string(Remaining()) + " follow");
        }
        if (nNeeded < Remaining()) {
            return Fail(m_nOffset + nNeeded,
                        std::to_string(Remaining() - nNeeded) + " bytes follow the last of the " +
                            std::to_string(nCount) + " sub cell records the count at offset " +
                            std::to_string(nCountOffset) + " announces");
        }
        m_Sink.OnSubCellCount(nCount);
        // Records are read in blocks: one stream call per record would cost more than the rest.
        constexpr uint32_t kBlock = 4096;
        std::vector<unsigned char> block(size_t{kBlock} * KvlReader::kRecordSize);
        for (uint32_t nFirst = 0; nFirst < nCount; nFirst += kBlock) {
            const uint32_t nRecords = std::min(kBlock, nCount - nFirst);
            const uint64_t nStart = m_nOffset;
            if (!Take("sub cell record " + std::to_string(nFirst), block.data(),
                      nRecords * KvlReader::kRecordSize)) {
                return false;
            }
            for (uint32_t i = 0; i < nRecords; ++i) {
                if (!ParseSubCell(nFirst + i, block.data() + i * KvlReader::kRecordSize,
                                  nStart + uint64_t{i} * KvlReader::kRecordSize)) {
                    return false;
                }
            }
        }
        return true;
    }

    bool ParseSubCell(uint32_t nIndex, const unsigned char* bytes, uint64_t nStart) {
        const auto record = [nIndex] { return "sub cell record " + std::to_string(nIndex); };
        const uint16_t nExits = LoadUInt16(bytes);
        if ((nExits & KvlReader::kUnknownExitBits) != 0) {
            return Fail(nStart, record() + " has exit bits " +
                                    Hex16(nExits & KvlReader::kUnknownExitBits) +
                                    " set that stand for no side");
        }
        SubCell cell;
        cell.SetExits(nExits);
        cell.nX = LoadInt32(bytes + 2);
        cell.nY = LoadInt32(bytes + 6);
        cell.nZ = LoadInt32(bytes + 10);
        cell.nReserved1 = LoadUInt32(bytes + 14);
        cell.nReserved2 = LoadUInt32(bytes + 18);
        if (cell.nReserved1 != 0) {
            Warn(record() + ": reserved word 1", cell.nReserved1, nStart + 14);
        }
        if (cell.nReserved2 != 0) {
            Warn(record() + ": reserved word 2", cell.nReserved2, nStart + 18);
        }
        m_Sink.OnSubCell(cell);
        return true;
    }

    void Warn(const std::string& field, uint32_t nValue, uint64_t nOffset) {
        m_Sink.OnWarning({nOffset, field + " is " + std::to_string(nValue) + " instead of 0"});
    }

    std::istream& m_In;
    const uint64_t m_nSize;
    uint64_t m_nOffset = 0;
    KvlReader::Result& m_Result;
    KvlReader::ISink& m_Sink;
};

// Keeps everything in the result, for callers that want the whole definition.
class CKeepingSink : public KvlReader::ISink {
public:
    explicit CKeepingSink(KvlReader::Result& result) : m_Result(result) {}

    void OnSubCellCount(uint32_t nCount) override {
        m_Result.m_Definition.m_SubCells.reserve(nCount);
    }
    void OnSubCell(const SubCell& cell) override { m_Result.m_Definition.AddSubCell(cell); }
    void OnWarning(const KvlReader::Note& warning) override {
        m_Result.m_Warnings.push_back(warning);
    }

private:
    KvlReader::Result& m_Result;
};

KvlReader::Result Parse(std::istream& in, uint64_t nSize, KvlReader::ISink* pSink) {
    KvlReader::Result result;
    CKeepingSink keeping(result);
    CKvlParser parser(in, nSize, result, pSink ? *pSink : keeping);
    if (!parser.Parse()) {
        result.m_Definition = CKvlDefinition();
        result.m_Warnings.clear();
    }
    return result;
}

KvlReader::Result CannotOpen(std::string message) {
    KvlReader::Result result;
    result.m_eStatus = KvlReader::Result::Status::CannotOpen;
    result.m_Error = {0, std::move(message)};
    return result;
}

KvlReader::Result ReadFrom(const std::string& path, KvlReader::ISink* pSink) {
    const std::filesystem::path file = NativePath::From(path);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return CannotOpen("no such file");
    }
    // Pipes and devices could block or never end; a definition is always a regular file.
    if (status.type() != std::filesystem::file_type::regular) {
        return CannotOpen(error ? "cannot open: " + error.message() : "not a regular file");
    }
    const uintmax_t nSize = std::filesystem::file_size(file, error);
    std::ifstream in(file, std::ios::binary);
    if (error || !in.is_open()) {
        return CannotOpen(std::string("cannot open: ") +
                          (error ? error.message() : std::strerror(errno)));
    }
    return Parse(in, nSize, pSink);
}

KvlReader::Result ReadFrom(const void* pData, size_t nSize, KvlReader::ISink* pSink) {
    CMemoryBuffer buffer(pData, nSize);
    std::istream in(&buffer);
    return Parse(in, nSize, pSink);
}

}  // namespace

KvlReader::Result KvlReader::ReadFile(const std::string& path) {
    return ReadFrom(path, nullptr);
}

KvlReader::Result KvlReader::ReadBytes(const void* pData, size_t nSize) {
    return ReadFrom(pData, nSize, nullptr);
}

KvlReader::Result KvlReader::ReadFile(const std::string& path, KvlReader::ISink& sink) {
    return ReadFrom(path, &sink);
}

KvlReader::Result KvlReader::ReadBytes(const void* pData, size_t nSize, KvlReader::ISink& sink) {
    return ReadFrom(pData, nSize, &sink);
}
