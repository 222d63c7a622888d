#include "platform/LeadingInteger.h"

#include <algorithm>
#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

int32_t LeadingInteger::Parse(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        bNegative = text[i] == '-';
        ++i;
    }
    // One past the largest magnitude either sign can take; growing stops there.
    constexpr int64_t kCap = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t nMagnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (nMagnitude < kCap) {
            nMagnitude = nMagnitude * 10 + (text[i] - '0');
        }
    }
    if (bNegative) {
        return static_cast<int32_t>(-std::min(nMagnitude, kCap));
    }
    return static_cast<int32_t>(std::min(nMagnitude, kCap - 1));
}
