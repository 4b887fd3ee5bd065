#include "common/NumberText.h"

#include <gtest/gtest.h>

namespace talvo {
namespace {

TEST(NumberText, FormatRealIsShortestWithLeadingZero) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0.25, "0.25"},   {1800, "1800"},      {1.5, "1.5"},       {0, "0"},
        {-0.0, "0"},      {0.1, "0.1"},        {100000, "100000"}, {42.5, "42.5"},
        {-3.75, "-3.75"}, {1e-7, "0.0000001"}, {0.9, "0.9"},       {1.0 / 3, "0.3333333333333333"}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormatReal(c.value), c.text) << c.value;
    }
}

TEST(NumberText, FormatFixed2RoundsHalvesAway) {
    EXPECT_EQ(FormatFixed2(0.6), "0.60");
    EXPECT_EQ(FormatFixed2(1), "1.00");
    EXPECT_EQ(FormatFixed2(0.125), "0.13");
    EXPECT_EQ(FormatFixed2(0.615), "0.62");
    EXPECT_EQ(FormatFixed2(0), "0.00");
    EXPECT_EQ(FormatFixed2(0.333), "0.33");
}

}  // namespace
}  // namespace talvo
