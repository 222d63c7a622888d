#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "platform/qt/CFileDialogFilter.h"

namespace {

struct FilterCase {
    std::string strFilter;
    QStringList expected;
};

void PrintTo(const FilterCase& filter, std::ostream* pOut) {
    *pOut << "\"" << filter.strFilter << "\"";
}

class CFileDialogFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(CFileDialogFilterTest, TurnsDescriptionPatternPairsIntoQtNameFilters) {
    EXPECT_EQ(CFileDialogFilter::ToNameFilters(GetParam().strFilter), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, CFileDialogFilterTest,
    testing::Values(FilterCase{"Map Files (*.map)|*.map||", {"Map Files (*.map)"}},
                    FilterCase{"KVL Files (*.kvl)|*.kvl||", {"KVL Files (*.kvl)"}},
                    FilterCase{"Maps|*.map|All Files (*.*)|*.*||",
                               {"Maps (*.map)", "All Files (*.*)"}},
                    FilterCase{"Quake maps|*.map;*.MAP||", {"Quake maps (*.map *.MAP)"}},
                    FilterCase{"Maps (old)|*.map||", {"Maps (old) (*.map)"}},
                    FilterCase{"Maps|*.map||Ignored|*.x||", {"Maps (*.map)"}}, FilterCase{"", {}},
                    FilterCase{"||", {}}, FilterCase{"Lonely description", {}},
                    FilterCase{"No pattern||", {}}, FilterCase{"Maps|*.map", {"Maps (*.map)"}}));

}  // namespace
