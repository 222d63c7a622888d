#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "definition/SubCell.h"

// Strict readers for make's arguments: a number is decimal digits with an optional minus and
// nothing else, and must fit its 32 bits; anything else is refused with a message that says
// what was expected, instead of being read as far as it goes.
namespace CommandMakeArguments {

using Dimensions = std::array<int32_t, 3>;

// "XxYxZ", such as 3x2x1.
std::optional<Dimensions> ParseDimensions(std::string_view text, std::string& error);
// "X,Y,Z:EXITS", such as 1,0,0:NE or 0,0,0:- ; a cleared record with those coordinates and
// exits.
std::optional<SubCell> ParseExit(std::string_view text, std::string& error);
std::optional<uint32_t> ParseIdentifier(std::string_view text, std::string& error);

}  // namespace CommandMakeArguments
