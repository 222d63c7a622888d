#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "DefinitionSamples.h"

namespace {

// The completion rule in its plainest form: the user's records stay first, then every sub cell
// the list lacks, z the innermost and x the outermost axis.
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

// Duplicates, records outside the box and boxes with a negative or zero side included; then
// the largest box allowed, and one larger.
TEST(CKvlDefinitionTest, MatchesTheScanningRuleOnRandomDefinitionsUpToTheLargestBoxAllowed) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int32_t> value(-1, 4);
    for (int nTrial = 0; nTrial < 500; ++nTrial) {
        std::vector<SubCell> added(random() % 12);
        for (SubCell& cell : added) {
            cell = Cell(value(random), value(random), value(random),
                        static_cast<uint16_t>(random() % 16));
        }
        CKvlDefinition definition{0, "", value(random), value(random), value(random), added};
        const std::vector<SubCell> expected = CompletedByScanning(definition);

        ASSERT_TRUE(definition.CompleteSubCells());
        ASSERT_EQ(definition.m_SubCells, expected) << "trial " << nTrial;
    }
    // A box may hold at most 2^20 sub cells; completing a larger one would take hours or all
    // memory.
    CKvlDefinition largest{0, "", 128, 128, 64, {Cell(127, 127, 63, EXIT_NORTH)}};
    ASSERT_TRUE(largest.CompleteSubCells());
    EXPECT_EQ(largest.GetSubCellCount(), 1u << 20);
    EXPECT_EQ(largest.m_SubCells.back(), Cell(127, 127, 62));

    CKvlDefinition larger{0, "", 102, 102, 102, {Cell(0, 0, 0, EXIT_SOUTH)}};
    EXPECT_FALSE(larger.CompleteSubCells());
    EXPECT_EQ(larger.m_SubCells, std::vector<SubCell>{Cell(0, 0, 0, EXIT_SOUTH)});
    EXPECT_FALSE(CKvlDefinition::DimensionsWithinLimit(INT32_MAX, INT32_MAX, INT32_MAX));
}

}  // namespace
