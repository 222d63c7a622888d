#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

#include "definition/KvlReader.h"
#include "tools/CKvlSource.h"

// Plain-text views of a definition and of what the reader found, for people at a terminal.
namespace KvlTextFormatter {

// Every field of a well-formed file, one per line, then one line per sub cell record,
// written as it goes.
void Write(std::ostream& text, const CKvlSource& source);
// "file: offset N: message", the offset left out for files that could not be opened.
std::string FormatNote(const std::string& file, const KvlReader::Note& note,
                       bool bWithOffset = true);
// "3 x 2 x 1".
std::string FormatDimensions(int32_t nDimX, int32_t nDimY, int32_t nDimZ);
// The text in double quotes with quotes, backslashes and control characters escaped C
// style, so that a name from a file can neither hide its ends nor drive the terminal.
std::string Quote(std::string_view text);

}  // namespace KvlTextFormatter
