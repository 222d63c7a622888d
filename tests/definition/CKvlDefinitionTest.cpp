#include <gtest/gtest.h>

#include "definition/CKvlDefinition.h"

TEST(CKvlDefinitionTest, CompletionAppendsMissingSubCellsAfterUserRecords) {
    CKvlDefinition definition;
    definition.m_nDimX = 2;
    definition.m_nDimY = 1;
    definition.m_nDimZ = 1;
    SubCell added;
    added.nX = 1;
    added.bNorth = true;
    definition.AddSubCell(added);

    definition.CompleteSubCells();

    ASSERT_EQ(definition.GetSubCellCount(), 2u);
    EXPECT_EQ(definition.m_SubCells[0], added);
    EXPECT_EQ(definition.m_SubCells[1], SubCell{});
}
