#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

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
    for (const char* name :
         {"mnuOpen", "mnuChangeTimePlan", "mnuPlotCTM", "mnuResetZoom", "mnuSavePicture",
          "mnuZoomIn", "mnuZoomOut", "mnuFitNetwork", "mnuStart", "mnuPause", "mnuEnd",
          "mnuStepBack", "mnuStepForward", "mnuSpeed"}) {
        EXPECT_NE(action(name), nullptr) << name;
    }
    EXPECT_EQ(action("mnuFitNetwork")->text(), "&Fit network");
    EXPECT_EQ(action("mnuFitNetwork")->shortcut(), QKeySequence(Qt::Key_F));
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
    // Nothing to play yet: every Run item and control waits for a run.
    for (const char* name :
         {"mnuStart", "mnuPause", "mnuEnd", "mnuStepBack", "mnuStepForward", "mnuSpeed"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(Find<QSlider>(&window, "sdrTime")->isEnabled());
    EXPECT_FALSE(Find<QComboBox>(&window, "cmbSpeed")->isEnabled());
    EXPECT_EQ(action("mnuPause")->text(), "&Pause");
    EXPECT_EQ(Find<QLabel>(&window, "lblTime")->text(), "Time:");
    EXPECT_EQ(counter(), "0");
    ASSERT_NE(timer(), nullptr);
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(GraphicDisplayWindowTest, OpenNamesTheThreeFilesAndEnablesTheRun) {
    ASSERT_TRUE(openCorridor());
    EXPECT_EQ(window.windowTitle(), QString("Visual Talvo Display - %1, occupancy %2, plan %3")
                                        .arg(DataFile("corridor_run.tin").c_str(),
                                             DataFile("corridor_occu_exist.occ").c_str(),
                                             DataFile("corridor_plan.tpl").c_str()));
    EXPECT_TRUE(action("mnuChangeTimePlan")->isEnabled());
    EXPECT_TRUE(action("mnuStart")->isEnabled());
    EXPECT_FALSE(action("mnuEnd")->isEnabled());
    EXPECT_TRUE(action("mnuStepForward")->isEnabled());
    EXPECT_TRUE(ui.prompter.cautions.empty());
}

TEST_F(GraphicDisplayWindowTest, AFailedOpenClearsEverything) {
    ASSERT_TRUE(openCorridor());
    ui.chooser.answers = {DataFile("corridor_run.tin"), DataFile("corridor_plan.tpl"),
                          DataFile("corridor_plan.tpl")};
    action("mnuOpen")->trigger();
    ASSERT_EQ(ui.prompter.cautions.size(), 1U);
    EXPECT_EQ(ui.prompter.cautions[0], "Incorrect occupancy file format!  Check the version!");
    EXPECT_FALSE(action("mnuChangeTimePlan")->isEnabled());
    EXPECT_EQ(window.windowTitle(), "Visual Talvo Display");
    EXPECT_TRUE(window.session().model().project.tables.cells.empty());
    EXPECT_FALSE(action("mnuStart")->isEnabled());
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
    // Stopped on the last frame with the slider at the end, not on the empty second 0.
    EXPECT_EQ(window.session().playback().step(), 300);
    EXPECT_EQ(Find<QSlider>(&window, "sdrTime")->value(), 300);
    EXPECT_EQ(Find<QLabel>(&window, "lblCounter")->text(), "300");
    EXPECT_FALSE(timer()->isActive());
    EXPECT_TRUE(action("mnuStart")->isEnabled());
    EXPECT_FALSE(action("mnuEnd")->isEnabled());
    action("mnuStepBack")->trigger();
    EXPECT_EQ(window.session().playback().step(), 299);
}

// Space plays and pauses; the button row stays put when Pause becomes Continue.
TEST_F(GraphicDisplayWindowTest, SpacePlaysAndPausesWithoutShiftingTheButtons) {
    ASSERT_TRUE(openCorridor());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* pause = Find<QWidget>(&window, "cmdPause");
    ASSERT_NE(pause, nullptr);
    const int width = pause->width();
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_TRUE(timer()->isActive());
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(action("mnuPause")->text(), "&Continue");
    QApplication::processEvents();
    EXPECT_EQ(pause->width(), width);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_TRUE(timer()->isActive());
}

TEST_F(GraphicDisplayWindowTest, SpeedSliderSetsTheTimerInterval) {
    ASSERT_TRUE(openCorridor());
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

TEST_F(GraphicDisplayWindowTest, ThePlaybackControlsStepJumpAndPlayFast) {
    ASSERT_TRUE(openCorridor());
    action("mnuStepForward")->trigger();
    action("mnuStepForward")->trigger();
    EXPECT_EQ(counter(), "2");
    EXPECT_EQ(action("mnuPause")->text(), "&Continue");
    action("mnuStepBack")->trigger();
    EXPECT_EQ(counter(), "1");
    auto* slider = Find<QSlider>(&window, "sdrTime");
    EXPECT_EQ(slider->maximum(), 300);
    EXPECT_EQ(slider->value(), 1);
    EXPECT_EQ(Find<QLabel>(&window, "lblEndTime")->text(), "of 300 s");
    slider->setValue(250);  // as a drag of the slider does
    EXPECT_EQ(window.session().playback().step(), 250);
    EXPECT_EQ(counter(), "250");
    auto* speed = Find<QComboBox>(&window, "cmbSpeed");
    const int fastest = speed->findData(50);
    ASSERT_GE(fastest, 0);
    speed->setCurrentIndex(fastest);
    emit speed->activated(fastest);
    action("mnuPause")->trigger();  // Continue from 250
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 20);
    ticks(1);
    EXPECT_EQ(slider->value(), 251);
}

TEST_F(GraphicDisplayWindowTest, RightDragZoomsAndResetZoomReturns) {
    ASSERT_TRUE(openCorridor());
    QWidget* picture = window.canvas()->viewport();
    const double fitted = window.session().view().zoom();
    QTest::mousePress(picture, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(picture, QPoint(200, 150));
    QTest::mouseRelease(picture, Qt::RightButton, Qt::NoModifier, QPoint(200, 150));
    EXPECT_GT(window.session().view().zoom(), fitted);
    action("mnuResetZoom")->trigger();
    EXPECT_EQ(window.session().view().zoom(), 1.0);
    EXPECT_EQ(window.session().view().origin(), (scene::Point{0, 0}));
    // A drag of five pixels or less either way changes nothing.
    QTest::mousePress(picture, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseRelease(picture, Qt::RightButton, Qt::NoModifier, QPoint(105, 300));
    EXPECT_EQ(window.session().view().zoom(), 1.0);
}

TEST_F(GraphicDisplayWindowTest, TheNetworkFillsTheWindowAndFollowsItsSize) {
    ASSERT_TRUE(openCorridor());
    const scene::Viewport& view = window.session().view();
    const QSize picture = window.canvas()->viewport()->size();
    EXPECT_EQ(view.size(), (scene::Size{double(picture.width()), double(picture.height())}));
    EXPECT_GT(view.zoom(), 2.0);  // the corridor is small: fitted, it is magnified
    const double fitted = view.zoom();
    window.resize(1600, 1100);  // as a maximised window grows
    QCoreApplication::processEvents();
    EXPECT_GT(view.zoom(), fitted);
    // Once zoomed by hand, the window's size no longer changes the zoom.
    action("mnuZoomIn")->trigger();
    const double zoomed = view.zoom();
    window.resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(view.zoom(), zoomed);
    action("mnuFitNetwork")->trigger();
    EXPECT_LT(view.zoom(), zoomed);
}

TEST_F(GraphicDisplayWindowTest, TheWheelZoomsAboutThePointerFromATenthToSixteen) {
    ASSERT_TRUE(openCorridor());
    QWidget* picture = window.canvas()->viewport();
    const QPoint pointer(300, 200);
    const scene::Point under = window.session().view().toMap(scene::Point{300, 200});
    const double before = window.session().view().zoom();
    QWheelEvent wheel(QPointF(pointer), picture->mapToGlobal(QPointF(pointer)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(picture, &wheel);
    EXPECT_DOUBLE_EQ(window.session().view().zoom(), before * 1.25);
    const scene::Point still = window.session().view().toPixels(under);
    EXPECT_NEAR(still.x, 300, 1e-6);
    EXPECT_NEAR(still.y, 200, 1e-6);
    for (int i = 0; i < 40; ++i) {
        action("mnuZoomIn")->trigger();
    }
    EXPECT_EQ(window.session().view().zoom(), 16.0);
    for (int i = 0; i < 80; ++i) {
        action("mnuZoomOut")->trigger();
    }
    EXPECT_EQ(window.session().view().zoom(), 0.1);
    EXPECT_EQ(Find<QLabel>(&window, "lblZoom")->text(), "Zoom 0.10");
}

TEST_F(GraphicDisplayWindowTest, TheMiddleButtonAndTheScrollBarsPan) {
    ASSERT_TRUE(openCorridor());
    for (int i = 0; i < 4; ++i) {
        action("mnuZoomIn")->trigger();
    }
    QWidget* picture = window.canvas()->viewport();
    const scene::Point origin = window.session().view().origin();
    QTest::mousePress(picture, Qt::MiddleButton, Qt::NoModifier, QPoint(400, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 250), picture->mapToGlobal(QPointF(300, 250)),
                     Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &move);
    QTest::mouseRelease(picture, Qt::MiddleButton, Qt::NoModifier, QPoint(300, 250));
    // Dragged 100 pixels left and 50 up: the map moves with the pointer.
    const double units = 15.0 / window.session().view().zoom();
    EXPECT_NEAR(window.session().view().origin().x, origin.x + 100 * units, 1e-6);
    EXPECT_NEAR(window.session().view().origin().y, origin.y + 50 * units, 1e-6);
    QScrollBar* bar = window.canvas()->horizontalScrollBar();
    ASSERT_LT(bar->minimum(), bar->maximum());
    EXPECT_EQ(bar->value(), std::lround(window.session().view().origin().x / units));
    bar->setValue(bar->minimum());
    EXPECT_NEAR(window.session().view().origin().x, bar->minimum() * units, 1e-6);
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
    EXPECT_EQ(ui.prompter.cautions.back(), "File not found!");
    EXPECT_EQ(window.findChildren<PlotWindow*>("frmPlot").size(), 2);
}

TEST_F(GraphicDisplayWindowTest, CommandLineFilesOpenLikeTheMenu) {
    EXPECT_TRUE(window.openFiles(DataFile("corridor_run.tin").c_str(),
                                 DataFile("corridor_occu_exist.occ").c_str(),
                                 DataFile("corridor_opt_exist_plan.tpl").c_str()));
    EXPECT_TRUE(action("mnuChangeTimePlan")->isEnabled());
    EXPECT_FALSE(window.openFiles(DataFile("corridor_run.tin").c_str(), "", ""));
    EXPECT_EQ(ui.prompter.cautions.back(), "Occupancy file is not specified!");
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
