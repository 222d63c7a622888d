#include "KvlFileBytes.h"

namespace {

void PutLittleEndian(std::string& bytes, uint64_t nValue, int nSize) {
    for (int i = 0; i < nSize; ++i) {
        bytes.push_back(static_cast<char>((nValue >> (8 * i)) & 0xFF));
    }
}

void PutString(std::string& bytes, const std::string& text) {
    PutLittleEndian(bytes, static_cast<uint32_t>(text.size() + 1), 4);
    bytes += text;
    bytes.push_back('\0');
}

}  // namespace

std::string KvlFileBytes(uint32_t nId, const std::string& mapFile, int32_t nDimX, int32_t nDimY,
                         int32_t nDimZ, const std::vector<ExpectedSubCell>& subCells) {
    std::string bytes;
    PutString(bytes, "KESTRAVEN SOFTWARE     .KVL (1.0)");
    PutLittleEndian(bytes, nId, 4);
    PutString(bytes, mapFile);
    for (const int32_t nDim : {nDimX, nDimY, nDimZ}) {
        PutLittleEndian(bytes, static_cast<uint32_t>(nDim), 4);
    }
    PutLittleEndian(bytes, static_cast<uint32_t>(subCells.size()), 4);
    for (const ExpectedSubCell& cell : subCells) {
        PutLittleEndian(bytes, cell.nExits, 2);
        for (const int32_t nCoordinate : {cell.nX, cell.nY, cell.nZ}) {
            PutLittleEndian(bytes, static_cast<uint32_t>(nCoordinate), 4);
        }
        PutLittleEndian(bytes, 0, 8);
    }
    return bytes;
}
