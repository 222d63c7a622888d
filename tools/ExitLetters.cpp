#include "tools/ExitLetters.h"

#include <array>

#include "definition/SubCell.h"

namespace {

struct ExitLetter {
    char cLetter;
    uint16_t nBit;
};

constexpr std::array<ExitLetter, 4> kLetters = {{
    {'N', EXIT_NORTH},
    {'S', EXIT_SOUTH},
    {'E', EXIT_EAST},
    {'W', EXIT_WEST},
}};

}  // namespace

std::string ExitLetters::Format(uint16_t nExits) {
    std::string text;
    for (const ExitLetter& letter : kLetters) {
        if ((nExits & letter.nBit) != 0) {
            text += letter.cLetter;
        }
    }
    return text.empty() ? "-" : text;
}

std::optional<uint16_t> ExitLetters::Parse(std::string_view text) {
    if (text == "-") {
        return uint16_t{0};
    }
    if (text.empty()) {
        return std::nullopt;
    }
    uint16_t nExits = 0;
    for (const char c : text) {
        const char cUpper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        bool bKnown = false;
        for (const ExitLetter& letter : kLetters) {
            if (cUpper == letter.cLetter && (nExits & letter.nBit) == 0) {
                nExits = static_cast<uint16_t>(nExits | letter.nBit);
                bKnown = true;
            }
        }
        if (!bKnown) {
            return std::nullopt;
        }
    }
    return nExits;
}
