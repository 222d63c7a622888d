#pragma once

#include <cstdio>
#include <string>

// A stdio stream (always binary) onto a new version of a file that is put in place only when
// Commit succeeds. The new version is written to a temporary file in the target's folder,
// flushed to disk and then renamed into place, so a failed write, a full disk or a crash
// leaves the old file as it was and no partial file behind. A replaced file keeps its
// permissions; a new one gets those fopen would give it (0666 less the umask). A target that
// is a symbolic link stays one: the file it names is replaced. A target that is not a regular
// file (a folder, a pipe, a device) is never replaced.
class CAtomicFile {
public:
    enum class CommitMode {
        Replace,         // whatever file is there is replaced
        CreateIfAbsent,  // only if no file is there, so that racing writers never overwrite
    };
    // InUse: another program holds the target open and bars its replacement (Windows).
    enum class Failure { None, NotAFile, Exists, InUse, Io };

    CAtomicFile() = default;
    ~CAtomicFile();  // discards an uncommitted file
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Starts a new version of path. False when the new version cannot be created (missing
    // folder, a path through a regular file, a target that is not a file, ...).
    bool Open(const std::string& path);
    bool IsOpen() const { return m_pStream != nullptr; }
    FILE* Stream() const { return m_pStream; }

    // Flushes, closes and puts the new version in place. False, with the old file untouched
    // and the temporary file removed, when any write, the flush or the rename failed, or when
    // CreateIfAbsent finds a file there.
    bool Commit(CommitMode eMode = CommitMode::Replace);
    void Discard();
    // Why the last Open or Commit failed.
    Failure LastFailure() const { return m_eFailure; }

private:
    bool Fail(Failure eFailure);
    bool CloseStream();
    // The parts that differ between systems. MoveIntoPlace sets m_eFailure when it fails.
    bool MoveIntoPlace(CommitMode eMode);
    static bool SyncToDisk(FILE* pStream);
    static void RemoveFile(const std::string& path);

    FILE* m_pStream = nullptr;
    std::string m_strTarget;     // the file to put in place, symbolic links followed
    std::string m_strTemporary;  // empty when there is none
    Failure m_eFailure = Failure::None;
};
