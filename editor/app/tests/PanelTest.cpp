#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>

#include "WindowFixture.h"

namespace talvo::test {
namespace {

class PanelTest : public ::testing::Test {
  protected:
    PanelTest() {
        panel = f.window.findChild<QWidget*>("frmConfiguration");
        f.UseTool("mnuCell");
        f.Click(1500, 1500);
        f.Click(2400, 1500);
        f.Click(1950, 2400);
        f.Trigger("mnuNode");
        f.Click(1950, 1500);
        f.Trigger("mnuArrow");
    }
    template <typename T>
    T* Field(const char* name) {
        T* w = panel->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    const CellRecord& Cell(int i) { return f.project().tables.cells[i]; }

    WindowFixture f;
    QWidget* panel = nullptr;
};

TEST_F(PanelTest, SpeedAcceptsItsRangeAndRestoresRefusedInput) {
    f.Click(1500, 1500);
    QLineEdit* speed = Field<QLineEdit>("txtSpeed");
    Type(speed, "200");
    EXPECT_EQ(Cell(0).speed, 200);
    Type(speed, "201");
    EXPECT_EQ(f.prompter.Last(), "The allowable cell speed must be between 1 to 200 Km/H.");
    EXPECT_EQ(speed->text(), "200");
    EXPECT_EQ(Cell(0).speed, 200);
    Type(speed, "0");
    EXPECT_EQ(f.prompter.cautions.size(), 2u);
    Type(speed, "1");
    EXPECT_EQ(Cell(0).speed, 1);
    speed->setText("1.");
    EXPECT_EQ(f.prompter.Last(), "You cannot enter a decimal number in this field.");
    EXPECT_EQ(speed->text(), "1");
}

TEST_F(PanelTest, RealFieldsCheckTheirRangesAndShowTwoDecimals) {
    f.Click(1500, 1500);
    QLineEdit* capacity = Field<QLineEdit>("txtCapacity");
    EXPECT_EQ(capacity->text(), "1.00");
    capacity->setText("-1");
    EXPECT_EQ(f.prompter.Last(), "You must enter a positive number in this field.");
    EXPECT_EQ(capacity->text(), "1.00");
    Type(capacity, ".5");
    EXPECT_DOUBLE_EQ(Cell(0).capacity, 0.5);
    Type(capacity, "1.5");
    EXPECT_EQ(f.prompter.Last(), "The capacity must be between 0 to 1.");
    EXPECT_EQ(capacity->text(), "0.50");
    QLineEdit* factor = Field<QLineEdit>("txtSpeedDeduction");
    Type(factor, "2");
    EXPECT_EQ(f.prompter.Last(), "The speed deduction must be between 0 to 1.");
    Type(factor, "0.8");
    EXPECT_DOUBLE_EQ(Cell(0).capacityFactor, 0.8);
    factor->setText("abc");
    EXPECT_EQ(f.prompter.Last(), "You must enter a number in this field.");
    EXPECT_EQ(factor->text(), "0.80");
}

TEST_F(PanelTest, OccupancyOrientationLanesAndDummy) {
    f.Click(1500, 1500);
    QCheckBox* own = Field<QCheckBox>("chkInitialCellOccupancy");
    QLineEdit* cars = Field<QLineEdit>("txtInitialCarNum");
    EXPECT_FALSE(cars->isEnabled());
    own->setChecked(true);
    EXPECT_TRUE(Cell(0).ownOccupancy);
    EXPECT_TRUE(cars->isEnabled());
    Type(cars, "40");
    EXPECT_EQ(Cell(0).initialCarNum, 40);
    Type(cars, "101");
    EXPECT_EQ(f.prompter.Last(), "You must enter a number between 0 and 100 in this field.");
    EXPECT_EQ(cars->text(), "40");
    Field<QComboBox>("cmbOrientation")->setCurrentIndex(1);
    EXPECT_EQ(Cell(0).orientation, 2);
    Field<QSpinBox>("udcLaneNumber")->setValue(3);
    EXPECT_EQ(Cell(0).laneNum, 3);
    EXPECT_EQ(Field<QLineEdit>("txtLaneNumber")->text(), "3");
    Field<QCheckBox>("chkDummy")->setChecked(true);
    EXPECT_TRUE(Cell(0).isDummy);
}

TEST_F(PanelTest, SignalIdsStayUniqueAndUncheckingFreesThem) {
    f.Click(1500, 1500);
    QCheckBox* signal = Field<QCheckBox>("chkSignal");
    QComboBox* ids = Field<QComboBox>("cmbSignalID");
    signal->setChecked(true);
    EXPECT_TRUE(ids->isEnabled());
    ASSERT_EQ(ids->count(), 100);
    EXPECT_EQ(ids->itemText(6), "007");
    ids->setCurrentIndex(6);
    EXPECT_EQ(Cell(0).signalID, 7);
    EXPECT_EQ(f.project().tables.signalOwner[7], 1);

    f.Click(2400, 1500);
    signal->setChecked(true);
    EXPECT_EQ(ids->count(), 99);
    EXPECT_EQ(ids->findText("007"), -1);

    // Back on the first cell: its own ID is offered and selected; unchecking frees it.
    f.Click(1500, 1500);
    EXPECT_TRUE(signal->isChecked());
    EXPECT_EQ(ids->currentText(), "007");
    signal->setChecked(false);
    EXPECT_EQ(Cell(0).signalID, 0);
    EXPECT_EQ(f.project().tables.signalOwner[7], 0);
}

TEST_F(PanelTest, LinkPassIntersectionAndMergeDivert) {
    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    f.Click(2400, 1500);
    f.Trigger("mnuArrow");
    f.Click(1500, 1500);
    Field<QCheckBox>("chkSignal")->setChecked(true);
    Field<QComboBox>("cmbSignalID")->setCurrentIndex(0);
    ASSERT_EQ(Cell(0).signalID, 1);

    f.Click(1700, 1500);
    ASSERT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Link);
    QComboBox* pass = Field<QComboBox>("cmbPassIntersection");
    ASSERT_EQ(pass->count(), 2);
    EXPECT_EQ(pass->itemText(1), "4");
    pass->setCurrentIndex(1);
    EXPECT_EQ(f.project().tables.links[0].passNode, 4);
    QLineEdit* merge = Field<QLineEdit>("txtMergeDivert");
    EXPECT_EQ(merge->text(), "1.00");
    Type(merge, "1.2");
    EXPECT_EQ(f.prompter.Last(), "The Merge/Divert proportion must be between 0 to 1.");
    EXPECT_EQ(merge->text(), "1.00");
    Type(merge, "0.6");
    EXPECT_DOUBLE_EQ(f.project().tables.links[0].mergeDivert, 0.6);

    // The node runs the movement: the link may not leave it now.
    f.Click(1950, 1500);
    ASSERT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Node);
    QListWidget* available = Field<QListWidget>("lstAvailable");
    ASSERT_EQ(available->count(), 1);
    available->setCurrentRow(0);
    Field<QPushButton>("cmdRightArrow")->click();
    ASSERT_EQ(f.project().tables.nodes[0].stages[0].stageMoves, std::vector<int>{1});

    f.Click(1650, 1500);
    ASSERT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Link);
    pass->setCurrentIndex(0);
    EXPECT_EQ(f.prompter.Last(),
              "Node 4 has used the signal at cell 1.  You have to remove the signal from the "
              "node first.");
    EXPECT_EQ(f.project().tables.links[0].passNode, 4);
    EXPECT_EQ(pass->currentText(), "4");
}

TEST_F(PanelTest, NodeStagesAndMovements) {
    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    f.Click(2400, 1500);
    f.Trigger("mnuArrow");
    f.Click(1500, 1500);
    Field<QCheckBox>("chkSignal")->setChecked(true);
    Field<QComboBox>("cmbSignalID")->setCurrentIndex(11);  // movement 12
    f.Click(1700, 1500);
    Field<QComboBox>("cmbPassIntersection")->setCurrentIndex(1);

    f.Click(1950, 1500);
    const NodeRecord& node = f.project().tables.nodes[0];
    QSpinBox* stages = Field<QSpinBox>("udcPhaseNum");
    QComboBox* current = Field<QComboBox>("cmbCurrentPhase");
    QListWidget* available = Field<QListWidget>("lstAvailable");
    QListWidget* running = Field<QListWidget>("lstCurrent");
    Field<QPushButton>("cmdDeletePhase")->click();
    EXPECT_EQ(f.prompter.Last(),
              "You can't delete this phase.  Each node must have at least one phase.");
    stages->setValue(3);
    EXPECT_EQ(node.stageNum, 3);
    ASSERT_EQ(current->count(), 3);
    EXPECT_EQ(current->itemText(2), "03");
    EXPECT_EQ(Field<QLineEdit>("txtPhaseNum")->text(), "3");

    Field<QPushButton>("cmdRightArrow")->click();
    EXPECT_EQ(f.prompter.Last(), "You must select an item from the left list.");
    Field<QPushButton>("cmdLeftArrow")->click();
    EXPECT_EQ(f.prompter.Last(), "You must select an item from the right list.");

    current->setCurrentIndex(1);
    ASSERT_EQ(available->count(), 1);
    EXPECT_EQ(available->item(0)->text(), "012");
    available->setCurrentRow(0);
    EXPECT_EQ(f.window.editor().selection().highlightedMovement, 12);
    Field<QPushButton>("cmdRightArrow")->click();
    EXPECT_EQ(node.stages[1].stageMoves, std::vector<int>{12});
    EXPECT_EQ(running->count(), 1);
    EXPECT_EQ(available->count(), 0);

    QLineEdit* time = Field<QLineEdit>("txtPhaseInterval");
    Type(time, "25");
    EXPECT_EQ(node.stages[1].stageTime, 25);
    Field<QCheckBox>("chkPhaseOptimization")->setChecked(true);
    EXPECT_TRUE(node.stages[1].stageOptimize);
    time->setText("25.");
    EXPECT_EQ(f.prompter.Last(), "You cannot enter a decimal number in this field.");
    EXPECT_EQ(time->text(), "25");
    Type(Field<QLineEdit>("txtPhaseOffset"), "7");
    EXPECT_EQ(node.offset, 7);
    Field<QLineEdit>("txtPhaseOffset")->setText("-7");
    EXPECT_EQ(f.prompter.Last(), "You must enter a positive number in this field.");
    EXPECT_EQ(Field<QLineEdit>("txtPhaseOffset")->text(), "7");
    EXPECT_EQ(node.offset, 7);

    // Deleting the first stage moves the second down with its time, flag and movements.
    current->setCurrentIndex(0);
    Field<QPushButton>("cmdDeletePhase")->click();
    EXPECT_EQ(node.stageNum, 2);
    EXPECT_EQ(node.stages[0].stageTime, 25);
    EXPECT_TRUE(node.stages[0].stageOptimize);
    EXPECT_EQ(node.stages[0].stageMoves, std::vector<int>{12});
    EXPECT_EQ(current->count(), 2);
    EXPECT_EQ(running->count(), 1);

    running->setCurrentRow(0);
    Field<QPushButton>("cmdLeftArrow")->click();
    EXPECT_TRUE(node.stages[0].stageMoves.empty());
    EXPECT_EQ(available->count(), 1);

    // A full stage takes no more.
    for (int k = 0; k < Capacity::kStageMoves; ++k) {
        ASSERT_TRUE(f.window.model().AddStageMove(node.nodeID, 0, 50).ok());
    }
    available->setCurrentRow(0);
    Field<QPushButton>("cmdRightArrow")->click();
    EXPECT_EQ(f.prompter.Last(), "You can't have more than " +
                                     std::to_string(Capacity::kStageMoves) +
                                     " green signals in the same phase.");
    EXPECT_EQ(node.stages[0].stageMoveNum(), Capacity::kStageMoves);
}

TEST_F(PanelTest, OriginDialogFromThePanel) {
    f.Click(1500, 1500);
    f.window.runDialog = [](QDialog& d) {
        d.findChild<QSpinBox*>("udcTotalORInterval")->setValue(1);
        Type(d.findChild<QLineEdit*>("txtVehiclePerHr"), "600");
        Type(d.findChild<QLineEdit*>("txtEnd"), "900");
        d.findChild<QPushButton*>("cmdOK")->click();
        return d.result();
    };
    Field<QPushButton>("cmdORProp")->click();
    ASSERT_EQ(Cell(0).orIntervalNum(), 1);
    EXPECT_EQ(Cell(0).intervals[0].orVehPerHr, 600);
    EXPECT_EQ(Cell(0).intervals[0].orStart, 0);
    EXPECT_EQ(Cell(0).intervals[0].orEnd, 900);
}

TEST_F(PanelTest, ToolChangeClearsAndDisablesThePanel) {
    f.Click(1500, 1500);
    EXPECT_EQ(Field<QLineEdit>("txtSpeed")->text(), "65");
    f.Trigger("mnuNode");
    EXPECT_EQ(Field<QLineEdit>("txtSpeed")->text(), "");
    EXPECT_FALSE(Field<QLineEdit>("txtSpeed")->isEnabled());
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

TEST(PanelFromFile, ShowsTheStoredValuesOfACell) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(std::string(TALVO_APP_TEST_DATA) + "/two_intervals.tin",
                                         ProjectLayout::Current));
    // Cell 4 at (1650, 10000): scroll it into view first.
    auto* bar = f.window.findChild<QScrollBar*>("vsbMap");
    bar->setValue(bar->maximum());
    f.Click(1650, 10000);
    ASSERT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Cell);
    auto* panel = f.window.findChild<QWidget*>("frmConfiguration");
    QLineEdit* speed = panel->findChild<QLineEdit*>("txtSpeed");
    EXPECT_EQ(speed->text(), "42.5");
    EXPECT_EQ(panel->findChild<QLineEdit*>("txtInitialCarNum")->text(), "100");
    EXPECT_TRUE(panel->findChild<QLineEdit*>("txtInitialCarNum")->isEnabled());
    EXPECT_EQ(panel->findChild<QLineEdit*>("txtSpeedDeduction")->text(), "0.85");
    EXPECT_EQ(panel->findChild<QLineEdit*>("txtCapacity")->text(), "0.90");
    EXPECT_EQ(panel->findChild<QLineEdit*>("txtLaneNumber")->text(), "3");
    Type(speed, "300");
    EXPECT_EQ(speed->text(), "42.5");
    EXPECT_EQ(f.project().tables.cells[3].speed, 42.5);
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

// With every movement ID owned by another cell there is nothing to offer.
TEST_F(PanelTest, ASignalWhenAllHundredAreTakenIsRefused) {
    EditorModel& model = f.window.model();
    for (int k = 1; k <= 100; ++k) {
        ASSERT_TRUE(model.AddCell(3000.0 + 10 * k, 6000.0));
        ASSERT_TRUE(model.SetCellSignal(model.tables().cells.back().cellID, k));
    }
    f.Click(1500, 1500);
    ASSERT_EQ(f.window.editor().selection().selectedID, Cell(0).cellID);
    Field<QCheckBox>("chkSignal")->setChecked(true);
    EXPECT_EQ(f.prompter.Last(), "All 100 signals have been used up.");
    EXPECT_EQ(Field<QComboBox>("cmbSignalID")->count(), 0);
    EXPECT_EQ(Cell(0).signalID, 0);
    // A cell that holds one is still offered its own.
    f.Click(3010, 6000);
    ASSERT_EQ(f.window.editor().selection().selectedID, Cell(3).cellID);
    QComboBox* ids = Field<QComboBox>("cmbSignalID");
    ASSERT_EQ(ids->count(), 1);
    EXPECT_EQ(ids->currentText(), "001");
}

}  // namespace
}  // namespace talvo::test
