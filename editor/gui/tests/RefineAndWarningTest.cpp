// The optimisation dialog's refine check box and the parameter dialog's warning that the
// entered saturation flow will not limit a queue's discharge.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>

#include "GlobalDialog.h"
#include "OptimizationDialog.h"
#include "TestSupport.h"
#include "UiTestSupport.h"

namespace talvo::test {
namespace {

TEST(GlobalDialog, WarnsWhileTheSaturationFlowCannotBindAndNamesTheDischarge) {
    RecordingPrompter prompter;
    GlobalParameters params;  // W/V 0.25, jam density 125, saturation flow 1800
    GlobalDialog dialog(params, prompter);
    auto* warning = dialog.findChild<QLabel*>("lblSaturationFlowWarning");
    ASSERT_NE(warning, nullptr);
    EXPECT_TRUE(warning->isHidden());  // no cells known yet
    dialog.setCellSpeeds({50, 36, 0});
    EXPECT_FALSE(warning->isHidden());
    // 125 x 36 x 0.25 / 1.25 = 900, 125 x 50 x 0.2 = 1250.
    EXPECT_NE(warning->text().indexOf("1800 veh/h will not limit"), -1)
        << warning->text().toStdString();
    EXPECT_NE(warning->text().indexOf("900 veh/h at 36 km/h to 1250 veh/h at 50 km/h"), -1)
        << warning->text().toStdString();
    // Below jam density x W/V / (1 + W/V) = 25 the cap binds: no warning, and none refused.
    Type(dialog.findChild<QLineEdit*>("txtSaturationFlow"), "20");
    EXPECT_TRUE(warning->isHidden());
    Type(dialog.findChild<QLineEdit*>("txtWVRatio"), "0.5");
    EXPECT_TRUE(warning->isHidden());  // the limit is 41.7 now
    Type(dialog.findChild<QLineEdit*>("txtSaturationFlow"), "1800");
    EXPECT_FALSE(warning->isHidden());
    EXPECT_NE(warning->text().indexOf("1500 veh/h at 36 km/h to 2083 veh/h at 50 km/h"), -1)
        << warning->text().toStdString();
    EXPECT_TRUE(prompter.cautions.empty());
}

TEST(OptimizationDialog, RefineBoxShowsAndReturnsTheRunSetting) {
    RecordingPrompter prompter;
    const GlobalParameters params;
    for (const bool accept : {false, true}) {
        OptimizationDialog dialog(params, prompter);
        dialog.setRefine(false);
        auto* box = dialog.findChild<QCheckBox*>("chkRefine");
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isChecked());
        box->setChecked(true);
        dialog.findChild<QPushButton*>(accept ? "cmdOK" : "cmdCancel")->click();
        EXPECT_EQ(dialog.refine(), accept);
    }
    OptimizationDialog dialog(params, prompter);
    dialog.setRefine(true);
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("chkRefine")->isChecked());
}

}  // namespace
}  // namespace talvo::test
