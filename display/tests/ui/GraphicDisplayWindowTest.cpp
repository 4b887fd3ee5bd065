#include <gtest/gtest.h>

#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "UiTestSupport.h"
#include "ui/DisplayCanvas.h"
#include "ui/GraphicDisplayWindow.h"
#include "ui/PlotWindow.h"
#include "ui/SpeedDialog.h"

namespace talvo::display {
namespace {

using test::DataFile;
using test::Find;

class GraphicDisplayWindowTest : public ::testing::Test {
  protected:
    test::UiPlatform ui;
    GraphicDisplayWindow window{ui.platform()};

    void SetUp() override {
        window.resize(1040, 800);
        window.show();
    }

    bool openCorridor() {
        ui.chooser.answers = {DataFile("corridor_run.tin"), DataFile("corridor_occu_exist.occ"),
                              DataFile("corridor_plan.tpl")};
        Find(&window, "mnuOpen")->trigger();
        return window.session().loaded();
    }

    QString counter() const { return Find<QLabel>(&window, "lblCounter")->text(); }
    QTimer* timer() const { return Find<QTimer>(&window, "tirRefresh"); }
    QAction* action(const char* name) const { return Find(&window, name); }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            window.tirRefresh_Timer();
        }
    }
};

TEST_F(GraphicDisplayWindowTest, LoadsWithItsControlsNamedAndThePlaybackStopped) {
    EXPECT_EQ(window.objectName(), "frmGraphicDisplay");
    EXPECT_EQ(window.windowTitle(), "Visual Talvo Display");
    for (const char* name : {"mnuOpen", "mnuChangeTimePlan", "mnuPlotCTM", "mnuResetZoom",
                             "mnuSavePicture", "mnuStart", "mnuPause", "mnuEnd", "mnuSpeed"}) {
        EXPECT_NE(action(name), nullptr) << name;
    }
    EXPECT_EQ(action("mnuOpen")->text(), "&Open");
    EXPECT_EQ(action("mnuChangeTimePlan")->text(), "&Change time plan");
    EXPECT_EQ(action("mnuPlotCTM")->text(), "&Plot CTM ...");
    EXPECT_EQ(action("mnuResetZoom")->text(), "&Reset Zoom");
    EXPECT_EQ(action("mnuSpeed")->text(), "Spee&d ...");
    EXPECT_EQ(action("mnuStart")->text(), "&Start");
    EXPECT_EQ(action("mnuEnd")->text(), "&End");
    EXPECT_EQ(Find<QMenu>(&window, "mnuFile")->title(), "&File");
    EXPECT_EQ(Find<QMenu>(&window, "mnuRun")->title(), "&Run");
    EXPECT_FALSE(action("mnuChangeTimePlan")->isEnabled());
    EXPECT_TRUE(action("mnuStart")->isEnabled());
    EXPECT_FALSE(action("mnuEnd")->isEnabled());
    EXPECT_EQ(action("mnuPause")->text(), "&Pause");
    EXPECT_EQ(Find<QLabel>(&window, "lblTime")->text(), "Time:");
    EXPECT_EQ(counter(), "0");
    ASSERT_NE(timer(), nullptr);
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(GraphicDisplayWindowTest, OpenSetsTheCaptionAndEnablesChangeTimePlan) {
    ASSERT_TRUE(openCorridor());
    EXPECT_EQ(window.windowTitle(),
              QString("Visual Talvo Display - ") + DataFile("corridor_run.tin").c_str());
    EXPECT_TRUE(action("mnuChangeTimePlan")->isEnabled());
    EXPECT_TRUE(ui.prompter.messages.empty());
}

TEST_F(GraphicDisplayWindowTest, AFailedOpenClearsEverything) {
    ASSERT_TRUE(openCorridor());
    ui.chooser.answers = {DataFile("corridor_run.tin"), DataFile("corridor_plan.tpl"),
                          DataFile("corridor_plan.tpl")};
    action("mnuOpen")->trigger();
    ASSERT_EQ(ui.prompter.messages.size(), 1U);
    EXPECT_EQ(ui.prompter.messages[0].text, "Incorrect occupancy file format!  Check the version!");
    EXPECT_FALSE(action("mnuChangeTimePlan")->isEnabled());
    EXPECT_EQ(window.windowTitle(), "Visual Talvo Display");
    EXPECT_TRUE(window.session().model().cells.empty());
}

TEST_F(GraphicDisplayWindowTest, RunMenuDrivesTheTimer) {
    ASSERT_TRUE(openCorridor());
    action("mnuStart")->trigger();
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 200);
    EXPECT_FALSE(action("mnuStart")->isEnabled());
    EXPECT_TRUE(action("mnuEnd")->isEnabled());
    ticks(3);
    EXPECT_EQ(counter(), "3");
    action("mnuPause")->trigger();
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(action("mnuPause")->text(), "&Continue");
    action("mnuPause")->trigger();
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(action("mnuPause")->text(), "&Pause");
    action("mnuEnd")->trigger();
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(counter(), "0");
    EXPECT_TRUE(action("mnuStart")->isEnabled());
    EXPECT_FALSE(action("mnuEnd")->isEnabled());
}

TEST_F(GraphicDisplayWindowTest, PauseWhileStoppedDoesNothing) {
    action("mnuPause")->trigger();
    EXPECT_EQ(action("mnuPause")->text(), "&Pause");
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(GraphicDisplayWindowTest, PlayingPastEndStepStopsAndReenablesStart) {
    ASSERT_TRUE(openCorridor());
    action("mnuStart")->trigger();
    ticks(300);
    EXPECT_EQ(window.session().playback().step(), 300);
    ticks(1);
    EXPECT_EQ(window.session().playback().step(), 0);
    EXPECT_FALSE(timer()->isActive());
    EXPECT_TRUE(action("mnuStart")->isEnabled());
    EXPECT_FALSE(action("mnuEnd")->isEnabled());
}

TEST_F(GraphicDisplayWindowTest, SpeedSliderSetsTheTimerInterval) {
    action("mnuSpeed")->trigger();
    auto* dialog = Find<SpeedDialog>(&window, "frmSpeed");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Speed Setting");
    auto* slider = Find<QSlider>(dialog, "sdrSpeed");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->minimum(), 1);
    EXPECT_EQ(slider->maximum(), 10);
    EXPECT_EQ(slider->value(), 9);
    slider->setValue(10);
    EXPECT_EQ(timer()->interval(), 100);
    slider->setValue(1);
    EXPECT_EQ(timer()->interval(), 1000);
    ASSERT_TRUE(openCorridor());
    action("mnuStart")->trigger();
    EXPECT_EQ(timer()->interval(), 1000);
}

TEST_F(GraphicDisplayWindowTest, RightDragZoomsAndResetZoomReturns) {
    ASSERT_TRUE(openCorridor());
    QWidget* canvas = window.canvas();
    QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(canvas, QPoint(200, 150));
    QTest::mouseRelease(canvas, Qt::RightButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_GT(window.session().view().zoom(), 1.0);
    action("mnuResetZoom")->trigger();
    EXPECT_EQ(window.session().view().zoom(), 1.0);
    EXPECT_EQ(window.session().view().offsetX(), 0.0);
    // A drag of a few pixels (under 5 window units) changes nothing.
    const double unitsPerPixel = 1.0 / window.canvas()->windowToPixels().m11();
    ASSERT_GT(unitsPerPixel, 5.0);
    QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseRelease(canvas, Qt::RightButton, Qt::NoModifier, QPoint(100, 300));
    EXPECT_EQ(window.session().view().zoom(), 1.0);
}

TEST_F(GraphicDisplayWindowTest, PlotCtmOpensAWindowPerFile) {
    ui.chooser.answers = {DataFile("corridor_ctmplot_1.plt")};
    action("mnuPlotCTM")->trigger();
    ui.chooser.answers = {DataFile("corridor_ctmplot_1.plt")};
    action("mnuPlotCTM")->trigger();
    const QList<PlotWindow*> plots = window.findChildren<PlotWindow*>("frmPlot");
    ASSERT_EQ(plots.size(), 2);
    EXPECT_EQ(plots[0]->windowTitle(), QString("Occupancy Plot over Time-Space  - ") +
                                           DataFile("corridor_ctmplot_1.plt").c_str());
    ui.chooser.answers = {DataFile("missing.plt")};
    action("mnuPlotCTM")->trigger();
    EXPECT_EQ(ui.prompter.messages.back().text, "File not found!");
    EXPECT_EQ(window.findChildren<PlotWindow*>("frmPlot").size(), 2);
}

TEST_F(GraphicDisplayWindowTest, CommandLineFilesOpenLikeTheMenu) {
    EXPECT_TRUE(window.openFiles(DataFile("corridor_run.tin").c_str(),
                                 DataFile("corridor_occu_exist.occ").c_str(),
                                 DataFile("corridor_opt_exist_plan.tpl").c_str()));
    EXPECT_TRUE(action("mnuChangeTimePlan")->isEnabled());
    EXPECT_FALSE(window.openFiles(DataFile("corridor_run.tin").c_str(), "", ""));
    EXPECT_EQ(ui.prompter.messages.back().text, "Occupancy file is not specified!");
}

TEST_F(GraphicDisplayWindowTest, SavesTheCurrentFrameAsPng) {
    ASSERT_TRUE(openCorridor());
    const QString path = ui.programDirectory.filePath("frame.png");
    ui.chooser.answers = {path.toStdString()};
    action("mnuSavePicture")->trigger();
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), window.canvas()->size());
    EXPECT_EQ(ui.chooser.requests.back().filter, "PNG Picture (*.png)|*.png");
}

}  // namespace
}  // namespace talvo::display
