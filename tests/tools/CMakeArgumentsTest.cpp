#include <gtest/gtest.h>

#include <string>

#include "tools/CExitLetters.h"
#include "tools/CMakeArguments.h"

namespace {

TEST(CMakeArgumentsTest, DimensionsAreThreeWholeNumbersAndNothingElse) {
    const struct {
        const char* pszText;
        bool bValid;
        CMakeArguments::Dimensions dimensions;
    } cases[] = {
        {"3x2x1", true, {3, 2, 1}},
        {"0x0x0", true, {0, 0, 0}},
        {"-1x2x-3", true, {-1, 2, -3}},
        {"2147483647x1x-2147483648", true, {INT32_MAX, 1, INT32_MIN}},
        {"2147483648x1x1", false, {}},
        {"2x2", false, {}},
        {"2x2x2x2", false, {}},
        {" 2x2x2", false, {}},
        {"+2x2x2", false, {}},
        {"2X2X2", false, {}},
        {"0x10x1", true, {0, 10, 1}},
        {"", false, {}},
    };
    for (const auto& testCase : cases) {
        std::string error;
        const auto dimensions = CMakeArguments::ParseDimensions(testCase.pszText, error);
        EXPECT_EQ(dimensions.has_value(), testCase.bValid) << testCase.pszText;
        if (dimensions) {
            EXPECT_EQ(*dimensions, testCase.dimensions) << testCase.pszText;
        } else {
            EXPECT_NE(error.find(std::string("\"") + testCase.pszText + "\""), std::string::npos)
                << error;
        }
    }
}

TEST(CMakeArgumentsTest, ExitNamesASubCellAndItsSides) {
    const struct {
        const char* pszText;
        bool bValid = false;
        int32_t x = 0, y = 0, z = 0;
        uint16_t nExits = 0;
    } cases[] = {
        {"1,0,0:NE", true, 1, 0, 0, EXIT_NORTH | EXIT_EAST},
        {"0,0,0:-", true, 0, 0, 0, 0},
        {"2,3,4:wsen", true, 2, 3, 4, EXIT_ALL},
        {"-1,0,7:S", true, -1, 0, 7, EXIT_SOUTH},
        {"0,0,0:", false},
        {"0,0,0:NN", false},
        {"0,0,0:NX", false},
        {"0,0,0", false},
        {"0,0:N", false},
        {"a,0,0:N", false},
        {"0,0,0:N:S", false},
    };
    for (const auto& testCase : cases) {
        std::string error;
        const auto cell = CMakeArguments::ParseExit(testCase.pszText, error);
        ASSERT_EQ(cell.has_value(), testCase.bValid) << testCase.pszText;
        if (!cell) {
            EXPECT_NE(error.find("X,Y,Z:EXITS"), std::string::npos) << error;
            continue;
        }
        EXPECT_EQ(cell->nX, testCase.x);
        EXPECT_EQ(cell->nY, testCase.y);
        EXPECT_EQ(cell->nZ, testCase.z);
        EXPECT_EQ(cell->GetExits(), testCase.nExits) << testCase.pszText;
        EXPECT_EQ(cell->nReserved1, 0u);
        EXPECT_EQ(cell->nReserved2, 0u);
    }
}

TEST(CMakeArgumentsTest, IdentifierIsAnUnsigned32BitNumber) {
    const struct {
        const char* pszText;
        std::optional<uint32_t> id;
    } cases[] = {
        {"0", 0u},          {"41", 41u}, {"4294967295", UINT32_MAX},
        {"4294967296", {}}, {"-1", {}},  {"0x10", {}},
        {"1e3", {}},        {"", {}},    {"12 ", {}},
    };
    for (const auto& testCase : cases) {
        std::string error;
        EXPECT_EQ(CMakeArguments::ParseIdentifier(testCase.pszText, error), testCase.id)
            << testCase.pszText;
    }
}

TEST(CExitLettersTest, EveryCombinationReadsBackAsWritten) {
    for (uint16_t nExits = 0; nExits <= EXIT_ALL; ++nExits) {
        const std::string letters = CExitLetters::Format(nExits);
        EXPECT_EQ(CExitLetters::Parse(letters), nExits) << letters;
    }
    EXPECT_EQ(CExitLetters::Format(0), "-");
    EXPECT_EQ(CExitLetters::Format(EXIT_ALL), "NSEW");
    EXPECT_EQ(CExitLetters::Format(EXIT_WEST | EXIT_SOUTH), "SW");
}

}  // namespace
