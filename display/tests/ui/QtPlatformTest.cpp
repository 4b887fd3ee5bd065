#include <gtest/gtest.h>

#include "ui/QtPlatform.h"

namespace talvo::display {
namespace {

TEST(QtPlatform, FilterListsBecomeQtFilters) {
    const std::string filter = "Talvo Input (*.tin)|*.tin|Text File (*.txt)|*.txt";
    EXPECT_EQ(QtFilterList(filter), "Talvo Input (*.tin);;Text File (*.txt)");
    EXPECT_EQ(QtSelectedFilter(filter, 1), "Talvo Input (*.tin)");
    EXPECT_EQ(QtSelectedFilter(filter, 2), "Text File (*.txt)");
    EXPECT_EQ(QtSelectedFilter(filter, 3), "");
    EXPECT_EQ(QtFilterList("Plots|*.plt"), "Plots (*.plt)");
}

}  // namespace
}  // namespace talvo::display
