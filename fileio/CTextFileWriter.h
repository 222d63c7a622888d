#pragma once

#include <string>

#include "fileio/CFileWriter.h"

// Writes a text file line by line.
class CTextFileWriter : public CFileWriter {
public:
    // The text and a line feed; a text stream turns it into the platform's line ending.
    bool WriteLine(const std::string& text);
};
