#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "definition/CKvlDefinition.h"

namespace {

SubCell Cell(int32_t x, int32_t y, int32_t z, uint16_t exits = 0) {
    SubCell cell;
    cell.nX = x;
    cell.nY = y;
    cell.nZ = z;
    cell.SetExits(exits);
    return cell;
}

CKvlDefinition Definition(int32_t dimX, int32_t dimY, int32_t dimZ,
                          const std::vector<SubCell>& added) {
    CKvlDefinition definition;
    definition.m_nDimX = dimX;
    definition.m_nDimY = dimY;
    definition.m_nDimZ = dimZ;
    for (const SubCell& cell : added) {
        definition.AddSubCell(cell);
    }
    return definition;
}

// The completion rule in its plainest form: visit every sub cell and ask the list.
std::vector<SubCell> CompletedByScanning(CKvlDefinition definition) {
    for (int32_t x = 0; x < definition.m_nDimX; ++x) {
        for (int32_t y = 0; y < definition.m_nDimY; ++y) {
            for (int32_t z = 0; z < definition.m_nDimZ; ++z) {
                if (!definition.HasSubCell(x, y, z)) {
                    definition.AddSubCell(Cell(x, y, z));
                }
            }
        }
    }
    return definition.m_SubCells;
}

struct Dimensions {
    int32_t nX, nY, nZ;
};

struct CompletionCase {
    std::string strName;
    Dimensions dims;
    std::vector<SubCell> added;
    std::vector<SubCell> expected;
};

void PrintTo(const CompletionCase& c, std::ostream* pStream) {
    *pStream << c.strName;
}

class CompletionTest : public testing::TestWithParam<CompletionCase> {};

TEST_P(CompletionTest, AppendsOneExitlessRecordPerMissingSubCellAfterTheUserRecords) {
    const CompletionCase& c = GetParam();
    CKvlDefinition definition = Definition(c.dims.nX, c.dims.nY, c.dims.nZ, c.added);

    EXPECT_TRUE(definition.CompleteSubCells());

    EXPECT_EQ(definition.m_SubCells, c.expected);
    EXPECT_EQ(definition.GetSubCellCount(), c.expected.size());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, CompletionTest, testing::Values(
    CompletionCase{"UserRecordStaysFirst", {2, 1, 1}, {Cell(1, 0, 0, EXIT_NORTH)},
                   {Cell(1, 0, 0, EXIT_NORTH), Cell(0, 0, 0)}},
    CompletionCase{"ZIsTheInnermostAxis", {1, 2, 2}, {},
                   {Cell(0, 0, 0), Cell(0, 0, 1), Cell(0, 1, 0), Cell(0, 1, 1)}},
    CompletionCase{"XIsTheOutermostAxis", {2, 2, 2}, {Cell(1, 0, 1, EXIT_ALL)},
                   {Cell(1, 0, 1, EXIT_ALL), Cell(0, 0, 0), Cell(0, 0, 1), Cell(0, 1, 0),
                    Cell(0, 1, 1), Cell(1, 0, 0), Cell(1, 1, 0), Cell(1, 1, 1)}},
    CompletionCase{"DuplicatesStayInTheirOrder", {1, 1, 2},
                   {Cell(0, 0, 1, EXIT_NORTH), Cell(0, 0, 1, EXIT_SOUTH)},
                   {Cell(0, 0, 1, EXIT_NORTH), Cell(0, 0, 1, EXIT_SOUTH), Cell(0, 0, 0)}},
    CompletionCase{"ZeroDimension", {0, 3, 3}, {Cell(0, 0, 0, EXIT_EAST)},
                   {Cell(0, 0, 0, EXIT_EAST)}},
    CompletionCase{"NegativeDimension", {2, -1, 2}, {}, {}},
    CompletionCase{"RecordOutsideStays", {1, 1, 1}, {Cell(5, 0, 0, EXIT_WEST)},
                   {Cell(5, 0, 0, EXIT_WEST), Cell(0, 0, 0)}},
    CompletionCase{"RecordsAtTheIntegerLimitsStay", {1, 1, 1},
                   {Cell(-1, 0, 0), Cell(0, INT32_MIN, 0), Cell(0, 0, INT32_MAX)},
                   {Cell(-1, 0, 0), Cell(0, INT32_MIN, 0), Cell(0, 0, INT32_MAX), Cell(0, 0, 0)}},
    // Past the end of one axis is outside the box, not another sub cell: (0, 2, 0) in a
    // 2 x 2 x 1 box is not (1, 0, 0).
    CompletionCase{"RecordPastOneAxisIsNotAnotherSubCell", {2, 2, 1},
                   {Cell(0, 2, 0), Cell(0, 0, 1)},
                   {Cell(0, 2, 0), Cell(0, 0, 1), Cell(0, 0, 0), Cell(0, 1, 0), Cell(1, 0, 0),
                    Cell(1, 1, 0)}}));
// clang-format on

// Many small definitions with random records, inside and outside, duplicates included: the
// result equals the plain rule's, record for record.
TEST(CompletionTest, MatchesTheScanningRuleOnRandomDefinitions) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int32_t> dimension(-1, 4);
    std::uniform_int_distribution<int32_t> coordinate(-1, 4);
    std::uniform_int_distribution<int> recordCount(0, 12);
    std::uniform_int_distribution<int> exits(0, EXIT_ALL);
    for (int nTrial = 0; nTrial < 500; ++nTrial) {
        std::vector<SubCell> added;
        for (int i = recordCount(random); i > 0; --i) {
            added.push_back(Cell(coordinate(random), coordinate(random), coordinate(random),
                                 static_cast<uint16_t>(exits(random))));
        }
        CKvlDefinition definition =
            Definition(dimension(random), dimension(random), dimension(random), added);
        const std::vector<SubCell> expected = CompletedByScanning(definition);

        ASSERT_TRUE(definition.CompleteSubCells());
        ASSERT_EQ(definition.m_SubCells, expected) << "trial " << nTrial;
    }
}

TEST(CompletionTest, SecondCompletionAppendsNothing) {
    CKvlDefinition definition = Definition(3, 2, 2, {Cell(2, 1, 1, EXIT_EAST)});
    ASSERT_TRUE(definition.CompleteSubCells());
    const std::vector<SubCell> once = definition.m_SubCells;

    EXPECT_TRUE(definition.CompleteSubCells());

    EXPECT_EQ(definition.m_SubCells, once);
}

TEST(CompletionTest, LargestAllowedBoxIsCompletedWhole) {
    CKvlDefinition definition = Definition(128, 128, 64, {Cell(127, 127, 63, EXIT_NORTH)});

    ASSERT_TRUE(definition.CompleteSubCells());

    ASSERT_EQ(definition.GetSubCellCount(), 1u << 20);
    EXPECT_EQ(definition.m_SubCells[1], Cell(0, 0, 0));
    EXPECT_EQ(definition.m_SubCells.back(), Cell(127, 127, 62));
}

// Dimensions beyond the limit would take hours or all memory: refused, list untouched.
TEST(CompletionTest, BoxBeyondTheLimitIsRefusedAndTheListKept) {
    for (const int32_t nDim : {102, 2048, INT32_MAX}) {
        CKvlDefinition definition = Definition(nDim, nDim, nDim, {Cell(0, 0, 0, EXIT_SOUTH)});

        EXPECT_FALSE(definition.CompleteSubCells()) << nDim;

        EXPECT_EQ(definition.m_SubCells, std::vector<SubCell>{Cell(0, 0, 0, EXIT_SOUTH)}) << nDim;
    }
}

struct LimitCase {
    int32_t nDimX, nDimY, nDimZ;
    bool bWithin;
};

std::string DimensionsName(const LimitCase& c) {
    std::string name;
    for (const int32_t nDim : {c.nDimX, c.nDimY, c.nDimZ}) {
        name += (name.empty() ? "" : "x") +
                (nDim < 0 ? "Minus" + std::to_string(-int64_t{nDim}) : std::to_string(nDim));
    }
    return name;
}

void PrintTo(const LimitCase& c, std::ostream* pStream) {
    *pStream << DimensionsName(c);
}

class DimensionLimitTest : public testing::TestWithParam<LimitCase> {};

TEST_P(DimensionLimitTest, AllowsAtMostTheLimitPerAxisAndInAll) {
    const LimitCase& c = GetParam();
    EXPECT_EQ(CKvlDefinition::DimensionsWithinLimit(c.nDimX, c.nDimY, c.nDimZ), c.bWithin);
}

constexpr int32_t kLimit = 1 << 20;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, DimensionLimitTest, testing::Values(
    LimitCase{0, 0, 0, true},
    LimitCase{kLimit, 1, 1, true},
    LimitCase{1, kLimit + 1, 1, false},
    LimitCase{101, 101, 102, true},
    LimitCase{102, 102, 102, false},
    // Nothing to complete, but each axis still fills a list of that many.
    LimitCase{kLimit, kLimit, -1, true},
    LimitCase{kLimit + 1, -5, 1, false},
    LimitCase{INT32_MAX, INT32_MAX, INT32_MAX, false},
    LimitCase{INT32_MIN, INT32_MIN, INT32_MIN, true}));
// clang-format on

TEST(CKvlDefinitionTest, HasSubCellMatchesCoordinatesWhateverTheExits) {
    const CKvlDefinition definition =
        Definition(1, 1, 1, {Cell(1, 2, 3, EXIT_ALL), Cell(-4, 0, 7), Cell(1, 2, 3)});

    EXPECT_TRUE(definition.HasSubCell(1, 2, 3));
    EXPECT_TRUE(definition.HasSubCell(-4, 0, 7));
    EXPECT_FALSE(definition.HasSubCell(3, 2, 1));
    EXPECT_FALSE(definition.HasSubCell(0, 0, 0));
    EXPECT_EQ(definition.GetSubCellCount(), 3u);
}

TEST(SubCellTest, ExitsKeepOnlyTheFourFlagBits) {
    EXPECT_EQ(SubCell{}.GetExits(), 0);
    for (unsigned nExits = 0; nExits <= 0xFFFF; nExits += 1) {
        SubCell cell;
        cell.SetExits(static_cast<uint16_t>(nExits));
        ASSERT_EQ(cell.GetExits(), nExits & EXIT_ALL) << nExits;
    }
    SubCell westOnly;
    westOnly.bWest = true;
    EXPECT_EQ(westOnly.GetExits(), EXIT_WEST);
}

}  // namespace
