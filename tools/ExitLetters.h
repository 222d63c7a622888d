#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The exits of a sub cell written as letters, N, S, E and W in that order, or "-" for none:
// what make takes and what dump shows, so a dump can be typed back in.
namespace ExitLetters {

std::string Format(uint16_t nExits);
// Letters in any order and case, each at most once, or "-"; nothing for anything else.
std::optional<uint16_t> Parse(std::string_view text);

}  // namespace ExitLetters
