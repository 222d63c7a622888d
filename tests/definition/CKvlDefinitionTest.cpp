#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "DefinitionSamples.h"

namespace {

constexpr int32_t kLimit = CKvlDefinition::kMaxSubCells;

CKvlDefinition Box(int32_t dimX, int32_t dimY, int32_t dimZ, const std::vector<SubCell>& cells) {
    return Definition(0, "", dimX, dimY, dimZ, cells);
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

// The user's records stay first, a duplicate and a record outside the box included; then the
// missing sub cells follow with z the innermost and x the outermost axis.
TEST(CompletionTest, AppendsTheMissingSubCellsInXYZOrderAfterTheUserRecords) {
    const std::vector<SubCell> added = {Cell(1, 0, 1, EXIT_ALL), Cell(1, 0, 1), Cell(0, 2, 0)};
    CKvlDefinition definition = Box(2, 2, 2, added);

    ASSERT_TRUE(definition.CompleteSubCells());

    EXPECT_EQ(definition.m_SubCells,
              (std::vector<SubCell>{added[0], added[1], added[2], Cell(0, 0, 0), Cell(0, 0, 1),
                                    Cell(0, 1, 0), Cell(0, 1, 1), Cell(1, 0, 0), Cell(1, 1, 0),
                                    Cell(1, 1, 1)}));
}

TEST(CompletionTest, MatchesTheScanningRuleOnRandomDefinitions) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int32_t> value(-1, 4);
    for (int nTrial = 0; nTrial < 500; ++nTrial) {
        std::vector<SubCell> added(random() % 12);
        for (SubCell& cell : added) {
            cell = Cell(value(random), value(random), value(random),
                        static_cast<uint16_t>(random() % 16));
        }
        CKvlDefinition definition = Box(value(random), value(random), value(random), added);
        const std::vector<SubCell> expected = CompletedByScanning(definition);

        ASSERT_TRUE(definition.CompleteSubCells());
        ASSERT_EQ(definition.m_SubCells, expected) << "trial " << nTrial;
    }
}

// Per axis and in all, a box may hold at most kLimit sub cells; completing a larger one would
// take hours or all memory.
TEST(CompletionTest, CompletesTheLargestBoxAllowedAndRefusesALargerOne) {
    CKvlDefinition largest = Box(128, 128, 64, {Cell(127, 127, 63, EXIT_NORTH)});
    ASSERT_TRUE(largest.CompleteSubCells());
    EXPECT_EQ(largest.GetSubCellCount(), 1u << 20);
    EXPECT_EQ(largest.m_SubCells.back(), Cell(127, 127, 62));

    CKvlDefinition larger = Box(102, 102, 102, {Cell(0, 0, 0, EXIT_SOUTH)});
    EXPECT_FALSE(larger.CompleteSubCells());
    EXPECT_EQ(larger.m_SubCells, std::vector<SubCell>{Cell(0, 0, 0, EXIT_SOUTH)});
    EXPECT_TRUE(CKvlDefinition::DimensionsWithinLimit(kLimit, kLimit, -1));
    EXPECT_FALSE(CKvlDefinition::DimensionsWithinLimit(-5, kLimit + 1, 1));
    EXPECT_FALSE(CKvlDefinition::DimensionsWithinLimit(INT32_MAX, INT32_MAX, INT32_MAX));
}

}  // namespace
