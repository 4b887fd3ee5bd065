#include "ZeroedTable.h"

#include <gtest/gtest.h>

#include <memory>

#include "Scenario.h"

namespace talvo {
namespace {

TEST(ZeroedTableTest, StartsAllZero) {
    const ZeroedTable table(3'000'000);
    ASSERT_EQ(table.size(), 3'000'000u);
    for (size_t i = 0; i < table.size(); i += 4099) {
        ASSERT_EQ(table[i], 0.0f) << "index " << i;
    }
    EXPECT_EQ(table[table.size() - 1], 0.0f);
}

TEST(ZeroedTableTest, CopiesAreDeepAndEqual) {
    ZeroedTable original(1000);
    original[0] = 1.5f;
    original[999] = -2.0f;
    ZeroedTable copy(original);
    EXPECT_EQ(copy[0], 1.5f);
    EXPECT_EQ(copy[999], -2.0f);
    copy[0] = 7.0f;
    EXPECT_EQ(original[0], 1.5f);

    ZeroedTable assigned(10);
    assigned = original;
    ASSERT_EQ(assigned.size(), 1000u);
    EXPECT_EQ(assigned[999], -2.0f);
    const ZeroedTable& same = assigned;
    assigned = same;
    EXPECT_EQ(assigned[0], 1.5f);
}

// Each of the four tables keeps its own values at both ends of the horizon, and a fresh
// set reads zeros where a previous one was written.
TEST(ZeroedTableTest, TimeTablesKeepTheirTablesApart) {
    constexpr int kCells = 200;
    constexpr int32_t kLast = 9999;
    auto tables = std::make_unique<TimeTables>(kCells, kLast);
    tables->n(kCells, kLast) = 1.0f;
    tables->y(kCells, kLast) = 2.0f;
    tables->x(1, 0) = 3.0f;
    tables->D(1, 0) = 4.0f;
    EXPECT_EQ(tables->n(kCells, kLast), 1.0f);
    EXPECT_EQ(tables->y(kCells, kLast), 2.0f);
    EXPECT_EQ(tables->x(kCells, kLast), 0.0f);
    EXPECT_EQ(tables->x(1, 0), 3.0f);
    EXPECT_EQ(tables->D(1, 0), 4.0f);
    EXPECT_EQ(tables->n(1, 0), 0.0f);

    const auto copy = std::make_unique<TimeTables>(*tables);
    EXPECT_EQ(copy->D(1, 0), 4.0f);
    tables.reset();
    const auto fresh = std::make_unique<TimeTables>(kCells, kLast);
    EXPECT_EQ(fresh->n(kCells, kLast), 0.0f);
    EXPECT_EQ(fresh->D(1, 0), 0.0f);
}

}  // namespace
}  // namespace talvo
