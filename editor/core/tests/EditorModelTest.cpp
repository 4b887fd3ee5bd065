#include "core/EditorModel.h"

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "model/NetworkQueries.h"

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
    model.SetNewCellDefaults({3, 80, kVertical});
    const EditResult added = model.AddCell(12.5, 40);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.id(), 1);
    CellRecord expected;
    expected.cellID = 1;
    expected.x = 12.5;
    expected.y = 40;
    expected.laneNum = 3;
    expected.orientation = kVertical;
    expected.speed = 80;
    expected.capacityFactor = 1.0;
    expected.capacity = 1.0;
    EXPECT_EQ(model.cell(0), expected);
}

TEST(NetworkRules, TablesGrowPastTheOldCapacitiesUntilTheIDsRunOut) {
    // Only the counts and the counters matter for the limits.
    NetworkTables t;
    for (int id = 1; id <= 501; ++id) {
        CellRecord cell;
        cell.cellID = id;
        t.cells.push_back(cell);
    }
    t.nodes.resize(51);
    for (int i = 0; i < 1001; ++i) {
        t.links.push_back({i + 1, 1000 + i, 3000 + i, 0, 1.0});
    }
    t.lastCellID = 552;
    t.lastLinkID = 1001;
    EXPECT_TRUE(CheckAddCell(t).ok());
    EXPECT_TRUE(CheckAddNode(t).ok());
    EXPECT_TRUE(CheckAddLink(t, 1, 2).ok());
    t.lastCellID = Capacity::kMaxID;
    t.lastLinkID = Capacity::kMaxID;
    EXPECT_EQ(CheckAddCell(t).message(), "No more cell numbers are left in this project.");
    EXPECT_EQ(CheckAddNode(t).message(), "No more node numbers are left in this project.");
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
        ASSERT_TRUE(model.SetCellIntervals(c.to, {{600, 0, 100}}).ok());
    }
    const NetworkTables before = model.tables();
    const int steps = model.history().count();
    const EditResult refused = model.AddLink(c.from, c.to);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.message(), c.message);
    EXPECT_EQ(model.tables(), before);
    EXPECT_EQ(model.history().count(), steps);
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

TEST(EditorModel, NewLinkAndNodeDefaults) {
    EditorModel model;
    AddCells(model, 2);
    const EditResult added = model.AddLink(1, 2);
    ASSERT_TRUE(added.ok());
    EXPECT_EQ(added.id(), 1);
    EXPECT_EQ(model.link(0), (LinkRecord{1, 1, 2, 0, 1.0}));
    ASSERT_EQ(model.AddNode(5, 6).id(), 3);
    const NodeRecord& node = model.node(0);
    EXPECT_EQ(node.stageNum, 1);
    EXPECT_EQ(node.offset, 0);
    for (const StageRecord& stage : node.stages) {
        EXPECT_EQ(stage, (StageRecord{10, false, {}}));
    }
}

TEST(EditorModel, IDsAreNeverReusedAcrossDeletions) {
    EditorModel model;
    ASSERT_EQ(model.AddCell(0, 0).id(), 1);
    ASSERT_EQ(model.AddNode(0, 0).id(), 2);  // nodes share the cell counter
    ASSERT_EQ(model.AddCell(0, 0).id(), 3);
    ASSERT_TRUE(model.DeleteCell(3).ok());
    EXPECT_EQ(model.AddCell(0, 0).id(), 4);
    ASSERT_TRUE(model.DeleteNode(2).ok());
    EXPECT_EQ(model.AddNode(0, 0).id(), 5);
    ASSERT_TRUE(model.AddLink(1, 4).ok());
    ASSERT_TRUE(model.DeleteLink(1).ok());
    EXPECT_EQ(model.AddLink(1, 4).id(), 2);
}

TEST(EditorModel, DeletingACellMovesTheLastIntoItsSlotAndUndoPutsBothBack) {
    EditorModel model;
    AddCells(model, 4);
    const NetworkTables before = model.tables();
    ASSERT_TRUE(model.DeleteCell(2).ok());
    ASSERT_EQ(model.tables().cells.size(), 3u);
    EXPECT_EQ(model.cell(1).cellID, 4);
    EXPECT_EQ(model.FindCellIndex(2), 0);
    model.Undo();
    EXPECT_EQ(model.tables(), before);
    // The last cell itself.
    ASSERT_TRUE(model.DeleteCell(4).ok());
    model.Undo();
    EXPECT_EQ(model.tables(), before);
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
    ASSERT_TRUE(model.SetCellSignal(1, 0).ok());

    const struct {
        void (*place)(NetworkTables&);
        const char* message;
    } groups[] = {
        {[](NetworkTables& t) { t.streets.resize(2), t.streets[1].cellIDs = {1}; },
         "You can't delete this cell because street: 2 referencing it."},
        {[](NetworkTables& t) { t.delayGroups.resize(3), t.delayGroups[2].cellIDs = {1}; },
         "You can't delete this cell because special road: 3 referencing it."},
        {[](NetworkTables& t) { t.plotGroups.resize(1), t.plotGroups[0].cellIDs = {1}; },
         "You can't delete this cell because CTM Plot: 1 referencing it."},
    };
    for (const auto& g : groups) {
        NetworkTables edited;
        g.place(edited);
        ASSERT_TRUE(model.SetGroups(edited, "Grouping").ok());
        EXPECT_EQ(model.DeleteCell(1).message(), g.message);
        ASSERT_TRUE(model.SetGroups(NetworkTables{}, "Grouping").ok());
    }
    EXPECT_EQ(model.tables().cells.size(), 3u);
    EXPECT_TRUE(model.DeleteCell(1).ok());
}

TEST(EditorModel, ALinkOrSignalThatTheStagePlanRunsStaysUntilTheStageLetsGo) {
    EditorModel model;
    AddCells(model, 2);
    const int node = model.AddNode(0, 0).id();
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    ASSERT_TRUE(model.SetLinkPassNode(1, node).ok());
    ASSERT_TRUE(model.SetCellSignal(1, 4).ok());
    ASSERT_TRUE(model.AddStageMove(node, 0, 4).ok());
    EXPECT_EQ(model.DeleteLink(1).message(),
              "You must delete the signal on the node's phase plan for cell 1 before deleting "
              "the link.");
    EXPECT_EQ(model.DeleteNode(node).message(),
              "You can't delete this node because there are links referencing it.");
    const std::string inUse =
        "Node 3 has used the signal at cell 1.  You have to remove the signal from the node "
        "first.";
    EXPECT_EQ(model.SetLinkPassNode(1, 0).message(), inUse);
    EXPECT_EQ(model.SetCellSignal(1, 0).message(), inUse);
    EXPECT_EQ(model.SetCellSignal(1, 5).message(), inUse);
    ASSERT_TRUE(model.RemoveStageMove(node, 0, 0).ok());
    EXPECT_TRUE(model.DeleteLink(1).ok());
    EXPECT_TRUE(model.DeleteNode(node).ok());
}

TEST(EditorModel, SignalOwnersStayInStepThroughUndo) {
    EditorModel model;
    AddCells(model, 2);
    ASSERT_TRUE(model.SetCellSignal(1, 5).ok());
    EXPECT_EQ(model.tables().signalOwner[5], 1);
    EXPECT_EQ(model.SetCellSignal(2, 5).message(), "Signal 5 is already used by cell 1.");
    ASSERT_TRUE(model.SetCellSignal(1, 6).ok());
    EXPECT_EQ(model.tables().signalOwner[5], 0);
    EXPECT_EQ(model.tables().signalOwner[6], 1);
    model.Undo();
    EXPECT_EQ(model.tables().signalOwner[5], 1);
    EXPECT_EQ(model.tables().signalOwner[6], 0);
    EXPECT_EQ(model.cell(0).signalID, 5);
    // Signals past the old 100 grow the owner table; undo shrinks it back.
    ASSERT_TRUE(model.SetCellSignal(2, 250).ok());
    EXPECT_EQ(model.tables().signalOwner.at(250), 2);
    model.Undo();
    EXPECT_EQ(model.tables().signalOwner.size(), 101u);
    EXPECT_FALSE(model.SetCellSignal(2, Capacity::kSignals + 1).ok());
}

struct FieldCase {
    CellField field;
    double accepted;
    double refused;
    const char* message;
};

TEST(EditorModel, CellValuesKeepToTheirRanges) {
    const FieldCase cases[] = {
        {CellField::Speed, 200, 201, "The allowable cell speed must be between 1 to 200 Km/H."},
        {CellField::Speed, 1, 0, "The allowable cell speed must be between 1 to 200 Km/H."},
        {CellField::InitialCarNum, 100, 101,
         "You must enter a number between 0 and 100 in this field."},
        {CellField::CapacityFactor, 0.8, 1.5, "The speed deduction must be between 0 to 1."},
        {CellField::Capacity, 0, 2, "The capacity must be between 0 to 1."},
        {CellField::LaneNum, 3, 21, "The number of lanes must be between 1 and 20."},
    };
    EditorModel model;
    AddCells(model, 1);
    for (const FieldCase& c : cases) {
        CellRecord expected = model.cell(0);
        SetValue(expected, c.field, c.accepted);
        EXPECT_TRUE(model.SetCellValue(1, c.field, c.accepted).ok());
        EXPECT_EQ(model.cell(0), expected);
        EXPECT_EQ(model.SetCellValue(1, c.field, c.refused).message(), c.message);
        EXPECT_EQ(model.cell(0), expected);
    }
    // Storing what is stored already records nothing.
    const int steps = model.history().count();
    EXPECT_TRUE(model.SetCellValue(1, CellField::Capacity, 0).ok());
    EXPECT_EQ(model.history().count(), steps);
}

TEST(EditorModel, NewProjectKeepsOccupancyAndScalesAndStartsANewHistory) {
    EditorModel model;
    AddCells(model, 3);
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    GlobalParameters params = model.params();
    params.jamDensity = 99;
    params.initialCellOccupancy = 20;
    params.cellScaleX = 4;
    ASSERT_TRUE(model.SetParameters(params, "Simulation Parameters").ok());
    const Project before = model.project();
    model.NewProject();
    EXPECT_EQ(model.tables(), NetworkTables{});
    EXPECT_EQ(model.params().jamDensity, 125);
    EXPECT_EQ(model.params().initialCellOccupancy, 20);
    EXPECT_DOUBLE_EQ(model.params().cellScaleX, 4);
    EXPECT_FALSE(model.isModified());
    // Nothing of the project before comes back: a save after an undo would write it over
    // the new one.
    EXPECT_FALSE(model.history().canUndo());
    model.Undo();
    EXPECT_NE(model.project(), before);
    EXPECT_FALSE(model.isModified());
    EXPECT_EQ(model.AddCell(0, 0).id(), 1);
}

TEST(EditorModel, UndoGoesBackOneStepAtATimeAndRedoForward) {
    EditorModel model;
    AddCells(model, 2);
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    ASSERT_TRUE(model.Move({{Movable::Cell, 1, 0, 50, 999, 50}}, "Move").ok());
    model.Undo();
    EXPECT_DOUBLE_EQ(model.cell(0).x, 0);
    EXPECT_EQ(model.tables().links.size(), 1u);
    model.Undo();
    EXPECT_TRUE(model.tables().links.empty());
    EXPECT_EQ(model.tables().lastLinkID, 0);
    model.Redo();
    model.Redo();
    EXPECT_DOUBLE_EQ(model.cell(0).x, 999);
    EXPECT_FALSE(model.history().canRedo());
}

TEST(EditorModel, MovesOfOneGestureMergeAndAReturnToTheStartLeavesNothing) {
    EditorModel model;
    AddCells(model, 1);
    const int steps = model.history().count();
    ASSERT_TRUE(model.Move({{Movable::Cell, 1, 0, 50, 10, 50}}, "Move", 7).ok());
    ASSERT_TRUE(model.Move({{Movable::Cell, 1, 10, 50, 20, 60}}, "Move", 7).ok());
    EXPECT_EQ(model.history().count(), steps + 1);
    ASSERT_TRUE(model.Move({{Movable::Cell, 1, 20, 60, 30, 60}}, "Move", 8).ok());
    EXPECT_EQ(model.history().count(), steps + 2);
    model.Undo();
    EXPECT_DOUBLE_EQ(model.cell(0).x, 20);
    model.Undo();
    EXPECT_DOUBLE_EQ(model.cell(0).x, 0);
    EXPECT_DOUBLE_EQ(model.cell(0).y, 50);

    // A drag back to where it began leaves no step.
    model.Redo();
    ASSERT_TRUE(model.Move({{Movable::Cell, 1, 20, 60, 40, 60}}, "Move", 9).ok());
    ASSERT_TRUE(model.Move({{Movable::Cell, 1, 40, 60, 20, 60}}, "Move", 9).ok());
    EXPECT_EQ(model.history().count(), steps + 1);
    EXPECT_DOUBLE_EQ(model.cell(0).x, 20);
}

TEST(EditorModel, UndoLimitIsAtLeastAHundred) {
    EXPECT_GE(EditorModel().history().undoLimit(), 100);
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
