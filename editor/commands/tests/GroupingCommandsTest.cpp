// The grouping commands through the main window's menus: "&Add" from the multi-selection and
// the three group setting dialogs, answered by the test.
#include <gtest/gtest.h>

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "CommandFixture.h"
#include "printing/DrawMapForPrint.h"

namespace talvo {
namespace {

using test::CommandFixture;

QStringList Items(const QDialog& dialog, const char* name) {
    QStringList items;
    const auto* list = dialog.findChild<QListWidget*>(name);
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

QStringList ChooserItems(const QDialog& dialog, const char* name) {
    QStringList items;
    const auto* box = dialog.findChild<QComboBox*>(name);
    for (int i = 0; box != nullptr && i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

void Pick(QDialog& dialog, const char* list, const QString& text) {
    auto* widget = dialog.findChild<QListWidget*>(list);
    const auto found = widget->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    widget->setCurrentItem(found[0]);
}

void Click(QDialog& dialog, const char* button) {
    auto* widget = dialog.findChild<QPushButton*>(button);
    ASSERT_NE(widget, nullptr) << button;
    widget->click();
}

// Adds count cells in a row; returns nothing, the cells get IDs 1..count.
void AddCells(CommandFixture& f, int count) {
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(f.window.model().AddCell(300 + 60 * (i % 200), 600 + 400 * (i / 200)).ok());
    }
}

class GroupingCommands : public ::testing::Test {
  protected:
    CommandFixture f;
};

TEST_F(GroupingCommands, AddStreetTakesTheSelectionAsksTheNameAndCanBeUndone) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.EditGroups([](NetworkTables& t) { t.streets.clear(); });
    f.Select({3, 1, 2});
    QString dialogName;
    f.answerDialog = [&](QDialog& dialog) {
        dialogName = dialog.objectName();
        EXPECT_EQ(dialog.windowTitle(), "Street Name Setting");
        auto* name = dialog.findChild<QLineEdit*>("txtStreetName");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "");
        name->setText("Ring Rd");
        Click(dialog, "OKButton");
    };
    f.Trigger("mnuAddStreet");
    EXPECT_EQ(dialogName, "dlgStreetName");
    EXPECT_TRUE(f.prompter.cautions.empty());
    ASSERT_EQ(f.tables().streets.size(), 1u);
    const StreetRecord& street = f.tables().streets[0];
    EXPECT_EQ(street.cellIDs, (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(street.streetName, "Ring Rd");
    // The new label starts beside its cells, not in the map's corner.
    double left = 1e9;
    double top = 1e9;
    for (const CellRecord& cell : f.tables().cells) {
        if (cell.cellID <= 3) {
            left = std::min(left, cell.x);
            top = std::min(top, cell.y);
        }
    }
    EXPECT_DOUBLE_EQ(street.x, std::max(0.0, left - 250));
    EXPECT_DOUBLE_EQ(street.y, std::max(0.0, top - 250));

    f.Trigger("mnuUndo");
    EXPECT_TRUE(f.tables().streets.empty());
}

TEST_F(GroupingCommands, AddStreetWithACellOfStreetTwoListsItAndMakesNothing) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.Select({11, 1});  // street 2 and street 1
    f.Trigger("mnuAddStreet");
    EXPECT_EQ(f.prompter.cautions,
              std::vector<std::string>{
                  "Cell (2:11), (1:1),  has/have already assigned in other street(s)."});
    EXPECT_EQ(f.tables().streets.size(), 3u);
    EXPECT_EQ(f.dialogsShown, 0);
}

TEST_F(GroupingCommands, AddWithoutSelectionIsRefusedForEveryKind) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.Select({});
    f.Trigger("mnuAddStreet");
    f.Trigger("munSpecialCell");
    f.Trigger("mnuAddCTMPlot");
    EXPECT_EQ(f.prompter.cautions,
              (std::vector<std::string>{
                  "You must choose at least one cell for grouping special cell(s).",
                  "You must choose at least one cell for grouping special cell(s).",
                  "You must choose at least one cell for grouping CTM Plot cell(s)."}));
}

TEST_F(GroupingCommands, GroupLimitsAreRefused) {
    AddCells(f, 3);
    f.EditGroups([](NetworkTables& t) {
        t.streets.resize(Capacity::kStreets);
        t.delayGroups.resize(Capacity::kDelayGroups);
        t.plotGroups.resize(Capacity::kPlotGroups);
    });
    f.Select({1});
    f.Trigger("mnuAddStreet");
    f.Trigger("munSpecialCell");
    f.Trigger("mnuAddCTMPlot");
    const auto moreThan = [](int limit, const char* what) {
        return "You can't have more than " + std::to_string(limit) + what;
    };
    EXPECT_EQ(f.prompter.cautions,
              (std::vector<std::string>{moreThan(Capacity::kStreets, " streets."),
                                        moreThan(Capacity::kDelayGroups, " special roads."),
                                        moreThan(Capacity::kPlotGroups, " special roads.")}));
    EXPECT_EQ(f.tables().streets.size(), std::size_t{Capacity::kStreets});
    EXPECT_EQ(f.tables().delayGroups.size(), std::size_t{Capacity::kDelayGroups});
    EXPECT_EQ(f.tables().plotGroups.size(), std::size_t{Capacity::kPlotGroups});
}

TEST_F(GroupingCommands, DelayAndPlotGroupsTakeMoreThanFiftyCells) {
    AddCells(f, 51);
    std::vector<int> all(51);
    for (int i = 0; i < 51; ++i) {
        all[i] = i + 1;
    }
    f.Select(all);
    f.Trigger("munSpecialCell");
    f.Trigger("mnuAddCTMPlot");
    EXPECT_TRUE(f.prompter.cautions.empty()) << f.prompter.Last();
    ASSERT_EQ(f.tables().delayGroups.size(), 1u);
    EXPECT_EQ(f.tables().delayGroups[0].cellIDs.size(), 51u);
    ASSERT_EQ(f.tables().plotGroups.size(), 1u);
    EXPECT_EQ(f.tables().plotGroups[0].cellIDs.front(), 1);
}

TEST_F(GroupingCommands, StreetDialogShowsMovesRenamesAndDeletes) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.EditGroups([](NetworkTables& t) { t.streets[1].cellIDs = {10, 11}; });  // 12 in none
    f.answerDialog = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "dlgStreet");
        EXPECT_EQ(d.windowTitle(), "Street Name Group Setting");
        auto* count = d.findChild<QSpinBox*>("udcStreetNum");
        ASSERT_NE(count, nullptr);
        EXPECT_NE(d.findChild<QLineEdit*>("txtStreetNum"), nullptr);
        EXPECT_EQ(count->value(), 3);
        EXPECT_EQ(ChooserItems(d, "cmbCurrentStreet"), (QStringList{"01", "02", "03"}));
        EXPECT_EQ(Items(d, "lstAddedCell"),
                  (QStringList{"0001", "0002", "0003", "0004", "0005", "0006", "0007"}));
        EXPECT_TRUE(Items(d, "lstAvailableCell").isEmpty());
        auto* name = d.findChild<QLineEdit*>("txtStreetName");
        EXPECT_EQ(name->text(), "Main St");

        d.findChild<QComboBox*>("cmbCurrentStreet")->setCurrentIndex(1);
        EXPECT_EQ(name->text(), "North Ave");
        EXPECT_EQ(Items(d, "lstAddedCell"), (QStringList{"0010", "0011"}));
        EXPECT_EQ(Items(d, "lstAvailableCell"), QStringList{"0012"});
        Click(d, "cmdRight");
        Pick(d, "lstAvailableCell", "0012");
        Click(d, "cmdRight");
        EXPECT_EQ(Items(d, "lstAddedCell"), (QStringList{"0010", "0011", "0012"}));
        Click(d, "cmdLeft");
        Pick(d, "lstAddedCell", "0010");
        Click(d, "cmdLeft");
        EXPECT_EQ(Items(d, "lstAddedCell"), (QStringList{"0011", "0012"}));
        EXPECT_EQ(Items(d, "lstAvailableCell"), QStringList{"0010"});
        QTest::keyClicks(name, " East");

        auto* countText = d.findChild<QLineEdit*>("txtStreetNum");
        countText->selectAll();
        QTest::keyClicks(countText, "1");
        EXPECT_EQ(ChooserItems(d, "cmbCurrentStreet").size(), 3);  // not yet: no Enter
        QTest::keyClicks(countText, "4");
        QTest::keyClick(countText, Qt::Key_Backspace);
        QTest::keyClick(countText, Qt::Key_Backspace);
        QTest::keyClicks(countText, "4");
        QTest::keyClick(countText, Qt::Key_Return);
        EXPECT_EQ(ChooserItems(d, "cmbCurrentStreet"), (QStringList{"01", "02", "03", "04"}));
        d.findChild<QComboBox*>("cmbCurrentStreet")->setCurrentIndex(3);
        EXPECT_TRUE(Items(d, "lstAddedCell").isEmpty());
        EXPECT_EQ(Items(d, "lstAvailableCell"), QStringList{"0010"});  // every ungrouped cell

        d.findChild<QComboBox*>("cmbCurrentStreet")->setCurrentIndex(0);
        Click(d, "cmdDeleteStreet");
        EXPECT_EQ(count->value(), 3);
        EXPECT_EQ(ChooserItems(d, "cmbCurrentStreet"), (QStringList{"01", "02", "03"}));
        EXPECT_EQ(name->text(), "North Ave East");

        count->setValue(0);
        Click(d, "cmdRight");
        Click(d, "cmdLeft");
        Click(d, "cmdDeleteStreet");
        count->setValue(2);
        Click(d, "cmdConfirm");
    };
    f.Trigger("mnuStreet");
    EXPECT_EQ(f.dialogsShown, 1);
    EXPECT_EQ(
        f.prompter.cautions,
        (std::vector<std::string>{"You haven't selected a cell from the left list.",
                                  "You must select a cell from the right list for deletion.",
                                  "There is no street selected.", "There is no street selected.",
                                  "There is no street selected."}));
    // Lowering the count to 0 removed every street; raising it again gave empty ones.
    ASSERT_EQ(f.tables().streets.size(), 2u);
    EXPECT_TRUE(f.tables().streets[0].cellIDs.empty());
    EXPECT_EQ(f.tables().streets[0].streetName, "");
}

TEST_F(GroupingCommands, StreetDialogKeepsTheRenamedAndMovedCells) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.answerDialog = [&](QDialog& d) {
        auto* name = d.findChild<QLineEdit*>("txtStreetName");
        name->selectAll();
        QTest::keyClicks(name, "High St");
        Pick(d, "lstAddedCell", "0007");
        Click(d, "cmdLeft");
        Click(d, "cmdConfirm");
    };
    f.Trigger("mnuStreet");
    EXPECT_EQ(f.tables().streets[0].streetName, "High St");
    EXPECT_EQ(f.tables().streets[0].cellIDs, (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

TEST_F(GroupingCommands, AStreetTakesATwoHundredAndFirstCell) {
    AddCells(f, 201);
    std::vector<int> first200(200);
    for (int i = 0; i < 200; ++i) {
        first200[i] = i + 1;
    }
    f.EditGroups([&](NetworkTables& t) { t.streets.push_back({"Long Rd", 0, 0, first200}); });
    ASSERT_TRUE(f.window.model().AddLink(200, 201).ok());
    f.answerDialog = [&](QDialog& d) {
        EXPECT_EQ(Items(d, "lstAvailableCell"), QStringList{"0201"});
        Pick(d, "lstAvailableCell", "0201");
        Click(d, "cmdRight");
        Click(d, "cmdConfirm");
    };
    f.Trigger("mnuStreet");
    EXPECT_TRUE(f.prompter.cautions.empty()) << f.prompter.Last();
    EXPECT_EQ(f.tables().streets[0].cellIDs.size(), 201u);
}

TEST_F(GroupingCommands, DelayDialogHasItsOwnNamesAndMessages) {
    AddCells(f, 52);
    std::vector<int> ids(50);
    for (int i = 0; i < 50; ++i) {
        ids[i] = i + 1;
    }
    f.EditGroups([&](NetworkTables& t) { t.delayGroups.push_back(DelayGroup{ids}); });
    ASSERT_TRUE(f.window.model().AddLink(51, 50).ok());
    f.answerDialog = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "dlgSpecialRoad");
        EXPECT_EQ(d.windowTitle(), "Delay Result Group Setting");
        EXPECT_NE(d.findChild<QSpinBox*>("udcSpecialRoadNum"), nullptr);
        EXPECT_NE(d.findChild<QLineEdit*>("txtSpecialRoadNum"), nullptr);
        EXPECT_EQ(ChooserItems(d, "cmbCurrentRoad"), QStringList{"01"});
        EXPECT_EQ(d.findChild<QPushButton*>("cmdDeleteRoad")->text(), "&Delete Current Road");
        EXPECT_EQ(Items(d, "lstSpecialRoadLink").size(), 50);
        EXPECT_EQ(Items(d, "lstAvailableLink"), QStringList{"0051"});
        Pick(d, "lstAvailableLink", "0051");
        Click(d, "cmdRight");
        Click(d, "cmdDeleteRoad");
        Click(d, "cmdDeleteRoad");
        Click(d, "cmdConfirm");
    };
    f.Trigger("mnuRoadAttention");
    EXPECT_EQ(f.prompter.cautions, std::vector<std::string>{"There is no special road selected."});
    EXPECT_TRUE(f.tables().delayGroups.empty());
}

TEST_F(GroupingCommands, PlotDialogSetsTheFlagAndStepsAndRefusesBadSteps) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    ASSERT_EQ(f.tables().plotGroups.size(), 1u);
    f.answerDialog = [&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "dlgCTMPlot");
        EXPECT_EQ(d.windowTitle(), "CTM Plot Group Setting");
        EXPECT_EQ(d.findChild<QPushButton*>("cmdDeleteRoad")->text(), "&Delete Current Plot");
        auto* flag = d.findChild<QCheckBox*>("chkOccupancyPlot");
        auto* start = d.findChild<QLineEdit*>("txtStart");
        auto* end = d.findChild<QLineEdit*>("txtEnd");
        auto* startLabel = d.findChild<QLabel*>("lblStart");
        ASSERT_TRUE(flag && start && end && startLabel);
        EXPECT_EQ(flag->text(), "Plot Required?");
        EXPECT_TRUE(flag->isChecked());
        EXPECT_TRUE(start->isEnabled());
        EXPECT_EQ(start->text(), "0");
        EXPECT_EQ(end->text(), "600");

        flag->setChecked(false);
        EXPECT_FALSE(start->isEnabled());
        EXPECT_FALSE(end->isEnabled());
        EXPECT_FALSE(startLabel->isEnabled());
        flag->setChecked(true);
        EXPECT_TRUE(end->isEnabled());

        end->setFocus();
        end->end(false);
        QTest::keyClicks(end, "5");
        QTest::keyClick(end, Qt::Key_Return);
        QTest::keyClicks(end, ".");
        EXPECT_EQ(end->text(), "6005");
        QTest::keyClicks(start, "x");
        EXPECT_EQ(start->text(), "0");
        start->clear();
        QTest::keyClicks(start, "30");
        // Nothing reaches the network before the dialog closes.
        EXPECT_EQ(f.tables().plotGroups[0].endStep, 600);
        Click(d, "cmdConfirm");
    };
    const int steps = f.window.model().history().count();
    f.Trigger("mnuCTMPlot");
    EXPECT_EQ(f.window.model().history().count(), steps + 1);
    EXPECT_EQ(f.prompter.cautions,
              (std::vector<std::string>{"You cannot enter a decimal number in this field.",
                                        "You must enter a number in this field."}));
    const PlotGroup& plot = f.tables().plotGroups[0];
    EXPECT_TRUE(plot.occupancyPlot);
    EXPECT_EQ(plot.startStep, 30);
    EXPECT_EQ(plot.endStep, 6005);
}

}  // namespace
}  // namespace talvo
