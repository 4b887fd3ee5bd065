// The tools as the history sees them: a drag is one step, a click or a refusal none.
#include "core/MapEditor.h"

#include <gtest/gtest.h>

#include <functional>

#include "TestSupport.h"
#include "UnitView.h"

namespace talvo {
namespace {

class MapEditorHistory : public ::testing::Test {
  protected:
    MapEditorHistory() {
        tools.caution = [this](const std::string& text) { prompter.caution(text); };
        EXPECT_TRUE(model.AddCell(1500, 1500).ok());
        EXPECT_TRUE(model.AddCell(2400, 1500).ok());
        EXPECT_TRUE(model.AddLink(1, 2).ok());
    }
    void Click(double x, double y) {
        tools.PressLeft(x, y);
        tools.ReleaseLeft(x, y);
    }

    EditorModel model;
    scene::Viewport view = test::UnitView();
    MapEditor tools{model, view};
    test::RecordingPrompter prompter;
};

TEST_F(MapEditorHistory, AClickAfterADragKeepsTheDragUndoable) {
    tools.PressLeft(1500, 1500);
    for (const double x : {1600.0, 1800.0, 2000.0}) {
        tools.MovePointer(x, 1800);
        tools.DragTick();
    }
    tools.ReleaseLeft(2000, 1800);
    EXPECT_EQ(model.history().count(), 4);  // three adds and one move
    Click(2400, 1500);
    Click(5000, 4000);
    EXPECT_EQ(model.history().count(), 4);
    model.Undo();
    EXPECT_DOUBLE_EQ(model.cell(0).x, 1500);
    EXPECT_DOUBLE_EQ(model.cell(0).y, 1500);
    EXPECT_EQ(tools.selection().selectedKind, SelectedKind::None);
}

TEST_F(MapEditorHistory, ARefusedDeleteLeavesHistoryAndSelection) {
    Click(2400, 1500);
    tools.DeleteSelected();
    EXPECT_EQ(prompter.Last(), "You can't delete this cell because link: 1->2 referencing it.");
    EXPECT_EQ(model.history().count(), 3);
    EXPECT_EQ(tools.selection().selectedKind, SelectedKind::Cell);
    model.Undo();
    EXPECT_TRUE(model.tables().links.empty());
}

// Deleting the first cell moves the last into its place: the history and the selection
// still name the same records by ID through undo and redo.
TEST_F(MapEditorHistory, DeleteUndoRedoByIDAcrossRenumbering) {
    ASSERT_TRUE(model.AddCell(3300, 1500).ok());
    const int last = model.tables().cells.back().cellID;
    ASSERT_TRUE(model.DeleteLink(1).ok());
    const NetworkTables before = model.tables();
    Click(1500, 1500);  // cell 1, first in the table
    tools.DeleteSelected();
    ASSERT_EQ(model.FindCell(1), nullptr);
    EXPECT_EQ(model.cell(0).cellID, last);  // renumbered: the last cell took the place
    // The last cell, now first in the table, is selected and edited by its ID.
    Click(3300, 1500);
    ASSERT_EQ(tools.selection().selectedID, last);
    ASSERT_TRUE(model.SetCellValue(last, CellField::Speed, 80).ok());
    model.Undo();
    model.Undo();  // the cell comes back in its place, the link still to undo
    EXPECT_EQ(model.tables(), before);
    EXPECT_EQ(model.FindCellIndex(last) - 1, 2);
    // The selection followed its cell back to its old place.
    EXPECT_EQ(tools.selection().selectedKind, SelectedKind::Cell);
    EXPECT_EQ(tools.selection().selectedID, last);
    model.Undo();  // the link
    ASSERT_EQ(model.tables().links.size(), 1u);
    EXPECT_EQ(model.tables().links[0].fromCell, 1);
    model.Redo();
    model.Redo();
    model.Redo();
    EXPECT_EQ(model.FindCell(1), nullptr);
    EXPECT_EQ(model.cell(0).cellID, last);
    EXPECT_EQ(model.cell(0).speed, 80);
    EXPECT_EQ(tools.selection().selectedID, last);
}

// A selected link or node, and the picked cells, stay chosen while another record of their
// table is deleted (moving them in it), undone and redone; undoing their own adding ends
// the choice.
TEST_F(MapEditorHistory, UndoAndRedoKeepSelectedLinksNodesAndPickedCells) {
    ASSERT_TRUE(model.AddCell(3300, 1500).ok());
    const int link = model.AddLink(2, 3).id();
    const int firstNode = model.AddNode(1500, 3000).id();
    const int node = model.AddNode(2400, 3000).id();
    struct Case {
        SelectedKind kind;
        int id;
        std::function<EditResult()> deleteOther;
    };
    const std::vector<Case> cases = {
        {SelectedKind::Link, link, [&] { return model.DeleteLink(1); }},
        {SelectedKind::Node, node, [&] { return model.DeleteNode(firstNode); }},
    };
    for (const Case& c : cases) {
        SelectionState chosen;
        chosen.selectedKind = c.kind;
        chosen.selectedID = c.id;
        tools.SetSelection(chosen);
        ASSERT_TRUE(c.deleteOther().ok());
        model.Undo();
        model.Redo();
        model.Undo();
        EXPECT_EQ(tools.selection().selectedKind, c.kind);
        EXPECT_EQ(tools.selection().selectedID, c.id);
    }
    tools.SelectCells({3, 1, 99});  // a cell that is not there is left out
    EXPECT_EQ(tools.selection().selectedCells, (std::vector<int>{3, 1}));
    SelectionState both = tools.selection();
    both.selectedKind = SelectedKind::Link;
    both.selectedID = link;
    tools.SetSelection(both);
    model.Undo();  // the nodes
    model.Undo();
    model.Undo();  // the link
    EXPECT_EQ(tools.selection().selectedKind, SelectedKind::None);
    EXPECT_EQ(tools.selection().selectedCells, (std::vector<int>{3, 1}));
    model.Undo();  // cell 3
    EXPECT_EQ(tools.selection().selectedCells, std::vector<int>{1});
}

// Undoing a delete brings the object back selected, as it was before the delete.
TEST_F(MapEditorHistory, AnUndoneDeleteSelectsItsObjectAgain) {
    Click(2400, 1500);  // cell 2
    ASSERT_TRUE(model.DeleteLink(1).ok());
    tools.DeleteSelected();
    ASSERT_EQ(model.FindCell(2), nullptr);
    EXPECT_EQ(tools.selection().selectedKind, SelectedKind::None);
    model.Undo();
    EXPECT_EQ(tools.selection().selectedKind, SelectedKind::Cell);
    EXPECT_EQ(tools.selection().selectedID, 2);
    model.Redo();
    EXPECT_EQ(tools.selection().selectedKind, SelectedKind::None);
    model.Undo();
    EXPECT_EQ(tools.selection().selectedID, 2);
    // Once something else is chosen, an undo leaves the choice alone.
    tools.DeleteSelected();
    Click(1500, 1500);
    model.Undo();
    EXPECT_EQ(tools.selection().selectedID, 1);
}

TEST_F(MapEditorHistory, ToolChangesAndPickingCellsRecordNothing) {
    tools.SetTool(Tool::Node);
    tools.SetTool(Tool::Arrow);
    tools.PressLeft(1000, 1000);
    tools.MovePointer(3000, 2000);
    tools.DragTick();
    tools.ReleaseLeft(3000, 2000);
    EXPECT_EQ(tools.selection().selectedCells, (std::vector<int>{1, 2}));
    // Aligning cells that are aligned already changes nothing and records nothing.
    tools.Align(true);
    EXPECT_EQ(model.history().count(), 3);
}

// The view may show more than the map's extent; nothing is placed beyond it.
TEST_F(MapEditorHistory, NothingIsAddedBeyondTheMapsExtent) {
    view.zoomAbout({0, 0}, 1.0);  // a picture of 15360 pixels shows 230400 map units
    for (const Tool tool : {Tool::Cell, Tool::Node}) {
        tools.SetTool(tool);
        Click(1100, 100);  // map point (16500, 1500)
        Click(900, 100);   // (13500, 1500)
    }
    EXPECT_EQ(model.tables().cells.size(), 3u);
    EXPECT_EQ(model.tables().nodes.size(), 1u);
}

// A network that reaches past the small map (as a district's project does) gets a map that
// holds it: its far cells move where they are dragged and new ones go beside them.
TEST_F(MapEditorHistory, ALargeNetworksMapGrowsToHoldIt) {
    EXPECT_EQ(MapExtentOf(scene::MapNetworkOf(model.project())), kMapExtent);
    ASSERT_TRUE(model.AddCell(30000, 1500).ok());
    view.zoomAbout({0, 0}, 1.0);  // 15 map units to a pixel
    tools.PressLeft(2000, 100);   // the far cell
    tools.MovePointer(2100, 100);
    tools.DragTick();
    tools.ReleaseLeft(2100, 100);
    EXPECT_DOUBLE_EQ(model.tables().cells.back().x, 31500);
    tools.SetTool(Tool::Cell);
    Click(2100, 300);  // (31500, 4500)
    EXPECT_EQ(model.tables().cells.size(), 4u);
}

}  // namespace
}  // namespace talvo
