#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>

#include "CellDialog.h"
#include "GlobalDialog.h"
#include "ORPropDialog.h"
#include "OptimizationDialog.h"
#include "TestSupport.h"
#include "UiTestSupport.h"

namespace talvo::test {
namespace {

template <typename T>
T* Child(QWidget& dialog, const char* name) {
    T* w = dialog.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void ClickOk(QDialog& dialog) {
    dialog.findChild<QPushButton*>("cmdOK")->click();
}

TEST(GlobalDialog, LoadsTheParameters) {
    RecordingPrompter prompter;
    GlobalParameters params;
    GlobalDialog dialog(params, prompter);
    EXPECT_EQ(dialog.windowTitle(), "Global Parameter Setting");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtWVRatio")->text(), "0.25");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtJamDensity")->text(), "125");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtSaturationFlow")->text(), "1800");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtEndSimulationStep")->text(), "1000");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtCellScaleX")->text(), "1.5");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtCellScaleY")->text(), "100");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "chkSimulation")->isChecked());
    EXPECT_FALSE(Child<QPushButton>(dialog, "cmdOptimization")->isEnabled());
    Child<QRadioButton>(dialog, "chkOptimization")->setChecked(true);
    EXPECT_TRUE(Child<QPushButton>(dialog, "cmdOptimization")->isEnabled());
}

// Table of refused entries: field, text, message, the text put back.
struct Refusal {
    const char* field;
    const char* text;
    const char* message;
    const char* restored;
};

void PrintTo(const Refusal& r, std::ostream* out) {
    *out << r.field << " \"" << r.text << "\"";
}

class GlobalRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(GlobalRefusals, ShowTheMessageAndRestoreTheModelValue) {
    const Refusal& r = GetParam();
    RecordingPrompter prompter;
    GlobalParameters params;
    GlobalDialog dialog(params, prompter);
    QLineEdit* edit = Child<QLineEdit>(dialog, r.field);
    Type(edit, r.text);
    ASSERT_EQ(prompter.cautions.size(), 1u);
    EXPECT_EQ(prompter.cautions[0], r.message);
    EXPECT_EQ(edit->text(), r.restored);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GlobalRefusals,
    ::testing::Values(
        Refusal{"txtJamDensity", "0.5", "You cannot enter a decimal number in this field.", "125"},
        Refusal{"txtJamDensity", "40000", "You must enter a number in this field.", "125"},
        Refusal{"txtTimeStep", "-1", "You must enter a positive number in this field.", "1"},
        Refusal{"txtWVRatio", "-1", "You must enter a positive number in this field.", "0.25"},
        Refusal{"txtWVRatio", "abc", "You must enter a number in this field.", "0.25"},
        Refusal{"txtWVRatio", "1.5", "The W/V Ratio must be between 0 to 1.", "0.25"},
        Refusal{"txtInitialCellOccupancy", "101",
                "You must enter a number between 0 and 100 in this field.", "0"},
        Refusal{"txtCellScaleY", "x", "You must enter a number in this field.", "100.00"}));

TEST(GlobalDialog, OkStoresAcceptedAndBlankFieldsCancelStoresNothing) {
    RecordingPrompter prompter;
    GlobalParameters params;
    {
        GlobalDialog dialog(params, prompter);
        Child<QLineEdit>(dialog, "txtWVRatio")->setText(".5");
        Child<QLineEdit>(dialog, "txtJamDensity")->setText("");
        Child<QLineEdit>(dialog, "txtEndStep")->setText("900");
        EXPECT_EQ(params.wvRatio, 0.25);  // nothing reaches the model before OK
        dialog.findChild<QPushButton*>("cmdCancel")->click();
    }
    EXPECT_EQ(params.endStep, 1000);
    GlobalDialog dialog(params, prompter);
    Child<QLineEdit>(dialog, "txtWVRatio")->setText(".5");
    Child<QLineEdit>(dialog, "txtJamDensity")->setText("");
    Child<QLineEdit>(dialog, "txtEndStep")->setText("900");
    Child<QRadioButton>(dialog, "chkOptimization")->setChecked(true);
    ClickOk(dialog);
    EXPECT_TRUE(prompter.cautions.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.ApplyTo(params);
    EXPECT_DOUBLE_EQ(params.wvRatio, 0.5);
    EXPECT_EQ(params.jamDensity, 0);
    EXPECT_EQ(params.endStep, 900);
    EXPECT_TRUE(params.optimizationOn);
}

TEST(OptimizationDialog, LoadsChecksAndStores) {
    RecordingPrompter prompter;
    GlobalParameters params;
    params.controlStrategy = 2;
    OptimizationDialog dialog(params, prompter);
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtMutationRate")->text(), "0.50");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtVolMultiplier")->text(), "1.00");
    EXPECT_TRUE(Child<QRadioButton>(dialog, "optVGFC")->isChecked());
    Type(Child<QLineEdit>(dialog, "txtMutationRate"), "1.1");
    EXPECT_EQ(prompter.Last(), "The Mutation Rate must be between 0 to 1.");
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtMutationRate")->text(), "0.50");
    Child<QLineEdit>(dialog, "txtPopulationSize")->setText("60");
    Child<QLineEdit>(dialog, "txtVolMultiplier")->setText("1.2");
    Child<QCheckBox>(dialog, "chkAdaptWebster")->setChecked(true);
    Child<QRadioButton>(dialog, "optVGVC")->setChecked(true);
    ClickOk(dialog);
    dialog.ApplyTo(params);
    EXPECT_EQ(params.populationSize, 60);
    EXPECT_DOUBLE_EQ(params.volMultiplier, 1.2);
    EXPECT_TRUE(params.adaptWebster);
    EXPECT_FALSE(params.initialSeed);
    EXPECT_EQ(params.controlStrategy, 3);
}

TEST(ORPropDialog, TimesStayInsideTheDelayPeriod) {
    RecordingPrompter prompter;
    GlobalParameters params;
    params.startStep = 100;
    params.endStep = 900;
    CellRecord cell;
    ORPropDialog dialog(cell, params, prompter);
    EXPECT_FALSE(Child<QLineEdit>(dialog, "txtStart")->isEnabled());
    Child<QSpinBox>(dialog, "udcTotalORInterval")->setValue(2);
    QComboBox* number = Child<QComboBox>(dialog, "cmbIntervalNo");
    ASSERT_EQ(number->count(), 2);
    EXPECT_EQ(number->itemText(1), "02");
    EXPECT_EQ(number->currentIndex(), 1);
    QLineEdit* start = Child<QLineEdit>(dialog, "txtStart");
    QLineEdit* end = Child<QLineEdit>(dialog, "txtEnd");
    Type(start, "99");
    EXPECT_EQ(prompter.Last(), "Start time cannot be less than start step.");
    Type(start, "901");
    EXPECT_EQ(prompter.Last(), "Start time cannot be greater than end step.");
    Type(end, "99");
    EXPECT_EQ(prompter.Last(), "End time cannot be less than start step.");
    Type(end, "901");
    EXPECT_EQ(prompter.Last(), "End time cannot be greater than end step.");
    EXPECT_EQ(end->text(), "0");
    start->setText("900");
    end->setText("899");
    Child<QLineEdit>(dialog, "txtVehiclePerHr")->setText("450");
    number->setCurrentIndex(0);
    start->setText("100");
    end->setText("100");
    const std::size_t before = prompter.cautions.size();
    ClickOk(dialog);
    ASSERT_EQ(prompter.cautions.size(), before + 1);
    EXPECT_EQ(prompter.Last(), "Interval #2 has start-time later than end-time.");
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    number->setCurrentIndex(1);
    end->setText("900");
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const std::vector<OriginInterval> expected = {{0, 100, 100}, {450, 900, 900}};
    EXPECT_EQ(dialog.intervals(), expected);
}

TEST(ORPropDialog, LoweringTheTotalDropsTheLastInterval) {
    RecordingPrompter prompter;
    GlobalParameters params;
    CellRecord cell;
    cell.intervals = {{100, 0, 10}, {200, 10, 20}};
    ORPropDialog dialog(cell, params, prompter);
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtVehiclePerHr")->text(), "100");
    Child<QSpinBox>(dialog, "udcTotalORInterval")->setValue(1);
    EXPECT_EQ(Child<QComboBox>(dialog, "cmbIntervalNo")->count(), 1);
    EXPECT_EQ(Child<QLineEdit>(dialog, "txtTotalORInterval")->text(), "1");
    ClickOk(dialog);
    ASSERT_EQ(dialog.intervals().size(), 1u);
    EXPECT_EQ(dialog.intervals()[0].orVehPerHr, 100);
}

TEST(CellDialog, SpeedBoundsAndDefaults) {
    RecordingPrompter prompter;
    CellDialog dialog(prompter);
    QLineEdit* speed = Child<QLineEdit>(dialog, "txtSpeed");
    EXPECT_EQ(speed->text(), "65");
    EXPECT_EQ(Child<QComboBox>(dialog, "cmbOrientation")->currentText(), "Horizontal");
    Type(speed, "201");
    EXPECT_EQ(prompter.Last(), "The allowable cell speed must be between 1 to 200 Km/H.");
    EXPECT_EQ(speed->text(), "65");
    Type(speed, "0");
    EXPECT_EQ(prompter.cautions.size(), 2u);
    Type(speed, "200");
    EXPECT_EQ(prompter.cautions.size(), 2u);
    Child<QSpinBox>(dialog, "udcLaneNumber")->setValue(3);
    Child<QComboBox>(dialog, "cmbOrientation")->setCurrentIndex(1);
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.defaults().speed, 200);
    EXPECT_EQ(dialog.defaults().laneNum, 3);
    EXPECT_EQ(dialog.defaults().orientation, 2);
}

}  // namespace
}  // namespace talvo::test
