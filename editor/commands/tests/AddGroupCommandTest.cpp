#include "grouping/AddGroupCommand.h"

#include <gtest/gtest.h>

namespace talvo {
namespace {

NetworkTables Cells(int count) {
    NetworkTables tables;
    for (int i = 1; i <= count; ++i) {
        CellRecord cell;
        cell.cellID = i * 10;
        tables.cells.push_back(cell);
    }
    return tables;
}

struct Hooks {
    std::vector<std::string> messages;
    std::string name = "Main St";
    int asked = 0;

    bool answer = true;

    AddGroupHooks bind() {
        return {[this](StreetRecord& s) {
                    ++asked;
                    s.streetName = name;
                    return answer;
                },
                [this](const std::string& m) { messages.push_back(m); }};
    }
};

TEST(AddGroupFromSelection, StreetTakesCellIdsInSelectionOrderAndAsksTheName) {
    NetworkTables tables = Cells(4);
    for (int i = 0; i < 4; ++i) {
        tables.cells[i].x = 1000 + 300 * i;
        tables.cells[i].y = 2000;
    }
    Hooks hooks;
    ASSERT_TRUE(AddGroupFromSelection(GroupKind::StreetName, tables, {30, 10, 40}, hooks.bind()));
    ASSERT_EQ(tables.streets.size(), 1u);
    EXPECT_EQ(tables.streets[0].cellIDs, (std::vector<int>{30, 10, 40}));
    EXPECT_EQ(tables.streets[0].streetName, "Main St");
    // The label beside its cells, not in the map's corner.
    EXPECT_EQ(tables.streets[0].x, 750);
    EXPECT_EQ(tables.streets[0].y, 1750);
    EXPECT_EQ(hooks.asked, 1);
    // A cancelled name makes no street.
    hooks.answer = false;
    EXPECT_FALSE(AddGroupFromSelection(GroupKind::StreetName, tables, {20}, hooks.bind()));
    EXPECT_EQ(tables.streets.size(), 1u);
}

TEST(AddGroupFromSelection, ConflictWithStreetThreeNamesItAndCreatesNothing) {
    NetworkTables tables = Cells(5);
    tables.streets.resize(3);
    tables.streets[2].cellIDs = {40};
    Hooks hooks;
    EXPECT_FALSE(AddGroupFromSelection(GroupKind::StreetName, tables, {10, 40}, hooks.bind()));
    EXPECT_EQ(hooks.messages, std::vector<std::string>{
                                  "Cell (3:40),  has/have already assigned in other street(s)."});
    EXPECT_EQ(tables.streets.size(), 3u);
    EXPECT_EQ(hooks.asked, 0);
}

TEST(AddGroupFromSelection, DelayAndPlotGroupsAskNoName) {
    NetworkTables tables = Cells(3);
    Hooks hooks;
    ASSERT_TRUE(AddGroupFromSelection(GroupKind::DelayResult, tables, {20}, hooks.bind()));
    ASSERT_TRUE(AddGroupFromSelection(GroupKind::CtmPlot, tables, {20, 30}, hooks.bind()));
    EXPECT_EQ(tables.delayGroups.at(0).cellIDs, std::vector<int>{20});
    EXPECT_EQ(tables.plotGroups.at(0).cellIDs, (std::vector<int>{20, 30}));
    EXPECT_FALSE(tables.plotGroups[0].occupancyPlot);
    EXPECT_EQ(hooks.asked, 0);
}

TEST(AddGroupFromSelection, EmptySelectionIsRefused) {
    NetworkTables tables = Cells(1);
    Hooks hooks;
    EXPECT_FALSE(AddGroupFromSelection(GroupKind::CtmPlot, tables, {}, hooks.bind()));
    EXPECT_EQ(hooks.messages,
              std::vector<std::string>{
                  "You must choose at least one cell for grouping CTM Plot cell(s)."});
    EXPECT_TRUE(tables.plotGroups.empty());
}

}  // namespace
}  // namespace talvo
