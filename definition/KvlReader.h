#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"

// Reads .KVL files strictly: every length and count is checked against the bytes that are
// really there before anything is allocated, so a truncated, padded or lying file is refused
// with the offset of the first field that is wrong. Integers are little-endian.
namespace KvlReader {

inline constexpr uint32_t kHeaderLength = 34;
inline constexpr size_t kRecordSize = 22;
// Exit bits beyond North, South, East and West; no writer sets them.
inline constexpr uint16_t kUnknownExitBits = 0xFFF0;

// Something the reader has to say about one place in a file.
struct Note {
    uint64_t nOffset = 0;  // byte offset in the file the note is about
    std::string strMessage;
};

// The outcome of reading one .KVL file.
struct Result {
    enum class Status {
        Ok,          // the file is a well-formed definition
        CannotOpen,  // the file could not be opened or read; m_Error says why
        Corrupt,     // the bytes are no well-formed definition; m_Error says where
    };

    Status m_eStatus = Status::Ok;
    CKvlDefinition m_Definition;  // complete only when m_eStatus is Ok
    Note m_Error;                 // set unless m_eStatus is Ok
    // Oddities of a readable file: reserved words that are not 0. The writer always writes 0,
    // so a file with such words came from somewhere else; it still reads, values kept.
    std::vector<Note> m_Warnings;

    bool IsOk() const { return m_eStatus == Status::Ok; }
};

// Receives the records and warnings of a file in file order as the reader meets them, so that
// a definition of any size can be shown without holding its records. When the file turns out
// not to be well-formed, what was received so far is of no use.
class ISink {
public:
    // Once, before the records, when the count is known to fit the file.
    virtual void OnSubCellCount(uint32_t /*nCount*/) {}
    virtual void OnSubCell(const SubCell& cell) = 0;
    virtual void OnWarning(const Note& warning) = 0;

protected:
    ~ISink() = default;
};

Result ReadFile(const std::string& path);
Result ReadBytes(const void* pData, size_t nSize);
// The same, but the records and warnings go to sink instead of into the result, whose
// definition holds only the fields before the records.
Result ReadFile(const std::string& path, ISink& sink);
Result ReadBytes(const void* pData, size_t nSize, ISink& sink);

}  // namespace KvlReader
