#pragma once

#include <cstdio>
#include <memory>
#include <string>

class QSaveFile;

// A stdio stream onto a new version of a file that replaces the old one only when Commit
// succeeds. The new version is written to a temporary file in the target's folder and renamed
// over the target, so a failed write or a full disk leaves the old file as it was and no
// partial or temporary file behind; a crash leaves the old file as it was too. A replaced
// file keeps its permissions; a new one gets those fopen would give it (0666 less the umask).
class CAtomicFile {
public:
    CAtomicFile();
    ~CAtomicFile();  // discards an uncommitted file
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Starts a new version of path; bText selects a text stream. False when the new version
    // cannot be created (missing folder, a path through a regular file, ...).
    bool Open(const std::string& path, bool bText);
    bool IsOpen() const { return m_pStream != nullptr; }
    FILE* Stream() const { return m_pStream; }

    // Flushes, closes and puts the new version in place. False, with the old file untouched,
    // when any write, the close or the rename failed.
    bool Commit();
    void Discard();

private:
    bool CloseStream();

    std::unique_ptr<QSaveFile> m_pSaveFile;
    FILE* m_pStream = nullptr;
};
