#pragma once

#include <cstdint>
#include <ostream>

#include "tools/CKvlSource.h"

// Draws each Z layer of a definition's sub cells as a grid of small boxes, north up and east
// to the right, with the letter of each exit in the side it opens: a picture to check a
// definition against the prefab at a glance.
namespace KvlGridFormatter {

// Larger definitions are not drawn: a picture that does not fit a terminal helps nobody.
constexpr int32_t kMaxColumns = 40;
constexpr int64_t kMaxCells = 4096;

// Of a well-formed file.
void Write(std::ostream& text, const CKvlSource& source);

}  // namespace KvlGridFormatter
