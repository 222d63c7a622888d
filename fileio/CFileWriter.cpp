#include "fileio/CFileWriter.h"

CFileWriter::~CFileWriter() = default;

bool CFileWriter::Open(const std::string& path, const char* mode) {
    Close();
    // Only the write modes make sense here: the file is always made anew.
    const bool bWriteMode = mode != nullptr && mode[0] == 'w';
    m_bFailed = !bWriteMode || !m_AtomicFile.Open(path);
    if (m_bFailed) {
        return false;
    }
    m_pFile = m_AtomicFile.Stream();
    return true;
}

bool CFileWriter::Close(CAtomicFile::CommitMode eMode) {
    if (m_pFile == nullptr) {
        return !m_bFailed;
    }
    m_pFile = nullptr;
    if (m_bFailed) {
        m_AtomicFile.Discard();
        return false;
    }
    m_bFailed = !m_AtomicFile.Commit(eMode);
    return !m_bFailed;
}

bool CFileWriter::WriteBytes(const void* pData, size_t nSize) {
    if (m_pFile == nullptr) {
        return false;
    }
    const bool bWritten = nSize == 0 || std::fwrite(pData, 1, nSize, m_pFile) == nSize;
    m_bFailed = m_bFailed || !bWritten;
    return bWritten;
}

bool CFileWriter::Flush() {
    m_bFailed = m_bFailed || m_pFile == nullptr || std::fflush(m_pFile) != 0;
    return !m_bFailed;
}

bool CFileWriter::Seek(long nOffset) {
    m_bFailed = m_bFailed || m_pFile == nullptr || std::fseek(m_pFile, nOffset, SEEK_SET) != 0;
    return !m_bFailed;
}

bool CFileWriter::WriteUInt16(uint16_t nValue) {
    const unsigned char bytes[2] = {static_cast<unsigned char>(nValue & 0xFF),
                                    static_cast<unsigned char>(nValue >> 8)};
    return WriteBytes(bytes, sizeof bytes);
}

bool CFileWriter::WriteUInt32(uint32_t nValue) {
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>((nValue >> (8 * i)) & 0xFF);
    }
    return WriteBytes(bytes, sizeof bytes);
}

bool CFileWriter::WriteInt32(int32_t nValue) {
    return WriteUInt32(static_cast<uint32_t>(nValue));
}

bool CFileWriter::WriteString(const std::string& text) {
    const size_t nLength = text.size() + 1;
    if (!WriteUInt32(static_cast<uint32_t>(nLength))) {
        return false;
    }
    return WriteBytes(text.c_str(), nLength);
}
