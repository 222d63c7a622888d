#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/CAtomicFile.h"

// Owns one stdio stream onto a file being written. The file appears under its name only when
// Close finds every write and the close successful; until then, and after any failure, an
// older file of that name stays untouched and no partial file is left.
class CFileWriter {
public:
    CFileWriter() = default;
    virtual ~CFileWriter();  // discards a file that was not closed: it may be incomplete
    CFileWriter(const CFileWriter&) = delete;
    CFileWriter& operator=(const CFileWriter&) = delete;

    // Closes a stream still open, then starts the file at path; mode is a stdio write mode,
    // "wb" or "wt" (both write the bytes as given). False when the file cannot be created or
    // the mode is not a write mode.
    bool Open(const std::string& path, const char* mode);
    // Puts the file in place; false when the open, any write or the close failed, or when
    // CreateIfAbsent finds a file there, and then the old file stays as it was. Safe to repeat.
    bool Close(CAtomicFile::CommitMode eMode = CAtomicFile::CommitMode::Replace);
    // Why Open or Close failed: for a message that tells a file in the way from a write error.
    CAtomicFile::Failure LastFailure() const { return m_AtomicFile.LastFailure(); }
    // A 32-bit length (the text's length + 1) and the text with its NUL.
    bool WriteString(const std::string& text);

protected:
    bool WriteBytes(const void* pData, size_t nSize);
    // Little-endian whatever the host's byte order.
    bool WriteUInt16(uint16_t nValue);
    bool WriteUInt32(uint32_t nValue);
    bool WriteInt32(int32_t nValue);
    // Hands what was written so far to the system, so that a full disk or a size limit
    // shows now rather than at Close.
    bool Flush();
    // Goes back to nOffset from the start of the file, to write there again.
    bool Seek(long nOffset);

    FILE* m_pFile = nullptr;

private:
    CAtomicFile m_AtomicFile;
    bool m_bFailed = false;
};
