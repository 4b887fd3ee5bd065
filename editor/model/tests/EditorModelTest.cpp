#include "model/EditorModel.h"
#include "model/NetworkQueries.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace talvo {
namespace {

// Adds cells 1..n at distinct positions.
void AddCells(EditorModel& model, int n) {
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(model.AddCell(100.0 * i, 50).ok());
    }
}

TEST(EditorModel, NewCellTakesDefaults) {
    EditorModel model;
    model.newCellDefaults() = {3, 80, kVertical};
    const EditResult added = model.AddCell(12.5, 40);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.id(), 1);
    const CellRecord& cell = model.cellAt(1);
    EXPECT_EQ(cell.cellID, 1);
    EXPECT_DOUBLE_EQ(cell.x, 12.5);
    EXPECT_DOUBLE_EQ(cell.y, 40);
    EXPECT_EQ(cell.laneNum, 3);
    EXPECT_EQ(cell.orientation, kVertical);
    EXPECT_DOUBLE_EQ(cell.speed, 80);
    EXPECT_FALSE(cell.ownOccupancy);
    EXPECT_EQ(cell.initialCarNum, 0);
    EXPECT_DOUBLE_EQ(cell.capacityFactor, 1.0);
    EXPECT_DOUBLE_EQ(cell.capacity, 1.0);
    EXPECT_EQ(cell.signalID, 0);
    EXPECT_EQ(cell.orIntervalNum(), 0);
    EXPECT_FALSE(cell.isDummy);
}

TEST(EditorModel, The501stCellIsRefused) {
    EditorModel model;
    AddCells(model, 500);
    const EditResult refused = model.AddCell(0, 0);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), "You can't have more than 500 cells.");
    EXPECT_EQ(model.tables().cells.size(), 500u);
    EXPECT_EQ(model.tables().lastCellID, 500);
}

TEST(EditorModel, The51stNodeIsRefused) {
    EditorModel model;
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(model.AddNode(i, i).ok());
    }
    const EditResult refused = model.AddNode(0, 0);
    EXPECT_EQ(refused.message(), "You cannot add more than 50 nodes.");
    EXPECT_EQ(model.tables().nodes.size(), 50u);
    EXPECT_EQ(model.tables().lastCellID, 50);
}

TEST(EditorModel, The1001stLinkIsRefused) {
    EditorModel model;
    // The table is filled directly (links between cells that do not exist): only the
    // count matters for the limit.
    AddCells(model, 2);
    NetworkTables& t = model.tables();
    for (int i = 0; i < 1000; ++i) {
        LinkRecord link;
        link.linkID = ++t.lastLinkID;
        link.fromCell = 1000 + i;  // cells that do not matter for the limit
        link.toCell = 3000 + i;
        t.links.push_back(link);
    }
    const EditResult refused = model.AddLink(1, 2);
    EXPECT_EQ(refused.message(), "You can't have more than 1000 links.");
    EXPECT_EQ(t.links.size(), 1000u);
}

struct LinkRefusal {
    const char* name;
    std::vector<std::pair<int, int>> existing;
    int from;
    int to;
    bool toIsOrigin;
    const char* message;
};

void PrintTo(const LinkRefusal& refusal, std::ostream* out) {
    *out << refusal.name;
}

class AddLinkRefusal : public ::testing::TestWithParam<LinkRefusal> {};

TEST_P(AddLinkRefusal, GivesItsMessageAndChangesNothing) {
    const LinkRefusal& c = GetParam();
    EditorModel model;
    AddCells(model, 8);
    for (const auto& [from, to] : c.existing) {
        ASSERT_TRUE(model.AddLink(from, to).ok()) << from << "->" << to;
    }
    if (c.toIsOrigin) {
        model.cellAt(model.FindCellIndex(c.to)).intervals.push_back({600, 0, 100});
    }
    const NetworkTables before = model.tables();
    const EditResult refused = model.AddLink(c.from, c.to);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), c.message);
    EXPECT_EQ(model.tables().links.size(), before.links.size());
    EXPECT_EQ(model.tables().lastLinkID, before.lastLinkID);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, AddLinkRefusal,
    ::testing::Values(
        LinkRefusal{"SameCell", {}, 3, 3, false, "You cannot add link to the same cell."},
        LinkRefusal{"ThirdOutgoing",
                    {{1, 2}, {1, 3}},
                    1,
                    4,
                    false,
                    "The link can't be added.  It will make the cell: 1 having more than two "
                    "outgoing links."},
        LinkRefusal{"ThirdIncoming",
                    {{1, 4}, {2, 4}},
                    3,
                    4,
                    false,
                    "The link can't be added.  It will make the cell: 4 having more than two "
                    "incoming links."},
        LinkRefusal{"FromBothWays",
                    {{1, 3}, {2, 3}, {3, 4}},
                    3,
                    5,
                    false,
                    "The link can't be added.  It will make the cell: 3 both diverting and "
                    "converging.  It is advisable to use dummy cell."},
        LinkRefusal{"ToBothWays",
                    {{3, 4}, {3, 5}, {1, 3}},
                    2,
                    3,
                    false,
                    "The link can't be added.  It will make the cell: 3 both diverting and "
                    "converging.  It is advisable to use dummy cell."},
        LinkRefusal{"IntoOrigin",
                    {},
                    1,
                    2,
                    true,
                    "Cell #2 has been configured as OR cell.  You must remove its OR properties "
                    "before You can add link to it."},
        LinkRefusal{"Duplicate", {{1, 2}}, 1, 2, false, "You cannot add duplicate link."},
        LinkRefusal{"DuplicateReversed", {{1, 2}}, 2, 1, false, "You cannot add duplicate link."}),
    [](const ::testing::TestParamInfo<LinkRefusal>& info) { return info.param.name; });

TEST(EditorModel, NewLinkDefaults) {
    EditorModel model;
    AddCells(model, 2);
    const EditResult added = model.AddLink(1, 2);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.id(), 1);
    const LinkRecord& link = model.linkAt(1);
    EXPECT_EQ(link.fromCell, 1);
    EXPECT_EQ(link.toCell, 2);
    EXPECT_EQ(link.passNode, 0);
    EXPECT_DOUBLE_EQ(link.mergeDivert, 1.0);
}

TEST(EditorModel, NewNodeDefaults) {
    EditorModel model;
    AddCells(model, 1);
    ASSERT_EQ(model.AddNode(5, 6).id(), 2);
    const NodeRecord& node = model.nodeAt(1);
    EXPECT_EQ(node.stageNum, 1);
    EXPECT_EQ(node.offset, 0);
    for (const StageRecord& stage : node.stages) {
        EXPECT_EQ(stage.stageTime, 10);
        EXPECT_FALSE(stage.stageOptimize);
        EXPECT_EQ(stage.stageMoveNum(), 0);
    }
}

TEST(EditorModel, IDsAreNeverReusedAcrossDeletions) {
    EditorModel model;
    ASSERT_EQ(model.AddCell(0, 0).id(), 1);
    ASSERT_EQ(model.AddNode(0, 0).id(), 2);  // nodes share the cell counter
    ASSERT_EQ(model.AddCell(0, 0).id(), 3);
    ASSERT_TRUE(model.DeleteCell(model.FindCellIndex(3)).ok());
    EXPECT_EQ(model.AddCell(0, 0).id(), 4);
    ASSERT_TRUE(model.DeleteNode(model.FindNodeIndex(2)).ok());
    EXPECT_EQ(model.AddNode(0, 0).id(), 5);
    ASSERT_TRUE(model.AddLink(1, 4).ok());
    ASSERT_TRUE(model.DeleteLink(1).ok());
    EXPECT_EQ(model.AddLink(1, 4).id(), 2);
}

TEST(EditorModel, DeletingACellMovesTheLastIntoItsSlot) {
    EditorModel model;
    AddCells(model, 4);
    ASSERT_TRUE(model.DeleteCell(2).ok());
    ASSERT_EQ(model.tables().cells.size(), 3u);
    EXPECT_EQ(model.cellAt(1).cellID, 1);
    EXPECT_EQ(model.cellAt(2).cellID, 4);
    EXPECT_EQ(model.cellAt(3).cellID, 3);
    EXPECT_EQ(model.FindCellIndex(2), 0);
    EXPECT_EQ(model.FindCellIndex(4), 2);
}

TEST(EditorModel, FindOnEmptyTablesGivesZero) {
    const EditorModel model;
    EXPECT_EQ(model.FindCellIndex(1), 0);
    EXPECT_EQ(model.FindNodeIndex(1), 0);
    EXPECT_EQ(model.FindLinkIndex(1), 0);
}

TEST(EditorModel, DeleteCellRefusals) {
    EditorModel model;
    AddCells(model, 3);
    ASSERT_TRUE(model.SetCellSignal(1, 7).ok());
    EXPECT_EQ(model.DeleteCell(1).message(),
              "You can't delete this cell because there is signal on it.");

    ASSERT_TRUE(model.AddLink(2, 3).ok());
    EXPECT_EQ(model.DeleteCell(3).message(),
              "You can't delete this cell because link: 2->3 referencing it.");

    NetworkTables& t = model.tables();
    ASSERT_TRUE(model.SetCellSignal(1, 0).ok());
    t.streets.resize(2);
    t.streets[1].cellIDs = {1};
    EXPECT_EQ(model.DeleteCell(1).message(),
              "You can't delete this cell because street: 2 referencing it.");
    t.streets[1].cellIDs.clear();
    t.delayGroups.resize(3);
    t.delayGroups[2].cellIDs = {1};
    EXPECT_EQ(model.DeleteCell(1).message(),
              "You can't delete this cell because special road: 3 referencing it.");
    t.delayGroups[2].cellIDs.clear();
    t.plotGroups.resize(1);
    t.plotGroups[0].cellIDs = {1};
    EXPECT_EQ(model.DeleteCell(1).message(),
              "You can't delete this cell because CTM Plot: 1 referencing it.");
    t.plotGroups[0].cellIDs.clear();
    EXPECT_EQ(t.cells.size(), 3u);
    EXPECT_TRUE(model.DeleteCell(1).ok());
}

TEST(EditorModel, DeleteLinkRefusedWhileItsSignalRunsInTheNode) {
    EditorModel model;
    AddCells(model, 2);
    const int node = model.AddNode(0, 0).id();
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    model.linkAt(1).passNode = node;
    ASSERT_TRUE(model.SetCellSignal(1, 4).ok());
    model.nodeAt(1).stages[0].stageMoves = {4};
    EXPECT_EQ(model.DeleteLink(1).message(),
              "You must delete the signal on the node's phase plan for cell 1 before deleting "
              "the link.");
    EXPECT_EQ(model.DeleteNode(1).message(),
              "You can't delete this node because there are links referencing it.");
    model.nodeAt(1).stages[0].stageMoves.clear();
    EXPECT_TRUE(model.DeleteLink(1).ok());
    EXPECT_TRUE(model.DeleteNode(1).ok());
}

TEST(EditorModel, DeleteLinkKeepsTheOrderOfTheOthers) {
    EditorModel model;
    AddCells(model, 4);
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    ASSERT_TRUE(model.AddLink(2, 3).ok());
    ASSERT_TRUE(model.AddLink(3, 4).ok());
    ASSERT_TRUE(model.DeleteLink(1).ok());
    EXPECT_EQ(model.linkAt(1).linkID, 2);
    EXPECT_EQ(model.linkAt(2).linkID, 3);
}

TEST(EditorModel, SignalOwnersStayInStep) {
    EditorModel model;
    AddCells(model, 2);
    ASSERT_TRUE(model.SetCellSignal(1, 5).ok());
    EXPECT_EQ(model.tables().signalOwner[5], 1);
    EXPECT_EQ(model.SetCellSignal(2, 5).message(), "Signal 5 is already used by cell 1.");
    ASSERT_TRUE(model.SetCellSignal(1, 6).ok());
    EXPECT_EQ(model.tables().signalOwner[5], 0);
    EXPECT_EQ(model.tables().signalOwner[6], 1);
    ASSERT_TRUE(model.SetCellSignal(2, 5).ok());
    ASSERT_TRUE(model.SetCellSignal(1, 0).ok());
    EXPECT_EQ(model.tables().signalOwner[6], 0);
    EXPECT_EQ(model.cellAt(1).signalID, 0);
    EXPECT_FALSE(model.SetCellSignal(1, 101).ok());
}

TEST(EditorModel, ResetKeepsOccupancyAndScales) {
    EditorModel model;
    AddCells(model, 3);
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    model.params().jamDensity = 99;
    model.params().initialCellOccupancy = 20;
    model.params().cellScaleX = 4;
    model.tables().streets.resize(1);
    model.ResetModel();
    EXPECT_TRUE(model.tables().cells.empty());
    EXPECT_TRUE(model.tables().links.empty());
    EXPECT_TRUE(model.tables().streets.empty());
    EXPECT_EQ(model.tables().lastCellID, 0);
    EXPECT_EQ(model.tables().lastLinkID, 0);
    EXPECT_EQ(model.params().jamDensity, 125);
    EXPECT_EQ(model.params().initialCellOccupancy, 20);
    EXPECT_DOUBLE_EQ(model.params().cellScaleX, 4);
    EXPECT_EQ(model.AddCell(0, 0).id(), 1);
}

TEST(EditorModel, UndoRestoresTheSnapshotEveryTime) {
    EditorModel model;
    EXPECT_FALSE(model.RestoreSnapshot());  // nothing to undo yet
    AddCells(model, 2);
    model.TakeSnapshot();
    model.cellAt(1).x = 999;
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    ASSERT_TRUE(model.RestoreSnapshot());
    EXPECT_DOUBLE_EQ(model.cellAt(1).x, 0);
    EXPECT_TRUE(model.tables().links.empty());
    model.cellAt(2).x = 5;
    ASSERT_TRUE(model.RestoreSnapshot());
    EXPECT_DOUBLE_EQ(model.cellAt(2).x, 100);
    EXPECT_EQ(model.tables().lastLinkID, 0);
}

struct TypeCase {
    const char* name;
    int cells;
    std::vector<std::pair<int, int>> links;
    std::vector<int> passLinks;  // 1-based link indices that pass a node
    int cell;
    bool dummy;
    const char* type;
};

void PrintTo(const TypeCase& c, std::ostream* out) {
    *out << c.name;
}

class CellClassification : public ::testing::TestWithParam<TypeCase> {};

TEST_P(CellClassification, GivesItsCode) {
    const TypeCase& c = GetParam();
    NetworkTables t;
    for (int id = 1; id <= c.cells; ++id) {
        CellRecord cell;
        cell.cellID = id;
        cell.isDummy = (id == c.cell && c.dummy);
        t.cells.push_back(cell);
    }
    int linkID = 0;
    for (const auto& [from, to] : c.links) {
        LinkRecord link;
        link.linkID = ++linkID;
        link.fromCell = from;
        link.toCell = to;
        t.links.push_back(link);
    }
    for (int index : c.passLinks) {
        t.links[index - 1].passNode = 99;
    }
    EXPECT_EQ(CellType(t, FindCellIndex(t, c.cell)), c.type);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CellClassification,
    ::testing::Values(
        TypeCase{"Isolated", 1, {}, {}, 1, false, "OR"},
        TypeCase{"OriginFeedingOne", 2, {{1, 2}}, {}, 1, false, "OR"},
        TypeCase{"OriginDiverging", 3, {{1, 2}, {1, 3}}, {}, 1, false, "ORDI"},
        TypeCase{"OriginMerging", 3, {{1, 3}, {2, 3}}, {}, 1, false, "ORME"},
        TypeCase{"OriginMergingAtSignal", 3, {{1, 3}, {2, 3}}, {2}, 1, false, "ORMB"},
        TypeCase{"Destination", 2, {{1, 2}}, {}, 2, false, "DE"},
        TypeCase{"Through", 3, {{1, 2}, {2, 3}}, {}, 2, false, "TR"},
        TypeCase{"Diverge", 4, {{1, 2}, {2, 3}, {2, 4}}, {}, 2, false, "DI"},
        TypeCase{"Merge", 4, {{1, 2}, {2, 4}, {3, 4}}, {}, 2, false, "ME"},
        TypeCase{"MergeAtSignal", 4, {{1, 2}, {2, 4}, {3, 4}}, {3}, 2, false, "MB"},
        TypeCase{"MergeOwnLinkAtSignal", 4, {{1, 2}, {2, 4}, {3, 4}}, {2}, 2, false, "MB"},
        TypeCase{"DummyWhateverLinks", 4, {{1, 2}, {2, 3}, {2, 4}}, {}, 2, true, "DU"},
        TypeCase{"ThreeOutgoing", 4, {{1, 2}, {1, 3}, {1, 4}}, {}, 1, false, "IV"},
        TypeCase{"MergeTargetIsDestination", 4, {{1, 2}, {2, 4}, {3, 4}}, {}, 4, false, "DE"}),
    [](const ::testing::TestParamInfo<TypeCase>& info) { return info.param.name; });

TEST(EditorModel, CellTypeOutOfTableIsEmpty) {
    const NetworkTables t;
    EXPECT_EQ(CellType(t, 1), "");
    EXPECT_EQ(CellType(t, 0), "");
}

}  // namespace
}  // namespace talvo
