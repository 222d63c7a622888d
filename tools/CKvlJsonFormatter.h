#pragma once

#include <ostream>

#include "tools/CKvlSource.h"

// One JSON object per file on one line, for scripts: every field of a readable file, or the
// error that stopped the reader.
class CKvlJsonFormatter {
public:
    // The "format" field: the version of the object's layout.
    static constexpr const char* kFormat = "kvltool-dump/1";

    // Writes the object and its newline as it goes, through a buffer of bounded size however
    // many records the definition has.
    static void Write(std::ostream& out, const CKvlSource& source);
};
