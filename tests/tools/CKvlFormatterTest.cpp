#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "tools/CKvlGridFormatter.h"
#include "tools/CKvlJsonFormatter.h"
#include "tools/CKvlTextFormatter.h"

namespace {

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t nExits) {
    SubCell cell;
    cell.nX = x;
    cell.nY = y;
    cell.nZ = z;
    cell.SetExits(nExits);
    return cell;
}

CKvlDefinition Definition(int32_t x, int32_t y, int32_t z, std::vector<SubCell> cells) {
    CKvlDefinition definition;
    definition.m_nId = 3;
    definition.m_strMapFile = "r.map";
    definition.m_nDimX = x;
    definition.m_nDimY = y;
    definition.m_nDimZ = z;
    definition.m_SubCells = std::move(cells);
    return definition;
}

TEST(CKvlTextFormatterTest, QuoteKeepsNamesUnambiguousAndTerminalsSafe) {
    const struct {
        std::string text;
        const char* pszQuoted;
    } cases[] = {
        {"room1.map", "\"room1.map\""},
        {"", "\"\""},
        {"say \"hi\".map", "\"say \\\"hi\\\".map\""},
        {"C:\\maps\\a.map", "\"C:\\\\maps\\\\a.map\""},
        {"\x1B[2Jgone\n", "\"\\x1B[2Jgone\\x0A\""},
        {"del\x7F", "\"del\\x7F\""},
        {"R\xC3\xA4ume.map", "\"R\xC3\xA4ume.map\""},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(CKvlTextFormatter::Quote(testCase.text), testCase.pszQuoted);
    }
}

TEST(CKvlGridFormatterTest, DrawsExitsMissingAndRepeatedSubCellsPerLayer) {
    const CKvlDefinition definition =
        Definition(2, 2, 2,
                   {Cell(0, 1, 0, EXIT_NORTH | EXIT_WEST), Cell(1, 1, 0, 0),
                    Cell(1, 0, 0, EXIT_SOUTH | EXIT_EAST), Cell(1, 0, 0, EXIT_NORTH),
                    Cell(0, 0, 0, 0), Cell(9, 0, 0, EXIT_ALL), Cell(0, 0, 1, EXIT_ALL)});

    EXPECT_EQ(CKvlGridFormatter::Format("f.KVL", definition),
              "f.KVL: identifier 3, map file \"r.map\", 2 x 2 x 2\n"
              "z=0  (north up, east right)\n"
              "       x=0     x=1\n"
              "     +--N--+ +-----+\n"
              "y=1  W     | |     |\n"
              "     +-----+ +-----+\n"
              "     +-----+ +--N--+\n"
              "y=0  |     | | x2  E\n"
              "     +-----+ +--S--+\n"
              "z=1  (north up, east right)\n"
              "       x=0     x=1\n"
              "     +-----+ +-----+\n"
              "y=1  |  ?  | |  ?  |\n"
              "     +-----+ +-----+\n"
              "     +--N--+ +-----+\n"
              "y=0  W     E |  ?  |\n"
              "     +--S--+ +-----+\n"
              "N S E W: exits   ?: no record   xN: N records, their exits together\n"
              "1 record(s) outside the dimensions, not drawn\n");
}

TEST(CKvlGridFormatterTest, DrawsNothingForBlocksWithoutCellsOrTooLargeToShow) {
    const struct {
        int32_t x, y, z;
        const char* pszLine;
    } cases[] = {
        {0, 1, 1, "no grid: 0 x 1 x 1 holds no sub cells\n"},
        {3, -1, 1, "no grid: 3 x -1 x 1 holds no sub cells\n"},
        {41, 1, 1, "no grid: 41 x 1 x 1 is too large to draw"},
        {1, 4097, 1, "no grid: 1 x 4097 x 1 is too large to draw"},
        {40, 40, 3, "no grid: 40 x 40 x 3 is too large to draw"},
        // Every factor within bounds alone, the product far beyond 32 bits.
        {40, INT32_MAX, INT32_MAX, "is too large to draw"},
    };
    for (const auto& testCase : cases) {
        const std::string grid =
            CKvlGridFormatter::Format("f.KVL", Definition(testCase.x, testCase.y, testCase.z, {}));
        EXPECT_NE(grid.find(testCase.pszLine), std::string::npos) << grid;
        EXPECT_EQ(grid.find('+'), std::string::npos) << grid;
    }
}

TEST(CKvlJsonFormatterTest, NameThatIsNoUtf8StillGivesValidJson) {
    KvlReadResult result;
    result.m_Definition = Definition(1, 1, 1, {Cell(0, 0, 0, EXIT_EAST)});
    result.m_Definition.m_strMapFile = "bad\xFF\xFE.map";

    const nlohmann::json object = nlohmann::json::parse(CKvlJsonFormatter::Format("f.KVL", result));

    EXPECT_EQ(object["map_file"], "bad\xEF\xBF\xBD\xEF\xBF\xBD.map");
    EXPECT_EQ(object["sub_cells"][0]["exits"], 4);
}

}  // namespace
