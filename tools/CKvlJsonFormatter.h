#pragma once

#include <string>

#include "definition/CKvlReader.h"

// One JSON object per file on one line, for scripts: every field of a readable file, or the
// error that stopped the reader.
class CKvlJsonFormatter {
public:
    static std::string Format(const std::string& file, const KvlReadResult& result);
};
