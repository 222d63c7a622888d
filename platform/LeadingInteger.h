#pragma once

#include <cstdint>
#include <string_view>

// The C run-time's atoi rule for typed numbers: optional blanks, an optional sign, then the
// leading decimal digits; 0 when there are none. Unlike atoi it never overflows: a number
// beyond the 32-bit range gives the nearest limit.
namespace LeadingInteger {

int32_t Parse(std::string_view text);

}  // namespace LeadingInteger
