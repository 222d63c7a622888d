#pragma once

#include <string>

#include "fileio/CFileWriter.h"

// Writes a text file line by line.
class CTextFileWriter : public CFileWriter {
public:
    // The text and CRLF on every platform: the generator's files are Windows text files.
    bool WriteLine(const std::string& text);
};
