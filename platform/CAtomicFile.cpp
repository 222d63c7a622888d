#include "platform/CAtomicFile.h"

#include <QSaveFile>
#include <QString>

#ifdef _WIN32
#include <io.h>
#define kvl_dup _dup
#define kvl_fdopen _fdopen
#define kvl_close _close
#else
#include <unistd.h>
#define kvl_dup dup
#define kvl_fdopen fdopen
#define kvl_close close
#endif

CAtomicFile::CAtomicFile() = default;

CAtomicFile::~CAtomicFile() {
    Discard();
}

bool CAtomicFile::Open(const std::string& path, bool bText) {
    Discard();
    m_pSaveFile = std::make_unique<QSaveFile>(QString::fromLocal8Bit(path));
    if (!m_pSaveFile->open(QIODevice::WriteOnly)) {
        m_pSaveFile.reset();
        return false;
    }
    // The stream writes through its own descriptor onto the save file's temporary file.
    const int fd = kvl_dup(m_pSaveFile->handle());
    if (fd >= 0) {
        m_pStream = kvl_fdopen(fd, bText ? "w" : "wb");
        if (m_pStream == nullptr) {
            kvl_close(fd);
        }
    }
    if (m_pStream == nullptr) {
        Discard();
        return false;
    }
    return true;
}

bool CAtomicFile::CloseStream() {
    if (m_pStream == nullptr) {
        return false;
    }
    const bool bWritten = std::fflush(m_pStream) == 0 && std::ferror(m_pStream) == 0;
    const bool bClosed = std::fclose(m_pStream) == 0;
    m_pStream = nullptr;
    return bWritten && bClosed;
}

bool CAtomicFile::Commit() {
    if (m_pSaveFile == nullptr) {
        return false;
    }
    if (!CloseStream()) {
        Discard();
        return false;
    }
    const bool bCommitted = m_pSaveFile->commit();
    m_pSaveFile.reset();
    return bCommitted;
}

void CAtomicFile::Discard() {
    CloseStream();
    if (m_pSaveFile != nullptr) {
        m_pSaveFile->cancelWriting();
        m_pSaveFile.reset();  // a cancelled save file removes its temporary file
    }
}
