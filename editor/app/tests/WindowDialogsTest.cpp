// The parameter and colour dialogs as the main window opens them and takes their OK.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QRadioButton>

#include "WindowFixture.h"

namespace talvo::test {
namespace {

TEST(CellDialog, WindowTakesTheDefaultsAndSwitchesToTheCellTool) {
    WindowFixture f;
    f.window.runDialog = [](QDialog& d) {
        d.findChild<QLineEdit*>("txtSpeed")->setText("40");
        d.findChild<QComboBox*>("cmbOrientation")->setCurrentIndex(1);
        d.findChild<QPushButton*>("cmdOK")->click();
        return d.result();
    };
    f.Trigger("mnuCell");
    EXPECT_TRUE(f.Action("mnuCell")->isChecked());
    f.Click(3000, 3000);
    ASSERT_EQ(f.project().tables.cells.size(), 1u);
    EXPECT_EQ(f.project().tables.cells[0].speed, 40);
    EXPECT_EQ(f.project().tables.cells[0].orientation, 2);
    // Cancel keeps the tool as it was.
    f.window.runDialog = [](QDialog&) { return int(QDialog::Rejected); };
    f.Trigger("mnuNode");
    f.Trigger("mnuCell");
    EXPECT_TRUE(f.Action("mnuNode")->isChecked());
    EXPECT_FALSE(f.Action("mnuCell")->isChecked());
}

TEST(GlobalDialog, ClosingShowsTheNewOccupancyInThePanel) {
    WindowFixture f;
    f.UseTool("mnuCell");
    f.Click(3000, 3000);
    f.Trigger("mnuArrow");
    f.Click(3000, 3000);
    f.window.runDialog = [](QDialog& d) {
        d.findChild<QLineEdit*>("txtInitialCellOccupancy")->setText("30");
        d.findChild<QPushButton*>("cmdOK")->click();
        return d.result();
    };
    f.Trigger("mnuSimulationParameter");
    EXPECT_EQ(f.project().params.initialCellOccupancy, 30);
    auto* panel = f.window.findChild<QWidget*>("frmConfiguration");
    EXPECT_EQ(panel->findChild<QLineEdit*>("txtInitialCarNum")->text(), "30");
}

TEST(GlobalDialog, SettingButtonOpensTheOptimisationDialog) {
    WindowFixture f;
    std::vector<QString> opened;
    f.window.runDialog = [&opened](QDialog& d) {
        opened.push_back(d.objectName());
        if (d.objectName() == "dlgOptimization") {
            EXPECT_EQ(d.windowTitle(), "Optimization Parameters");
            d.findChild<QRadioButton*>("optVGVC")->setChecked(true);
            d.findChild<QLineEdit*>("txtGenerationNum")->setText("40");
        } else {
            d.findChild<QRadioButton*>("chkOptimization")->setChecked(true);
            d.findChild<QPushButton*>("cmdOptimization")->click();
        }
        d.findChild<QPushButton*>("cmdOK")->click();
        return d.result();
    };
    f.Trigger("mnuSimulationParameter");
    EXPECT_EQ(opened, (std::vector<QString>{"dlgGlobal", "dlgOptimization"}));
    EXPECT_TRUE(f.project().params.optimizationOn);
    EXPECT_EQ(f.project().params.controlStrategy, 3);
    EXPECT_EQ(f.project().params.generationNum, 40);
}

TEST(SetColorDialog, ChosenColoursReachConfTxtAndTheNextStart) {
    WindowFixture f;
    f.dialogs.colours = {Rgb(1, 2, 3), Rgb(200, 100, 50)};
    f.window.runDialog = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Color Scheme Setting");
        d.findChild<QPushButton*>("cmdCell")->click();
        d.findChild<QPushButton*>("cmdSelection")->click();
        d.findChild<QPushButton*>("cmdOK")->click();
        return d.result();
    };
    f.Trigger("mnuSetColor");
    EXPECT_EQ(f.window.colours().cell, Rgb(1, 2, 3));
    EXPECT_EQ(f.window.colours().selection, Rgb(200, 100, 50));
    QFile file(f.window.settingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("197121,16711680,51328,0,3302600\r\n"));
    file.close();

    RecordingPrompter prompter;
    ScriptedDialogs dialogs;
    MainWindow again(&prompter, &dialogs, f.dir.path());
    EXPECT_EQ(again.colours().cell, Rgb(1, 2, 3));
    ASSERT_TRUE(QFile::remove(f.window.settingsPath()));
    MainWindow fresh(&prompter, &dialogs, f.dir.path());
    EXPECT_EQ(fresh.colours(), ColourScheme{});
    EXPECT_FALSE(QFile::exists(f.window.settingsPath()));
}

TEST(SetColorDialog, CancelChangesNothing) {
    WindowFixture f;
    f.dialogs.colours = {Rgb(1, 2, 3)};
    f.window.runDialog = [](QDialog& d) {
        d.findChild<QPushButton*>("cmdCell")->click();
        d.findChild<QPushButton*>("cmdCancel")->click();
        return d.result();
    };
    f.Trigger("mnuSetColor");
    EXPECT_EQ(f.window.colours(), ColourScheme{});
    EXPECT_FALSE(QFile::exists(f.window.settingsPath()));
}

}  // namespace
}  // namespace talvo::test
