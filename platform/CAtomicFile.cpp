#include "platform/CAtomicFile.h"

CAtomicFile::~CAtomicFile() {
    Discard();
}

bool CAtomicFile::Fail(Failure eFailure) {
    Discard();
    m_eFailure = eFailure;
    return false;
}

bool CAtomicFile::CloseStream() {
    if (m_pStream == nullptr) {
        return false;
    }
    const bool bWritten =
        std::fflush(m_pStream) == 0 && std::ferror(m_pStream) == 0 && SyncToDisk(m_pStream);
    const bool bClosed = std::fclose(m_pStream) == 0;
    m_pStream = nullptr;
    return bWritten && bClosed;
}

bool CAtomicFile::Commit(CommitMode eMode) {
    if (m_strTemporary.empty()) {
        return Fail(Failure::Io);
    }
    if (!CloseStream()) {
        return Fail(Failure::Io);
    }
    if (!MoveIntoPlace(eMode)) {
        return Fail(m_eFailure == Failure::None ? Failure::Io : m_eFailure);
    }
    m_strTemporary.clear();
    m_eFailure = Failure::None;
    return true;
}

void CAtomicFile::Discard() {
    if (m_pStream != nullptr) {
        std::fclose(m_pStream);
        m_pStream = nullptr;
    }
    if (!m_strTemporary.empty()) {
        RemoveFile(m_strTemporary);
        m_strTemporary.clear();
    }
}
