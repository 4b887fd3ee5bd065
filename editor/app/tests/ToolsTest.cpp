#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTimer>

#include "FindText.h"
#include "WindowFixture.h"
#include "core/MapHits.h"

#include <QToolBar>

namespace talvo::test {
namespace {

// Cells of the default size: half-length 1.5 * 65 = 98 (97.5 to even), half-width 100.
class ToolsTest : public ::testing::Test {
  protected:
    void AddCells(std::initializer_list<std::pair<double, double>> points) {
        f.UseTool("mnuCell");
        for (const auto& [x, y] : points) {
            f.Click(x, y);
        }
        f.UseTool("mnuArrow");
    }
    WindowFixture f;
};

TEST_F(ToolsTest, CellLinkAndNodeToolsBuildANetwork) {
    AddCells({{1500, 1500}, {2100, 1500}});
    ASSERT_EQ(f.project().tables.cells.size(), 2u);
    EXPECT_EQ(f.project().tables.cells[0].cellID, 1);
    EXPECT_NEAR(f.project().tables.cells[0].x, 1500, 15);
    EXPECT_EQ(f.project().tables.cells[0].speed, 65);

    f.Trigger("mnuNode");
    EXPECT_TRUE(f.Action("mnuNode")->isChecked());
    EXPECT_FALSE(f.Action("mnuArrow")->isChecked());
    f.Click(1800, 2100);
    ASSERT_EQ(f.project().tables.nodes.size(), 1u);
    EXPECT_EQ(f.project().tables.nodes[0].nodeID, 3);

    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    EXPECT_EQ(f.window.editor().selection().pendingLinkStart, 1);
    f.Click(2100, 1500);
    ASSERT_EQ(f.project().tables.links.size(), 1u);
    EXPECT_EQ(f.project().tables.links[0].fromCell, 1);
    EXPECT_EQ(f.project().tables.links[0].toCell, 2);
    EXPECT_TRUE(f.prompter.cautions.empty());
}

TEST_F(ToolsTest, LinkToolRefusesTheSameCellAndDuplicates) {
    AddCells({{1500, 1500}, {2100, 1500}});
    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    f.Click(1500, 1500);
    EXPECT_EQ(f.prompter.Last(), "You cannot add link to the same cell.");
    EXPECT_EQ(f.window.editor().selection().pendingLinkStart, 0);
    f.Click(1500, 1500);
    f.Click(2100, 1500);
    f.Click(2100, 1500);
    f.Click(1500, 1500);
    EXPECT_EQ(f.prompter.Last(), "You cannot add duplicate link.");
    EXPECT_EQ(f.project().tables.links.size(), 1u);
    // A click on empty map keeps waiting for a cell.
    f.Click(1500, 1500);
    f.Click(4000, 4000);
    EXPECT_EQ(f.window.editor().selection().pendingLinkStart, 1);
}

TEST_F(ToolsTest, ClickSelectsTheLowerIndexOfOverlappingCellsAndFillsThePanel) {
    AddCells({{1500, 1500}, {1550, 1500}});
    f.Click(1530, 1500);
    const SelectionState& sel = f.window.editor().selection();
    EXPECT_EQ(sel.selectedKind, SelectedKind::Cell);
    EXPECT_EQ(sel.selectedID, 1);
    auto* tabs = f.window.findChild<QTabBar*>("tspConfiguration");
    EXPECT_EQ(tabs->currentIndex(), 0);
    auto* panel = f.window.findChild<QWidget*>("frmConfiguration");
    EXPECT_EQ(panel->findChild<QLineEdit*>("txtSpeed")->text(), "65");
    // Empty map clears the selection and the panel.
    f.Click(5000, 3000);
    EXPECT_EQ(sel.selectedKind, SelectedKind::None);
    EXPECT_EQ(panel->findChild<QLineEdit*>("txtSpeed")->text(), "");
}

TEST_F(ToolsTest, NodeHitRadiusIsBelow200) {
    f.Trigger("mnuNode");
    f.Click(3000, 3000);
    f.Trigger("mnuArrow");
    // 195 twips away (13 pixels) selects; 210 (14 pixels) does not.
    f.Click(3000 + 195, 3000);
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Node);
    f.Click(3000 + 210, 3000);
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::None);
    auto* tabs = f.window.findChild<QTabBar*>("tspConfiguration");
    f.Click(3000, 3000);
    EXPECT_EQ(tabs->currentIndex(), 2);
}

TEST_F(ToolsTest, LinkIsSelectedNearItsLine) {
    AddCells({{1500, 1500}, {2400, 1500}});
    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    f.Click(2400, 1500);
    f.Trigger("mnuArrow");
    f.Click(1950, 1530);
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Link);
    EXPECT_EQ(f.window.findChild<QTabBar*>("tspConfiguration")->currentIndex(), 1);
    EXPECT_EQ(f.window.findChild<QLineEdit*>("txtFrom")->text(), "1");
    f.Click(1950, 1575);
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::None);
}

TEST_F(ToolsTest, DraggingMovesACellAndUndoPutsItBack) {
    AddCells({{1500, 1500}});
    f.Drag(1500, 1500, 2400, 1800);
    const CellRecord& cell = f.project().tables.cells[0];
    EXPECT_NEAR(cell.x, 2400, 15);
    EXPECT_NEAR(cell.y, 1800, 15);
    f.Trigger("mnuUndo");
    EXPECT_NEAR(f.project().tables.cells[0].x, 1500, 15);
    // The moved cell stays selected where the undo put it back.
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Cell);
    // The step before the drag added the cell; redo brings both back.
    f.Trigger("mnuUndo");
    EXPECT_TRUE(f.project().tables.cells.empty());
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::None);
    f.Trigger("mnuRedo");
    f.Trigger("mnuRedo");
    EXPECT_NEAR(f.project().tables.cells[0].x, 2400, 15);
}

TEST_F(ToolsTest, DragIsHeldAtTheMapEdge) {
    AddCells({{300, 300}});
    f.Drag(300, 300, 15, 15);
    const CellRecord& cell = f.project().tables.cells[0];
    EXPECT_DOUBLE_EQ(cell.x, 98);
    EXPECT_DOUBLE_EQ(cell.y, 100);
}

TEST_F(ToolsTest, RubberBandSelectsCellsAndDeleteKeyRefusesAGroup) {
    AddCells({{1500, 1500}, {2100, 1500}, {2700, 1500}, {6000, 4000}});
    f.Drag(1200, 1200, 3000, 1800);
    const SelectionState& sel = f.window.editor().selection();
    EXPECT_EQ(sel.selectedCells, (std::vector<int>{1, 2, 3}));
    f.canvas->setFocus();
    QTest::keyClick(f.canvas, Qt::Key_Delete);
    EXPECT_EQ(f.prompter.Last(), "You can delete only one object at a time.");
    EXPECT_EQ(f.project().tables.cells.size(), 4u);
    // A right click on a multi-selection offers the Format menu.
    f.Click(5000, 3000, Qt::RightButton);
    ASSERT_FALSE(f.popups.empty());
    EXPECT_EQ(f.popups.back(), "mnuFormat");
}

TEST_F(ToolsTest, GroupDragMovesEveryCellOfTheSelection) {
    AddCells({{1500, 1500}, {2100, 1500}});
    f.Drag(1200, 1200, 2400, 1800);
    f.Drag(1500, 1500, 1800, 2100);
    EXPECT_NEAR(f.project().tables.cells[0].x, 1800, 15);
    EXPECT_NEAR(f.project().tables.cells[1].x, 2400, 15);
    EXPECT_NEAR(f.project().tables.cells[1].y, 2100, 15);
    f.Trigger("mnuUndo");
    EXPECT_NEAR(f.project().tables.cells[1].x, 2100, 15);
}

TEST_F(ToolsTest, RubberBandTakesAnyNumberOfCells) {
    const auto& cells = f.project().tables.cells;
    for (int i = 0; i < 201; ++i) {
        ASSERT_TRUE(f.window.model().AddCell(300 + (i % 20) * 300, 300 + (i / 20) * 300));
    }
    EXPECT_EQ(cells.size(), 201u);
    f.Drag(15, 15, 14000, 5700);
    EXPECT_EQ(f.window.editor().selection().selectedCells.size(), 201u);
}

TEST_F(ToolsTest, AlignAndSpaceTheMultiSelection) {
    AddCells({{2700, 1500}, {1500, 1650}, {2100, 1400}});
    f.Drag(1200, 1200, 3000, 1800);
    f.Trigger("mnuAlignHorizontal");
    const auto& cells = f.project().tables.cells;
    // Sorted by x the first is cell 2 at y 1650: everyone takes its y.
    EXPECT_EQ(cells[0].y, cells[1].y);
    EXPECT_EQ(cells[2].y, cells[1].y);
    f.Trigger("mnuUndo");
    EXPECT_NE(f.project().tables.cells[0].y, f.project().tables.cells[1].y);
}

TEST_F(ToolsTest, SpacingRoundsTheGapHalvesToEven) {
    AddCells({{1500, 1500}, {1800, 1500}, {2100, 1500}});
    const auto& cells = f.project().tables.cells;
    ASSERT_TRUE(f.window.model()
                    .Move({{Movable::Cell, 1, 1500, 1500, 1000, 1500},
                           {Movable::Cell, 2, 1800, 1500, 1010, 1500},
                           {Movable::Cell, 3, 2100, 1500, 1025, 1500}},
                          "Move")
                    .ok());
    f.Drag(600, 1200, 1400, 1800);
    ASSERT_EQ(f.window.editor().selection().selectedCells.size(), 3u);
    f.Trigger("mnuSpaceHorizontal");
    EXPECT_EQ(cells[0].x, 1000);
    EXPECT_EQ(cells[1].x, 1012);
    EXPECT_EQ(cells[2].x, 1024);
}

TEST_F(ToolsTest, AlignNeedsTwoCellsAndSpaceThree) {
    AddCells({{1500, 1500}, {2100, 1700}});
    f.Drag(1200, 1200, 1800, 1800);
    ASSERT_EQ(f.window.editor().selection().selectedCells.size(), 1u);
    const double y = f.project().tables.cells[1].y;
    f.Trigger("mnuAlignHorizontal");
    EXPECT_EQ(f.project().tables.cells[1].y, y);
    f.Drag(1200, 1200, 2400, 1900);
    ASSERT_EQ(f.window.editor().selection().selectedCells.size(), 2u);
    f.Trigger("mnuSpaceHorizontal");
    EXPECT_NEAR(f.project().tables.cells[1].x, 2100, 15);
    f.Trigger("mnuAlignHorizontal");
    EXPECT_EQ(f.project().tables.cells[1].y, f.project().tables.cells[0].y);
}

TEST_F(ToolsTest, DeleteRefusalsAndDeletion) {
    AddCells({{1500, 1500}, {2100, 1500}});
    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    f.Click(2100, 1500);
    f.Trigger("mnuArrow");
    f.Click(1500, 1500);
    f.canvas->setFocus();
    QTest::keyClick(f.canvas, Qt::Key_Delete);
    EXPECT_EQ(f.prompter.Last(), "You can't delete this cell because link: 1->2 referencing it.");
    EXPECT_EQ(f.project().tables.cells.size(), 2u);
    f.Click(1800, 1500);
    ASSERT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Link);
    f.Click(1800, 1500, Qt::RightButton);
    EXPECT_EQ(f.popups.back(), "mnuEdit");
    f.Trigger("mnuDelete");
    EXPECT_TRUE(f.project().tables.links.empty());
    f.Click(1500, 1500);
    QTest::keyClick(f.canvas, Qt::Key_Delete);
    EXPECT_EQ(f.project().tables.cells.size(), 1u);
    EXPECT_EQ(f.project().tables.cells[0].cellID, 2);
    f.Trigger("mnuUndo");
    EXPECT_EQ(f.project().tables.cells.size(), 2u);
}

TEST_F(ToolsTest, ZoomStepsByHalvesBetweenATenthAndSixteen) {
    f.Trigger("mnuZoomIn");
    EXPECT_DOUBLE_EQ(f.window.view().zoom(), 1.5);
    for (int i = 0; i < 6; ++i) {
        f.Trigger("mnuZoomIn");
    }
    EXPECT_DOUBLE_EQ(f.window.view().zoom(), 16.0);  // 1.5 to the 7th, held at 16
    EXPECT_TRUE(f.prompter.cautions.empty());
    f.Trigger("mnuZoomIn");
    EXPECT_EQ(f.prompter.Last(), "It can't be magnified any more!");
    EXPECT_DOUBLE_EQ(f.window.view().zoom(), 16.0);
    f.Trigger("mnuNoZoom");
    EXPECT_DOUBLE_EQ(f.window.view().zoom(), 1.0);
    for (int i = 0; i < 7; ++i) {
        f.Trigger("mnuZoomOut");
    }
    EXPECT_DOUBLE_EQ(f.window.view().zoom(), 0.1);
    EXPECT_EQ(f.prompter.cautions.size(), 1u);
}

TEST_F(ToolsTest, ZoomPopUpKeepsThePointUnderThePointer) {
    AddCells({{3000, 1500}});
    f.window.popupMenu = [this](QMenu* menu, QPoint) {
        f.popups.push_back(menu->objectName());
        menu->findChild<QAction*>("mnuZoomIn")->trigger();
    };
    const QPoint before = f.Pixel(3000, 1500);
    QTest::mouseClick(f.picture, Qt::RightButton, {}, before);
    EXPECT_EQ(f.popups.back(), "mnuZoom");
    EXPECT_DOUBLE_EQ(f.window.view().zoom(), 1.5);
    const QPoint after = f.Pixel(3000, 1500);
    EXPECT_NEAR(after.x(), before.x(), 1);
    EXPECT_NEAR(after.y(), before.y(), 1);
    // At zoom 1.5 a click still finds the cell under the pointer.
    f.Click(3000, 1500);
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Cell);
}

TEST_F(ToolsTest, DragBeyondTheViewScrollsTheMap) {
    AddCells({{5000, 3000}});
    f.window.view().zoomAbout({0, 0}, 2.0);
    f.canvas->viewChanged();
    auto* hsb = f.window.findChild<QScrollBar*>("hsbMap");
    ASSERT_EQ(hsb->value(), 0);
    const double right = f.window.view().visibleMap().right;
    const QPoint beyond(f.picture->width() + 20, f.Pixel(5000, 3000).y());
    QTest::mousePress(f.picture, Qt::LeftButton, {}, f.Pixel(5000, 3000));
    QTest::mouseMove(f.picture, beyond);
    f.WaitForTicks(3);
    QTest::mouseRelease(f.picture, Qt::LeftButton, {}, beyond);
    EXPECT_GT(hsb->value(), 0);
    EXPECT_EQ(hsb->value(), f.window.view().horizontalScroll(kMapExtent).value);
    EXPECT_GT(f.project().tables.cells[0].x, right);
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

TEST(WindowLayout, EditorScrollBarsShowOnlyBelowTheLayoutsSize) {
    WindowFixture f;
    EXPECT_EQ(Caption(f.window), "Visual Talvo Editor");
    auto* hsb = f.window.findChild<QScrollBar*>("hsbEditor");
    auto* vsb = f.window.findChild<QScrollBar*>("vsbEditor");
    ASSERT_NE(hsb, nullptr);
    ASSERT_NE(vsb, nullptr);
    // The panel's dock keeps its width: only a low window needs its vertical scroll bar.
    f.window.resize(700, 300);
    QApplication::processEvents();
    EXPECT_TRUE(vsb->isVisible());
    EXPECT_GT(vsb->maximum(), 0);
    f.window.resize(1400, 1000);
    QApplication::processEvents();
    EXPECT_FALSE(hsb->isVisible());
    EXPECT_FALSE(vsb->isVisible());
    EXPECT_NE(f.window.findChild<QWidget*>("frmMap"), nullptr);
    EXPECT_NE(f.window.findChild<QTimer*>("picTimer"), nullptr);
}

TEST(StreetLabels, ALabelIsDraggedWithItsGroupAndReleased) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(std::string(TALVO_APP_TEST_DATA) + "/corridor.tin",
                                         ProjectLayout::Current));
    // "Park Rd" at (1750, 3700): press inside its text box, just right of the anchor.
    QTest::mousePress(f.picture, Qt::LeftButton, {}, f.Pixel(1780, 3730));
    const SelectionState& sel = f.window.editor().selection();
    EXPECT_EQ(sel.selectedKind, SelectedKind::StreetLabel);
    EXPECT_EQ(sel.selectedID, 2);  // streets are named by their place
    QTest::mouseMove(f.picture, f.Pixel(3280, 4330));
    f.WaitForTicks(2);
    QTest::mouseRelease(f.picture, Qt::LeftButton, {}, f.Pixel(3280, 4330));
    const StreetRecord& street = f.project().tables.streets[2];
    EXPECT_NEAR(street.x, 3250, 15);
    EXPECT_NEAR(street.y, 4300, 15);
    EXPECT_EQ(sel.selectedKind, SelectedKind::None);
    // A right click on nothing offers the zoom menu.
    f.Click(8000, 5000, Qt::RightButton);
    EXPECT_EQ(f.popups.back(), "mnuZoom");
}

TEST(Selection, ACellDeletedUnderTheSelectionLeavesIt) {
    WindowFixture f;
    f.UseTool("mnuCell");
    f.Click(1500, 1500);
    f.Click(2100, 1500);
    f.Trigger("mnuArrow");
    f.Drag(1200, 1200, 2400, 1800);
    ASSERT_EQ(f.window.editor().selection().selectedCells.size(), 2u);
    // Another command shrinks the table under the selection.
    ASSERT_TRUE(f.window.model().DeleteCell(2).ok());
    f.Trigger("mnuAlignVertical");
    f.Trigger("mnuSpaceVertical");
    EXPECT_EQ(f.window.editor().selection().selectedCells, std::vector<int>{1});
    f.canvas->repaint();
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

// A double-click as the window system delivers it: press, release, double-click, release.
void DoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &twice);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// The second press of a double-click is no new press: one cell, one node, no link refusal.
TEST(DoubleClick, IsOnePressForEveryTool) {
    WindowFixture f;
    f.UseTool("mnuCell");
    DoubleClick(f.picture, f.Pixel(1500, 1500));
    EXPECT_EQ(f.project().tables.cells.size(), 1u);
    f.Click(2100, 1500);
    f.Trigger("mnuNode");
    DoubleClick(f.picture, f.Pixel(1800, 2400));
    EXPECT_EQ(f.project().tables.nodes.size(), 1u);
    f.Trigger("mnuLink");
    DoubleClick(f.picture, f.Pixel(1500, 1500));
    EXPECT_TRUE(f.prompter.cautions.empty());
    EXPECT_EQ(f.window.editor().selection().pendingLinkStart, 1);
    f.Click(2100, 1500);
    EXPECT_EQ(f.project().tables.links.size(), 1u);
    f.Trigger("mnuArrow");
    DoubleClick(f.picture, f.Pixel(2100, 1500));
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Cell);
    EXPECT_FALSE(f.canvas->dragTimer()->isActive());
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

// A group wider than the visible picture (14175 / zoom) cannot be grabbed; one that fits can.
TEST(GroupMove, AGroupWiderThanTheViewIsRefusedAndNothingMoves) {
    WindowFixture f;
    f.UseTool("mnuCell");
    f.Click(1000, 1500);
    f.Click(3000, 1500);
    f.Trigger("mnuArrow");
    EditorModel& model = f.window.model();
    ASSERT_TRUE(model.AddCell(15200, 1500));
    f.window.editor().SelectCells({1, 3});
    QTest::mousePress(f.picture, Qt::LeftButton, {}, f.Pixel(1000, 1500));
    EXPECT_FALSE(f.canvas->dragTimer()->isActive());
    QTest::mouseMove(f.picture, f.Pixel(1600, 2100));
    QTest::mouseRelease(f.picture, Qt::LeftButton, {}, f.Pixel(1600, 2100));
    EXPECT_EQ(f.prompter.Last(),
              "You can't move multiple cells in an area larger than the area you can see.  For "
              "cells covering a large area, you may need to move more times.");
    EXPECT_NEAR(f.project().tables.cells[0].x, 1000, 15);
    EXPECT_DOUBLE_EQ(f.project().tables.cells[2].x, 15200);
    // Two cells well inside the view move together.
    f.window.editor().SelectCells({1, 2});
    f.Drag(1000, 1500, 1600, 2100);
    EXPECT_NEAR(f.project().tables.cells[0].x, 1600, 30);
    EXPECT_NEAR(f.project().tables.cells[1].x, 3600, 30);
    EXPECT_NEAR(f.project().tables.cells[1].y, 2100, 30);
    EXPECT_EQ(f.prompter.cautions.size(), 1u);
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

TEST(FindText, NamesACellOrANode) {
    using Kind = FindRequest::Kind;
    EXPECT_EQ(ParseFindText("12"), (FindRequest{Kind::Cell, 12}));
    EXPECT_EQ(ParseFindText(" c12 "), (FindRequest{Kind::Cell, 12}));
    EXPECT_EQ(ParseFindText("Node 3"), (FindRequest{Kind::Node, 3}));
    EXPECT_EQ(ParseFindText("n3"), (FindRequest{Kind::Node, 3}));
    EXPECT_EQ(ParseFindText("0"), std::nullopt);
    EXPECT_EQ(ParseFindText("street"), std::nullopt);
}

TEST_F(ToolsTest, FindSelectsTheCellOrNodeNamedAndCentresIt) {
    AddCells({{1500, 1500}, {2100, 1500}});
    f.Trigger("mnuNode");
    f.Click(1800, 2100);
    f.Trigger("mnuArrow");
    auto* find = f.window.findChild<QLineEdit*>("edtFind");
    ASSERT_NE(find, nullptr);
    const QPointF middle(f.canvas->viewport()->width() / 2.0, f.canvas->viewport()->height() / 2.0);
    struct Case {
        const char* text;
        SelectedKind kind;
        scene::Point centre;
    };
    for (const Case& c : {Case{"2", SelectedKind::Cell, {2100, 1500}},
                          Case{"n3", SelectedKind::Node, {1800, 2100}}}) {
        find->setText(c.text);
        QTest::keyClick(find, Qt::Key_Return);
        EXPECT_EQ(f.window.editor().selection().selectedKind, c.kind) << c.text;
        const QPointF at = f.canvas->pixelOf(c.centre);
        EXPECT_NEAR(at.x(), middle.x(), 20) << c.text;
        EXPECT_NEAR(at.y(), middle.y(), 20) << c.text;
    }
    EXPECT_FALSE(f.window.FindOnMap("99"));
}

TEST_F(ToolsTest, TheToolBarHoldsTheToolsAndEachToolHasAKey) {
    const auto* bar = f.window.findChild<QToolBar*>("tbrTools");
    ASSERT_NE(bar, nullptr);
    for (const char* name : {"mnuArrow", "mnuCell", "mnuLink", "mnuNode", "mnuZoomIn", "mnuCTM"}) {
        EXPECT_TRUE(bar->actions().contains(f.Action(name))) << name;
    }
    const std::pair<const char*, const char*> keys[] = {
        {"mnuArrow", "A"}, {"mnuCell", "C"}, {"mnuLink", "L"}, {"mnuNode", "N"}};
    for (const auto& [name, key] : keys) {
        EXPECT_EQ(f.Action(name)->shortcut(), QKeySequence(key)) << name;
    }
}

}  // namespace
}  // namespace talvo::test
