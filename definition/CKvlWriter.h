#pragma once

#include <string>

#include "definition/CKvlDefinition.h"
#include "fileio/CFileWriter.h"

// Writes a definition as a .KVL file.
class CKvlWriter : public CFileWriter {
public:
    // The signature every .KVL file begins with (34 bytes with its NUL).
    static constexpr const char* kHeaderText = "KESTRAVEN SOFTWARE     .KVL (1.0)";

    // The name proposed for the definition of a map: the map file's base name and ".KVL".
    static std::string ProposedFileName(const std::string& mapFile);

    // Writes the definition to path, putting it in place (by eMode) only once it is complete.
    // False when the file could not be written in full or was not put in place.
    bool Write(const std::string& path, const CKvlDefinition& definition,
               CAtomicFile::CommitMode eMode = CAtomicFile::CommitMode::Replace);

private:
    const CKvlDefinition* m_pDefinition = nullptr;
};
