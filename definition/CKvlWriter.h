#pragma once

#include <string>

#include "definition/CKvlDefinition.h"
#include "definition/CMissingSubCells.h"
#include "fileio/CFileWriter.h"

// Writes a definition as a .KVL file.
class CKvlWriter : public CFileWriter {
public:
    // The signature every .KVL file begins with (34 bytes with its NUL).
    static constexpr const char* kHeaderText = "KESTRAVEN SOFTWARE     .KVL (1.0)";

    // The name proposed for the definition of a map: the map file's base name and ".KVL".
    static std::string ProposedFileName(const std::string& mapFile);

    // Where the identifier lies in the file.
    static constexpr long kIdOffset = 38;

    // The whole file, as Write writes it.
    static std::string Bytes(const CKvlDefinition& definition);

    // Writes the definition to path, replacing any file there only once the new one is
    // complete. False when the file could not be written in full.
    bool Write(const std::string& path, const CKvlDefinition& definition);

    // Write in two steps, for an identifier that must not be used up when no file can be
    // written: Stage writes the whole file beside path, so that a missing folder, a full
    // disk or a size limit shows before the identifier is taken; Commit puts nId into it
    // and the file in place by eMode. False when a step failed; nothing is left behind then.
    // The appended records follow the definition's own: the file of a completed definition
    // without completing it in memory.
    bool Stage(const std::string& path, const CKvlDefinition& definition,
               const CMissingSubCells& appended = {});
    bool Commit(uint32_t nId, CAtomicFile::CommitMode eMode = CAtomicFile::CommitMode::Replace);
};
