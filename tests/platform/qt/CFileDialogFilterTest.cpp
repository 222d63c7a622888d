#include <gtest/gtest.h>

#include "platform/qt/CFileDialogFilter.h"

namespace {

TEST(CFileDialogFilterTest, TurnsDescriptionPatternPairsIntoQtNameFilters) {
    const std::pair<std::string, std::string> cases[] = {
        {"Maps|*.map|All Files (*.*)|*.*||", "Maps (*.map)|All Files (*.*)"},
        {"Quake maps|*.map;*.MAP||Ignored|*.x||", "Quake maps (*.map *.MAP)"},
        {"Map Files (*.map)|*.map", "Map Files (*.map)"},
        {"No pattern||", ""},
        {"", ""}};
    for (const auto& [filter, expected] : cases) {
        EXPECT_EQ(CFileDialogFilter::ToNameFilters(filter).join(u'|').toStdString(), expected)
            << filter;
    }
}

}  // namespace
