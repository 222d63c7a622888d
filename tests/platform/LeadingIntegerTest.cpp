#include <gtest/gtest.h>

#include <string>

#include "platform/LeadingInteger.h"

namespace {

using namespace std::string_literals;

// Read as atoi reads, but saturated at the 32-bit limits however many digits follow.
TEST(LeadingIntegerTest, ReadsTheLeadingNumberLikeAtoi) {
    const std::pair<std::string, int32_t> cases[] = {
        {" \t\n\v\f\r-42x", -42},
        {"+-5", 0},
        {"12\0"s + "34", 12},
        {"2147483648", INT32_MAX},
        {"-2147483649", INT32_MIN},
        {"99999999999999999999999999", INT32_MAX},
        {"00000000000000000000000012", 12},
    };
    for (const auto& [text, nExpected] : cases) {
        EXPECT_EQ(LeadingInteger::Parse(text), nExpected) << '"' << text << '"';
    }
}

}  // namespace
