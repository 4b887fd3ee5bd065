// Every text box of the parameter dialogs: its caption, its refusals with the value that
// comes back, and the model value it stores on OK.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

#include "GlobalDialog.h"
#include "ORPropDialog.h"
#include "OptimizationDialog.h"
#include "TestSupport.h"
#include "UiTestSupport.h"

namespace talvo::test {
namespace {

QLineEdit* Edit(QWidget& dialog, const char* name) {
    QLineEdit* edit = dialog.findChild<QLineEdit*>(name);
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

bool HasLabel(QWidget& dialog, const QString& caption) {
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == caption) {
            return true;
        }
    }
    return false;
}

// One text box: its caption, a new accepted text and the value OK stores from it.
struct Field {
    const char* name;
    const char* caption;
    bool integer;
    const char* typed;
    double (*stored)(const GlobalParameters&);
    double expected;
};

void PrintTo(const Field& f, std::ostream* out) {
    *out << f.name;
}

const Field kGlobalFields[] = {
    {"txtWVRatio", "V/W Ratio:", false, "0.4", [](const GlobalParameters& p) { return p.wvRatio; },
     0.4},
    {"txtJamDensity", "Jam Density:", true, "140",
     [](const GlobalParameters& p) { return double(p.jamDensity); }, 140},
    {"txtSaturationFlow", "Saturation Flow:", true, "1900",
     [](const GlobalParameters& p) { return double(p.saturationFlow); }, 1900},
    {"txtInitialCellOccupancy", "Cell Initial Occupancy:", true, "100",
     [](const GlobalParameters& p) { return double(p.initialCellOccupancy); }, 100},
    {"txtTimeStep", "Time Step:", true, "2",
     [](const GlobalParameters& p) { return double(p.timeStep); }, 2},
    {"txtEndSimulationStep", "End Simulation Step:", true, "1500",
     [](const GlobalParameters& p) { return double(p.endSimulationStep); }, 1500},
    {"txtStartStep", "Start Step:", true, "60",
     [](const GlobalParameters& p) { return double(p.startStep); }, 60},
    {"txtEndStep", "End Step:", true, "1400",
     [](const GlobalParameters& p) { return double(p.endStep); }, 1400},
    {"txtPhaseCycle", "Simulated Cycles:", true, "25",
     [](const GlobalParameters& p) { return double(p.phaseCycle); }, 25},
    {"txtGlobalNetworkCycleTime", "Regional Network Cycle Time:", true, "90",
     [](const GlobalParameters& p) { return double(p.networkCycleTime); }, 90},
    {"txtCellScaleX", "Cell Scale", false, "2.5",
     [](const GlobalParameters& p) { return p.cellScaleX; }, 2.5},
    {"txtCellScaleY", "Cell Scale", false, ".75",
     [](const GlobalParameters& p) { return p.cellScaleY; }, 0.75},
};

const Field kOptimizationFields[] = {
    {"txtMaxCycleTime", "Max. Cycle Time:", true, "150",
     [](const GlobalParameters& p) { return double(p.maxCycleTime); }, 150},
    {"txtMinGreenTime", "Minimum Green Time:", true, "12",
     [](const GlobalParameters& p) { return double(p.minGreenTime); }, 12},
    {"txtLostTime", "Lost Time:", true, "3",
     [](const GlobalParameters& p) { return double(p.lostTime); }, 3},
    {"txtPopulationSize", "Population Size:", true, "80",
     [](const GlobalParameters& p) { return double(p.populationSize); }, 80},
    {"txtGenerationNum", "No. of Generation:", true, "30",
     [](const GlobalParameters& p) { return double(p.generationNum); }, 30},
    {"txtTerminationNum", "Terminate if not Improve:", true, "7",
     [](const GlobalParameters& p) { return double(p.terminationNum); }, 7},
    {"txtMutationRate", "Mutation Rate:", false, "1",
     [](const GlobalParameters& p) { return p.mutationRate; }, 1},
    {"txtFitnessIndex", "Fitness Power Index:", true, "3",
     [](const GlobalParameters& p) { return double(p.fitnessIndex); }, 3},
    {"txtVolMultiplier", "Volume Multiplier:", false, "1.25",
     [](const GlobalParameters& p) { return p.volMultiplier; }, 1.25},
};

// The text a refused entry brings back: the model value, reals with two decimals.
QString ModelText(const Field& f, const GlobalParameters& params) {
    const double value = f.stored(params);
    return f.integer ? QString::number(int(value)) : QString::number(value, 'f', 2);
}

template <typename Dialog>
void CheckField(const Field& f) {
    RecordingPrompter prompter;
    GlobalParameters params;
    params.initialCellOccupancy = 10;
    const GlobalParameters before = params;
    Dialog dialog(params, prompter);
    EXPECT_TRUE(HasLabel(dialog, f.caption)) << f.caption;
    QLineEdit* edit = Edit(dialog, f.name);

    // A negative number, text, and (for whole numbers) a decimal are refused; the
    // model's value comes back.
    const struct {
        const char* text;
        const char* message;
    } refusals[] = {
        {"-3", "You must enter a positive number in this field."},
        {"x1", "You must enter a number in this field."},
        {"2.5", "You cannot enter a decimal number in this field."},
    };
    for (const auto& r : refusals) {
        if (!f.integer && std::string(r.text) == "2.5") {
            continue;
        }
        const std::size_t count = prompter.cautions.size();
        edit->setText(r.text);
        ASSERT_EQ(prompter.cautions.size(), count + 1) << r.text;
        EXPECT_EQ(prompter.Last(), r.message) << r.text;
        EXPECT_EQ(edit->text(), ModelText(f, before)) << r.text;
    }

    const std::size_t count = prompter.cautions.size();
    edit->setText(f.typed);
    EXPECT_EQ(prompter.cautions.size(), count) << prompter.Last();
    EXPECT_EQ(edit->text(), f.typed);
    EXPECT_EQ(f.stored(params), f.stored(before));  // nothing stored before OK
    dialog.template findChild<QPushButton*>("cmdOK")->click();
    dialog.ApplyTo(params);
    EXPECT_DOUBLE_EQ(f.stored(params), f.expected);
}

class GlobalField : public ::testing::TestWithParam<Field> {};

TEST_P(GlobalField, RefusesRestoresAndStores) {
    CheckField<GlobalDialog>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Fields, GlobalField, ::testing::ValuesIn(kGlobalFields),
                         [](const auto& info) { return std::string(info.param.name); });

class OptimizationField : public ::testing::TestWithParam<Field> {};

TEST_P(OptimizationField, RefusesRestoresAndStores) {
    CheckField<OptimizationDialog>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Fields, OptimizationField, ::testing::ValuesIn(kOptimizationFields),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GlobalDialog, RangesIncludeTheirBounds) {
    RecordingPrompter prompter;
    GlobalParameters params;
    GlobalDialog dialog(params, prompter);
    Edit(dialog, "txtWVRatio")->setText("1");
    Edit(dialog, "txtWVRatio")->setText("0");
    Edit(dialog, "txtInitialCellOccupancy")->setText("0");
    Edit(dialog, "txtInitialCellOccupancy")->setText("100");
    EXPECT_TRUE(prompter.cautions.empty()) << prompter.Last();
    Type(Edit(dialog, "txtWVRatio"), "1.01");
    EXPECT_EQ(prompter.Last(), "The W/V Ratio must be between 0 to 1.");
    EXPECT_EQ(Edit(dialog, "txtWVRatio")->text(), "0.25");
}

TEST(OptimizationDialog, UnknownStrategySelectsNoneAndOkKeepsIt) {
    RecordingPrompter prompter;
    GlobalParameters params;
    params.controlStrategy = 0;  // as a file may hold
    OptimizationDialog dialog(params, prompter);
    for (const char* name : {"optFTP", "optVGFC", "optVGVC"}) {
        EXPECT_FALSE(dialog.findChild<QRadioButton*>(name)->isChecked()) << name;
    }
    EXPECT_EQ(dialog.findChild<QRadioButton*>("optFTP")->text(), "Fixed Green && Fixed Cycle");
    dialog.findChild<QPushButton*>("cmdOK")->click();
    dialog.ApplyTo(params);
    EXPECT_EQ(params.controlStrategy, 0);

    params.controlStrategy = 2;
    params.initialSeed = true;
    OptimizationDialog again(params, prompter);
    EXPECT_TRUE(again.findChild<QCheckBox*>("chkInitialSeed")->isChecked());
    again.findChild<QRadioButton*>("optFTP")->setChecked(true);
    again.findChild<QCheckBox*>("chkInitialSeed")->setChecked(false);
    again.findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_EQ(params.controlStrategy, 2);
    EXPECT_TRUE(params.initialSeed);
}

TEST(ORPropDialog, OkNamesTheFirstBadIntervalInOrder) {
    RecordingPrompter prompter;
    GlobalParameters params;
    CellRecord cell;
    // As read from a file: interval 2 has a negative rate and ends before it starts.
    cell.intervals = {{100, 0, 10}, {-5, 30, 20}, {50, 40, 30}};
    ORPropDialog dialog(cell, params, prompter);
    dialog.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(prompter.Last(), "Negative Vechicles/Hour at interval #2 is invalid.");
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    auto* number = dialog.findChild<QComboBox*>("cmbIntervalNo");
    number->setCurrentIndex(1);
    Edit(dialog, "txtVehiclePerHr")->setText("75");
    dialog.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(prompter.Last(), "Interval #2 has start-time later than end-time.");

    Edit(dialog, "txtEnd")->setText("30");
    dialog.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(prompter.Last(), "Interval #3 has start-time later than end-time.");

    // Dropping the last interval leaves two sound ones.
    dialog.findChild<QSpinBox*>("udcTotalORInterval")->setValue(2);
    const std::size_t count = prompter.cautions.size();
    dialog.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_EQ(prompter.cautions.size(), count);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(dialog.intervals().size(), 2u);
    EXPECT_EQ(dialog.intervals()[1].orVehPerHr, 75);
    EXPECT_EQ(dialog.intervals()[1].orEnd, 30);
}

TEST(ORPropDialog, CancelDiscardsTheCopyAndTheCapacityIsTheMost) {
    RecordingPrompter prompter;
    GlobalParameters params;
    CellRecord cell;
    cell.intervals = {{100, 0, 10}};
    ORPropDialog dialog(cell, params, prompter);
    EXPECT_EQ(dialog.windowTitle(), "OR Cell Properties");
    auto* total = dialog.findChild<QSpinBox*>("udcTotalORInterval");
    total->setValue(Capacity::kOriginIntervals + 1);
    EXPECT_EQ(total->value(), Capacity::kOriginIntervals);
    auto* number = dialog.findChild<QComboBox*>("cmbIntervalNo");
    EXPECT_EQ(number->count(), Capacity::kOriginIntervals);
    EXPECT_EQ(number->itemText(Capacity::kOriginIntervals - 1),
              QString::number(Capacity::kOriginIntervals));
    Edit(dialog, "txtVehiclePerHr")->setText("0.5");
    EXPECT_EQ(prompter.Last(), "You cannot enter a decimal number in this field.");
    EXPECT_EQ(Edit(dialog, "txtVehiclePerHr")->text(), "0");
    dialog.findChild<QPushButton*>("cmdCancel")->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

// Reals with more than two decimals (from a file, or typed earlier) are shown whole, so
// that pressing OK without touching them keeps them; plain values still show "0.00".
TEST(GlobalDialog, OkKeepsRealsWithMoreThanTwoDecimals) {
    RecordingPrompter prompter;
    GlobalParameters params;
    params.wvRatio = 0.333;
    params.mutationRate = 0.125;
    params.volMultiplier = 1.005;
    GlobalDialog global(params, prompter);
    QLineEdit* wv = global.findChild<QLineEdit*>("txtWVRatio");
    EXPECT_EQ(wv->text(), "0.333");
    wv->setText("abc");
    EXPECT_EQ(wv->text(), "0.333");
    global.findChild<QPushButton*>("cmdOK")->click();
    global.ApplyTo(params);
    EXPECT_DOUBLE_EQ(params.wvRatio, 0.333);

    OptimizationDialog optimization(params, prompter);
    EXPECT_EQ(optimization.findChild<QLineEdit*>("txtMutationRate")->text(), "0.125");
    EXPECT_EQ(optimization.findChild<QLineEdit*>("txtVolMultiplier")->text(), "1.005");
    optimization.findChild<QPushButton*>("cmdOK")->click();
    optimization.ApplyTo(params);
    EXPECT_DOUBLE_EQ(params.mutationRate, 0.125);
    EXPECT_DOUBLE_EQ(params.volMultiplier, 1.005);
}

}  // namespace
}  // namespace talvo::test
