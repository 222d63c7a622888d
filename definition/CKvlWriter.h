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

    // Writes the definition to path, replacing any file there only once the new one is
    // complete. False when the file could not be written in full.
    bool Write(const std::string& path, const CKvlDefinition& definition);

private:
    const CKvlDefinition* m_pDefinition = nullptr;
};
