#include <gtest/gtest.h>

#include <string>

#include "platform/CLeadingInteger.h"

namespace {

struct ParseCase {
    std::string strText;
    int32_t nExpected;
};

void PrintTo(const ParseCase& parse, std::ostream* pOut) {
    *pOut << '"' << parse.strText << '"';
}

class CLeadingIntegerTest : public testing::TestWithParam<ParseCase> {};

TEST_P(CLeadingIntegerTest, ReadsTheLeadingNumberLikeAtoi) {
    EXPECT_EQ(CLeadingInteger::Parse(GetParam().strText), GetParam().nExpected);
}

INSTANTIATE_TEST_SUITE_P(TypedAndPastedTexts, CLeadingIntegerTest,
                         testing::Values(ParseCase{"12", 12}, ParseCase{"", 0}, ParseCase{"abc", 0},
                                         ParseCase{"3a", 3}, ParseCase{"-2", -2},
                                         ParseCase{"+7", 7}, ParseCase{" \t\n\v\f\r42", 42},
                                         ParseCase{"- 5", 0}, ParseCase{"--5", 0},
                                         ParseCase{"+-5", 0}, ParseCase{"4 2", 4},
                                         ParseCase{"007", 7}, ParseCase{"1.5", 1},
                                         ParseCase{"x12", 0}, ParseCase{"1e3", 1}));

INSTANTIATE_TEST_SUITE_P(SaturatesAtThe32BitLimits, CLeadingIntegerTest,
                         testing::Values(ParseCase{"2147483647", 2147483647},
                                         ParseCase{"2147483648", 2147483647},
                                         ParseCase{"99999999999999999999999999", 2147483647},
                                         ParseCase{"-2147483648", -2147483647 - 1},
                                         ParseCase{"-2147483649", -2147483647 - 1},
                                         ParseCase{"-99999999999999999999999999", -2147483647 - 1},
                                         ParseCase{"00000000000000000000000012", 12}));

TEST(CLeadingIntegerEmbeddedNulTest, StopsAtANulLikeAnyOtherNonDigit) {
    EXPECT_EQ(CLeadingInteger::Parse(std::string("12\0"
                                                 "34",
                                                 5)),
              12);
}

}  // namespace
