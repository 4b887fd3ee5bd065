#include <gtest/gtest.h>

#include <numeric>

#include "VectorGroupTable.h"
#include "common/ProjectRecords.h"
#include "grouping/GroupEditor.h"
#include "grouping/GroupingRules.h"

namespace talvo {
namespace {

using test::VectorGroupTable;

std::vector<int> Range(int first, int count) {
    std::vector<int> ids(count);
    std::iota(ids.begin(), ids.end(), first);
    return ids;
}

struct AddCase {
    GroupKind kind;
    std::vector<std::vector<int>> existing;
    std::vector<int> selection;
    std::string expected;  // empty: accepted
};

std::string MoreThan(int limit, const char* what) {
    return "You can't have more than " + std::to_string(limit) + what;
}

// A table of `count` groups, the first holding `first`.
std::vector<std::vector<int>> Groups(int count, std::vector<int> first = {}) {
    std::vector<std::vector<int>> groups(static_cast<size_t>(count));
    groups.front() = std::move(first);
    return groups;
}

class NewGroupCheck : public ::testing::TestWithParam<AddCase> {};

TEST_P(NewGroupCheck, GivesTheFirstFailingMessage) {
    const AddCase& c = GetParam();
    const VectorGroupTable table(c.kind, c.existing);
    const EditResult check = CheckNewGroup(table, c.selection);
    if (c.expected.empty()) {
        EXPECT_TRUE(check.ok()) << check.message();
    } else {
        ASSERT_FALSE(check.ok());
        EXPECT_EQ(check.message(), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, NewGroupCheck,
    ::testing::Values(
        AddCase{GroupKind::StreetName,
                {},
                {},
                "You must choose at least one cell for grouping special cell(s)."},
        AddCase{GroupKind::DelayResult,
                {},
                {},
                "You must choose at least one cell for grouping special cell(s)."},
        AddCase{GroupKind::CtmPlot,
                {},
                {},
                "You must choose at least one cell for grouping CTM Plot cell(s)."},
        AddCase{GroupKind::StreetName,
                {{1}, {2}, {5, 7}},
                {4, 7, 9},
                "Cell (3:7),  has/have already assigned in other street(s)."},
        AddCase{GroupKind::DelayResult,
                {{1, 2}},
                {2, 1},
                "Cell (1:2), (1:1),  has/have already assigned in other special road."},
        AddCase{GroupKind::CtmPlot,
                {{8}},
                {8},
                "Cell (1:8),  has/have already assigned in other special road."},
        AddCase{GroupKind::StreetName,
                Groups(Capacity::kStreets),
                {1},
                MoreThan(Capacity::kStreets, " streets.")},
        AddCase{GroupKind::StreetName, Groups(Capacity::kStreets - 1), Range(1, 201), ""},
        AddCase{GroupKind::DelayResult,
                Groups(Capacity::kDelayGroups),
                {1},
                MoreThan(Capacity::kDelayGroups, " special roads.")},
        AddCase{GroupKind::CtmPlot,
                Groups(Capacity::kPlotGroups),
                {1},
                MoreThan(Capacity::kPlotGroups, " special roads.")},
        AddCase{GroupKind::DelayResult,
                {},
                Range(1, Capacity::kGroupCells + 1),
                MoreThan(Capacity::kGroupCells, " cells in a special road.")},
        AddCase{GroupKind::CtmPlot,
                {},
                Range(1, Capacity::kGroupCells + 1),
                MoreThan(Capacity::kGroupCells, " cells in a special road.")},
        AddCase{GroupKind::DelayResult, Groups(Capacity::kDelayGroups - 1), Range(1, 51), ""},
        AddCase{GroupKind::CtmPlot, {{0}}, Range(1, Capacity::kGroupCells), ""},
        // The conflict check comes before the limits.
        AddCase{GroupKind::DelayResult,
                Groups(Capacity::kDelayGroups, {1}),
                {1},
                "Cell (1:1),  has/have already assigned in other special road."}));

TEST(AddGroup, AppendsTheSelectionInSelectionOrder) {
    VectorGroupTable table(GroupKind::DelayResult, {{1}});
    EXPECT_EQ(AddGroup(table, {9, 3, 4}), 2);
    EXPECT_EQ(table.groups(), (std::vector<std::vector<int>>{{1}, {9, 3, 4}}));
}

const NetworkView kChain{{1, 2, 3, 4, 5, 6}, {{1, 2}, {2, 3}, {3, 4}, {6, 4}}};

TEST(CandidateCells, EmptyGroupOffersEveryUngroupedCell) {
    const VectorGroupTable table(GroupKind::StreetName, {{2, 3}, {}});
    EXPECT_EQ(CandidateCells(table, 2, kChain), (std::vector<int>{1, 4, 5, 6}));
}

TEST(CandidateCells, OffersLinkedNeighboursInBothDirectionsOnly) {
    const VectorGroupTable table(GroupKind::DelayResult, {{3}});
    EXPECT_EQ(CandidateCells(table, 1, kChain), (std::vector<int>{2, 4}));
    const VectorGroupTable table2(GroupKind::DelayResult, {{4}});
    EXPECT_EQ(CandidateCells(table2, 1, kChain), (std::vector<int>{3, 6}));
}

TEST(CandidateCells, NeverOffersCellsOfAnotherGroupOfTheSameKind) {
    const VectorGroupTable table(GroupKind::CtmPlot, {{3}, {4}});
    EXPECT_EQ(CandidateCells(table, 1, kChain), (std::vector<int>{2}));
}

TEST(GroupEditor, StartsOnTheFirstGroupOrNone) {
    VectorGroupTable none(GroupKind::StreetName);
    EXPECT_EQ(GroupEditor(none, kChain).currentGroup(), 0);
    VectorGroupTable two(GroupKind::StreetName, {{1}, {5}});
    const GroupEditor editor(two, kChain);
    EXPECT_EQ(editor.currentGroup(), 1);
    EXPECT_EQ(editor.added(), std::vector<int>{1});
    EXPECT_EQ(editor.available(), std::vector<int>{2});
}

TEST(GroupEditor, CountRaisesWithEmptyGroupsAndLowersFromTheEnd) {
    VectorGroupTable table(GroupKind::DelayResult, {{1}, {2}});
    GroupEditor editor(table, kChain);
    editor.chooseGroup(2);
    editor.setGroupCount(4);
    EXPECT_EQ(table.groups(), (std::vector<std::vector<int>>{{1}, {2}, {}, {}}));
    EXPECT_EQ(editor.currentGroup(), 2);
    editor.setGroupCount(1);
    EXPECT_EQ(table.groups(), (std::vector<std::vector<int>>{{1}}));
    EXPECT_EQ(editor.currentGroup(), 1);
    editor.setGroupCount(0);
    EXPECT_EQ(editor.currentGroup(), 0);
    editor.setGroupCount(Capacity::kDelayGroups + 1);
    EXPECT_EQ(table.count(), Capacity::kDelayGroups);
}

struct MoveCase {
    GroupKind kind;
    const char* noGroup;
    std::string full;
    int maxCells;
};

class GroupEditorMessages : public ::testing::TestWithParam<MoveCase> {};

TEST_P(GroupEditorMessages, RefusesWithTheKindsMessagesAndChangesNothing) {
    const MoveCase& c = GetParam();
    VectorGroupTable empty(c.kind);
    GroupEditor noGroup(empty, kChain);
    EXPECT_EQ(noGroup.moveRight(1).message(), c.noGroup);
    EXPECT_EQ(noGroup.moveLeft(1).message(), c.noGroup);
    EXPECT_EQ(noGroup.deleteCurrent().message(), c.noGroup);

    NetworkView big;
    big.cellIds = Range(1, c.maxCells + 1);
    VectorGroupTable table(c.kind, {Range(1, c.maxCells)});
    GroupEditor editor(table, big);
    EXPECT_EQ(editor.moveRight(std::nullopt).message(),
              "You haven't selected a cell from the left list.");
    EXPECT_EQ(editor.moveRight(c.maxCells + 1).message(), c.full);
    EXPECT_EQ(editor.moveLeft(std::nullopt).message(),
              "You must select a cell from the right list for deletion.");
    EXPECT_EQ(table.cells(1), Range(1, c.maxCells));
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, GroupEditorMessages,
    ::testing::Values(MoveCase{GroupKind::StreetName, "There is no street selected.",
                               MoreThan(Capacity::kStreetCells, " cells in a street."),
                               Capacity::kStreetCells},
                      MoveCase{GroupKind::DelayResult, "There is no special road selected.",
                               MoreThan(Capacity::kGroupCells, " cells for a special road."),
                               Capacity::kGroupCells},
                      MoveCase{GroupKind::CtmPlot, "There is no special road selected.",
                               MoreThan(Capacity::kGroupCells, " cells for a special road."),
                               Capacity::kGroupCells}));

TEST(GroupEditor, MovesCellsToTheEndAndBackAndDeletesTheChosenGroup) {
    VectorGroupTable table(GroupKind::StreetName, {{3}, {6}, {1}});
    GroupEditor editor(table, kChain);
    EXPECT_TRUE(editor.moveRight(4).ok());
    EXPECT_TRUE(editor.moveRight(2).ok());
    EXPECT_EQ(editor.added(), (std::vector<int>{3, 4, 2}));
    EXPECT_TRUE(editor.available().empty());
    // A cell of another street is not offered and cannot be moved in.
    EXPECT_FALSE(editor.moveRight(6).ok());
    EXPECT_TRUE(editor.moveLeft(1).ok());
    EXPECT_EQ(editor.added(), (std::vector<int>{4, 2}));
    EXPECT_EQ(editor.moveLeft(3).message(),
              "You must select a cell from the right list for deletion.");

    editor.chooseGroup(2);
    EXPECT_TRUE(editor.deleteCurrent().ok());
    EXPECT_EQ(table.groups(), (std::vector<std::vector<int>>{{4, 2}, {1}}));
    EXPECT_EQ(editor.currentGroup(), 2);
    EXPECT_TRUE(editor.deleteCurrent().ok());
    EXPECT_EQ(editor.currentGroup(), 1);
}

}  // namespace
}  // namespace talvo
