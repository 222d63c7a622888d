#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"

// Something the reader has to say about one place in a file.
struct KvlReadNote {
    uint64_t nOffset = 0;  // byte offset in the file the note is about
    std::string strMessage;
};

// The outcome of reading one .KVL file.
struct KvlReadResult {
    enum class Status {
        Ok,          // the file is a well-formed definition
        CannotOpen,  // the file could not be opened or read; m_Error says why
        Corrupt,     // the bytes are no well-formed definition; m_Error says where
    };

    Status eStatus = Status::Ok;
    CKvlDefinition m_Definition;  // complete only when eStatus is Ok
    KvlReadNote m_Error;          // set unless eStatus is Ok
    // Oddities of a readable file: reserved words that are not 0. The writer always writes 0,
    // so a file with such words came from somewhere else; it still reads, values kept.
    std::vector<KvlReadNote> m_Warnings;

    bool IsOk() const { return eStatus == Status::Ok; }
};

// Receives the records and warnings of a file in file order as the reader meets them, so that
// a definition of any size can be shown without holding its records. When the file turns out
// not to be well-formed, what was received so far is of no use.
class IKvlReadSink {
public:
    // Once, before the records, when the count is known to fit the file.
    virtual void OnSubCellCount(uint32_t /*nCount*/) {}
    virtual void OnSubCell(const SubCell& cell) = 0;
    virtual void OnWarning(const KvlReadNote& warning) = 0;

protected:
    ~IKvlReadSink() = default;
};

// Reads .KVL files strictly: every length and count is checked against the bytes that are
// really there before anything is allocated, so a truncated, padded or lying file is refused
// with the offset of the first field that is wrong. Integers are little-endian.
class CKvlReader {
public:
    static constexpr uint32_t kHeaderLength = 34;
    static constexpr size_t kRecordSize = 22;
    // Exit bits beyond North, South, East and West; no writer sets them.
    static constexpr uint16_t kUnknownExitBits = 0xFFF0;

    static KvlReadResult ReadFile(const std::string& path);
    static KvlReadResult ReadBytes(const void* pData, size_t nSize);
    // The same, but the records and warnings go to sink instead of into the result, whose
    // definition holds only the fields before the records.
    static KvlReadResult ReadFile(const std::string& path, IKvlReadSink& sink);
    static KvlReadResult ReadBytes(const void* pData, size_t nSize, IKvlReadSink& sink);
};
