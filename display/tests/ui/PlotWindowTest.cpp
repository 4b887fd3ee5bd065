#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>

#include <set>

#include "UiTestSupport.h"
#include "ui/CommandLine.h"
#include "ui/DisplayCanvas.h"
#include "ui/GraphicDisplayWindow.h"
#include "ui/PlotChartWidget.h"
#include "ui/PlotConfDialog.h"
#include "ui/PlotWindow.h"

namespace talvo::display {
namespace {

using test::DataFile;
using test::Find;

class PlotWindowTest : public ::testing::Test {
  protected:
    test::UiPlatform ui;
    GraphicDisplayWindow owner{ui.platform()};
    PlotWindow* plot = nullptr;

    void SetUp() override {
        plot = owner.openPlotWindow(DataFile("corridor_ctmplot_1.plt").c_str());
        ASSERT_NE(plot, nullptr);
        plot->resize(1000, 400);
    }

    PlotConfDialog* configure() {
        Find(plot, "mnuConfigure")->trigger();
        return plot->findChild<PlotConfDialog*>("frmPlotConf");
    }
};

TEST_F(PlotWindowTest, LoadsWithItsDefaultsAndCaption) {
    EXPECT_EQ(plot->NInterval(), 10);
    EXPECT_EQ(plot->Range(), 1);
    EXPECT_EQ(plot->Step(), 1);
    EXPECT_EQ(plot->ColorRange(), 25);
    EXPECT_EQ(plot->Title(), QString("Plot of ") + DataFile("corridor_ctmplot_1.plt").c_str());
    EXPECT_EQ(plot->data().rowCount(), 121);
    for (const char* name : {"mnuConfigure", "mnuPrint", "mnuSavePng", "mnuExit"}) {
        EXPECT_NE(Find(plot, name), nullptr) << name;
    }
    EXPECT_EQ(Find(plot, "mnuPrint")->text(), "&Print by Paint ...");
    EXPECT_EQ(Find(plot, "mnuConfigure")->text(), "&Configure ...");
    EXPECT_EQ(Find(plot, "mnuExit")->text(), "E&xit");
    std::vector<std::string> centred;
    for (const scene::Primitive& p : plot->chart()->scene().world.items) {
        if (const auto* text = std::get_if<scene::Text>(&p);
            text != nullptr && text->align == scene::Align::Centre) {
            centred.push_back(text->text);
        }
    }
    EXPECT_EQ(centred, (std::vector<std::string>{plot->Title().toStdString()}));
}

TEST_F(PlotWindowTest, ConfigureShowsTheSettingsAndOkAppliesThem) {
    PlotConfDialog* dialog = configure();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Chart Settings");
    EXPECT_FALSE(dialog->isModal());
    QStringList labels;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        labels << label->text();
    }
    for (const char* caption :
         {"No. Of Shades (1-16):", "Resolution: (1: High - 10: Low)", "Level Of Aggregation:"}) {
        EXPECT_TRUE(labels.contains(caption)) << caption;
    }
    EXPECT_EQ(Find<QPushButton>(dialog, "cmdOK")->text(), "OK");
    EXPECT_EQ(Find<QPushButton>(dialog, "cmdCancel")->text(), "&Cancel");
    auto* shades = Find<QLineEdit>(dialog, "txtIntervalNum");
    auto* shadesUpDown = Find<QSpinBox>(dialog, "udcIntervalNum");
    ASSERT_NE(shades, nullptr);
    ASSERT_NE(shadesUpDown, nullptr);
    EXPECT_EQ(shades->text(), "10");
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtTitle")->text(), plot->Title());
    // A long title shows from its start ("Plot of ..."), not scrolled to its end.
    EXPECT_EQ(Find<QLineEdit>(dialog, "txtTitle")->cursorPosition(), 0);
    shadesUpDown->setValue(16);
    EXPECT_EQ(shades->text(), "16");  // the up-down writes into its box
    Find<QSpinBox>(dialog, "udcDataNumPerRegion")->setValue(10);
    Find<QLineEdit>(dialog, "txtIntervalRange")->setText("2");
    Find<QLineEdit>(dialog, "txtTitle")->setText("Main St, morning");
    EXPECT_EQ(configure(), dialog);  // a second Configure brings the same dialog forward
    Find<QPushButton>(dialog, "cmdOK")->click();
    EXPECT_EQ(plot->NInterval(), 16);
    EXPECT_EQ(plot->Range(), 2);
    EXPECT_EQ(plot->Step(), 10);
    EXPECT_EQ(plot->Title(), "Main St, morning");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(plot->settingsDialog(), nullptr);
    // The chart now has 7 positions x 13 blocks of 10 rows.
    EXPECT_EQ(PlotBlocks(plot->data(), PlotSettings{16, 2, 10, 25, ""}).size(), 7U * 13U);
}

TEST_F(PlotWindowTest, CancelChangesNothing) {
    PlotConfDialog* dialog = configure();
    Find<QLineEdit>(dialog, "txtIntervalNum")->setText("3");
    Find<QPushButton>(dialog, "cmdCancel")->click();
    EXPECT_EQ(plot->NInterval(), 10);
}

TEST_F(PlotWindowTest, SettingsThatWouldBreakTheChartAreRefused) {
    PlotConfDialog* dialog = configure();
    const std::pair<const char*, const char*> bad[] = {
        {"txtIntervalNum", "0"},   {"txtIntervalNum", "17"},     {"txtIntervalRange", "0"},
        {"txtIntervalRange", "x"}, {"txtDataNumPerRegion", "0"}, {"txtDataNumPerRegion", ""}};
    for (const auto& [name, text] : bad) {
        auto* field = Find<QLineEdit>(dialog, name);
        const QString before = field->text();
        field->setText(text);
        const size_t messages = ui.prompter.cautions.size();
        Find<QPushButton>(dialog, "cmdOK")->click();
        EXPECT_EQ(ui.prompter.cautions.size(), messages + 1) << name << " = " << text;
        field->setText(before);
    }
    EXPECT_EQ(plot->Range(), 1);
    EXPECT_EQ(plot->Step(), 1);
    EXPECT_EQ(plot->settingsDialog(), dialog);
}

TEST_F(PlotWindowTest, ClosingThePlotWindowTakesItsSettingsDialog) {
    QPointer<PlotConfDialog> dialog = configure();
    ASSERT_FALSE(dialog.isNull());
    Find(plot, "mnuExit")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    EXPECT_TRUE(owner.findChildren<PlotWindow*>().isEmpty());
}

TEST_F(PlotWindowTest, PrintSavesCtmplotBmpInTheProgramFolderThenPrints) {
    Find(plot, "mnuPrint")->trigger();
    const QString bitmap = ui.programDirectory.filePath("ctmplot.bmp");
    ASSERT_TRUE(QFile::exists(bitmap));
    ASSERT_EQ(ui.printer.printed.size(), 1U);
    EXPECT_EQ(ui.printer.printed[0].size(), plot->chart()->size());
}

TEST_F(PlotWindowTest, ABitmapThatCannotBeSavedIsShownAndThePrintGoesOn) {
    ASSERT_TRUE(QDir(ui.programDirectory.path()).mkpath("ctmplot.bmp/in the way"));
    Find(plot, "mnuPrint")->trigger();
    ASSERT_EQ(ui.prompter.cautions.size(), 1U);
    EXPECT_EQ(ui.prompter.details[0], ui.programDirectory.filePath("ctmplot.bmp").toStdString());
    ASSERT_EQ(ui.printer.printed.size(), 1U);
    EXPECT_EQ(ui.printer.printed[0].size(), plot->chart()->size());
}

TEST_F(PlotWindowTest, SavesThePictureAsPng) {
    const QString path = ui.programDirectory.filePath("plot.png");
    ui.chooser.answers = {path.toStdString()};
    Find(plot, "mnuSavePng")->trigger();
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.pixelColor(2, 2), QColor(255, 255, 255));
}

TEST(PlotWindowFile, AFileThatDoesNotReadGivesTheFormatMessageAndNoWindow) {
    test::UiPlatform ui;
    GraphicDisplayWindow owner{ui.platform()};
    const std::string bad = test::WriteTempFile("bad.plt", "1 2 -1\n3 abc\n");
    EXPECT_EQ(owner.openPlotWindow(bad.c_str()), nullptr);
    ASSERT_EQ(ui.prompter.cautions.size(), 1U);
    EXPECT_EQ(ui.prompter.cautions[0], "Incorrect file format!  Check the version!");
    EXPECT_EQ(ui.prompter.details[0], bad + ", line 2: bad value \"abc\"");
    EXPECT_TRUE(owner.findChildren<PlotWindow*>().isEmpty());
}

TEST(CommandLine, PlotArgumentsOpenPlotWindows) {
    test::UiPlatform ui;
    GraphicDisplayWindow owner{ui.platform()};
    OpenFromArguments(owner, {"--plot", DataFile("corridor_ctmplot_1.plt").c_str(), "nowhere.plt"});
    EXPECT_EQ(owner.findChildren<PlotWindow*>().size(), 1);
    ASSERT_EQ(ui.prompter.cautions.size(), 1U);
    EXPECT_EQ(ui.prompter.cautions[0], "File not found!");
}

TEST(CommandLine, ThreeFilesOpenLikeTheMenu) {
    test::UiPlatform ui;
    GraphicDisplayWindow owner{ui.platform()};
    OpenFromArguments(
        owner, {DataFile("corridor_run.tin").c_str(), DataFile("corridor_occu_exist.occ").c_str(),
                DataFile("corridor_plan.tpl").c_str()});
    EXPECT_TRUE(owner.session().loaded());
    // One file alone is a wrong command line, which opens nothing.
    const size_t messages = ui.prompter.cautions.size();
    OpenFromArguments(owner, {DataFile("corridor_run.tin").c_str()});
    EXPECT_EQ(ui.prompter.cautions.size(), messages);
    EXPECT_TRUE(owner.session().loaded());
}

}  // namespace
}  // namespace talvo::display

namespace talvo::display {
namespace {

TEST(PlotOfARun, TheAxesAreNumberedWithSecondsAndTheGroupsCells) {
    test::UiPlatform ui;
    GraphicDisplayWindow window{ui.platform()};
    const test::RunFiles run = test::ArterialRun();
    ASSERT_TRUE(window.openFiles(run.project.c_str(), run.occupancy.c_str(), run.plan.c_str()));
    // The engine's name for plot group 1's file.
    const QString path = ui.programDirectory.filePath("ctmplot_1.plt");
    ASSERT_TRUE(QFile::copy(test::DataFile("arterial_ctmplot_1.plt").c_str(), path));
    PlotWindow* plot = window.openPlotWindow(path);
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->windowTitle(), "Occupancy Plot over Time-Space  - " + path + " - plot group 1");
    // Wholly within the screen's free area.
    EXPECT_TRUE(plot->screen()->availableGeometry().contains(plot->frameGeometry()));
    QImage image(1000, 420, QImage::Format_RGB32);
    QPainter painter(&image);
    std::set<std::string> texts;
    for (const scene::PaintedText& text : plot->chart()->paint(painter, QSizeF(image.size()))) {
        texts.insert(text.text);
    }
    // Numbered every minute over the group's 600 s, its 14 cells by number, units shown.
    for (const char* expected : {"0", "60", "300", "600", "1", "13", "14", "Cell", "Time (s)",
                                 " 0-1", "Occupancy (veh)"}) {
        EXPECT_EQ(texts.count(expected), 1U) << expected;
    }
    EXPECT_EQ(texts.count("30"), 0U);  // no tick for every step
    EXPECT_EQ(texts.count("Distance (m)"), 0U);
}

TEST(EngineRunWindow, TheArterialRunOpensFromTheCommandLineAndPlaysToItsEnd) {
    test::UiPlatform ui;
    GraphicDisplayWindow window{ui.platform()};
    window.show();
    OpenFromArguments(window, {test::DataFile("arterial.tin").c_str(),
                               test::DataFile("arterial_occu_exist.occ").c_str(),
                               test::DataFile("arterial_opt_exist_plan.tpl").c_str()});
    ASSERT_TRUE(window.session().loaded())
        << (ui.prompter.cautions.empty() ? std::string() : ui.prompter.details.back());
    test::Find(&window, "mnuStart")->trigger();
    const int endStep = window.session().model().parameters().endStep;
    for (int i = 0; i < endStep; ++i) {
        window.tirRefresh_Timer();
    }
    EXPECT_FALSE(window.canvas()->grab().toImage().isNull());
    window.tirRefresh_Timer();
    EXPECT_EQ(window.session().playback().step(), endStep);  // stopped on the last frame
    EXPECT_TRUE(test::Find(&window, "mnuStart")->isEnabled());
    OpenFromArguments(window, {"--plot", test::DataFile("arterial_ctmplot_1.plt").c_str()});
    EXPECT_EQ(window.findChildren<PlotWindow*>("frmPlot").size(), 1);
    EXPECT_TRUE(ui.prompter.cautions.empty());
}

}  // namespace
}  // namespace talvo::display
