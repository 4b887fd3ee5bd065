// The run window: the engine's output live, the window open after the run, a run ended by
// closing it; and with the real engine on the arterial example, the summary's figures and
// the buttons that open the results.

#include "launcher/ApproachLevels.h"
#include "launcher/RunWindow.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include "CommandFixture.h"
#include "TempDir.h"
#include "launcher/ProgramFiles.h"
#include "launcher/ReportView.h"
#include "launcher/SearchChart.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadWhole;
using test::RecordingPrompter;
using test::TempDir;
using test::WriteWhole;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

QString Text(QWidget& window, const char* name) {
    return window.findChild<QLabel*>(name)->text();
}

TEST(RunWindow, ShowsOutputWhileTheProcessRunsAndStaysOpenAfterIt) {
    TempDir temp;
    RecordingPrompter prompter;
    const fs::path script = temp.path() / "script.sh";
    WriteWhole(script,
               "echo \"in $(pwd)\"\r\necho ' Opening Scenario File'\nwhile [ ! -f release ]; do "
               "sleep 0.05; done\necho second >&2\nexit 3\n");
    QPointer<RunWindow> window = new RunWindow(prompter);
    QSignalSpy ended(window.data(), &RunWindow::runEnded);
    window->start({Q(temp.path()), Q(script), Q(temp.path())}, {}, "project");
    EXPECT_EQ(window->windowTitle(), "TALVO - " + Q(temp.path()));
    // The first lines arrive while the script still waits: the output is live.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window->consoleText().contains("Opening Scenario"); }, 10000));
    EXPECT_TRUE(window->isRunning());
    EXPECT_EQ(Text(*window, "lblStage"), "Reading the scenario");
    EXPECT_TRUE(window->consoleText().contains("in " + Q(temp.path())));
    EXPECT_EQ(ReadWhole(temp.path() / "input.tin"), "project");
    WriteWhole(temp.path() / "release", "");
    EXPECT_TRUE(ended.wait(10000) || ended.count() == 1);
    EXPECT_TRUE(window->consoleText().contains("second"));
    EXPECT_TRUE(window->consoleText().contains("exit code 3"));
    EXPECT_FALSE(window->consoleText().contains('\r'));
    EXPECT_EQ(Text(*window, "lblStage"), "Failed");
    EXPECT_EQ(Text(*window, "lblOutcome"), "The run stopped: second");
    EXPECT_EQ(window->windowTitle(), "TALVO - " + Q(temp.path()) + " (ended)");
    ASSERT_FALSE(window.isNull());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(RunWindow, ClosingDuringARunAsksThenEndsTheRun) {
    TempDir temp;
    RecordingPrompter prompter;
    const fs::path script = temp.path() / "script.sh";
    WriteWhole(script, "echo started\nexec sleep 30\n");
    QPointer<RunWindow> window = new RunWindow(prompter);
    window->start({Q(temp.path()), Q(script), Q(temp.path())}, {}, "");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->consoleText().contains("started"); }, 10000));
    prompter.warningAnswer = false;
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isRunning());
    EXPECT_EQ(prompter.warnings.size(), 1u);
    QElapsedTimer timer;
    timer.start();
    prompter.warningAnswer = true;
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_LT(timer.elapsed(), 5000);
}

TEST(RunWindow, AnEngineThatCannotStartIsSaid) {
    TempDir temp;
    RecordingPrompter prompter;
    RunWindow window(prompter);
    QSignalSpy ended(&window, &RunWindow::runEnded);
    window.start({Q(temp.path() / "nowhere"), "", Q(temp.path())}, {}, "");
    EXPECT_TRUE(ended.count() == 1 || ended.wait(10000));
    EXPECT_FALSE(window.isRunning());
    EXPECT_TRUE(Text(window, "lblOutcome").startsWith("The engine could not be started"));
    EXPECT_FALSE(window.findChild<QPushButton*>("cmdOpenReport")->isEnabled());
}

// A run the engine refused leaves an empty report: "Open report" says why, and shows the
// report's cell numbers with their map IDs beside it, as written into the run directory.
TEST(RunWindow, AFailedRunsReportShowsTheEnginesMessageAndTheCellTable) {
    TempDir temp;
    RecordingPrompter prompter;
    const fs::path script = temp.path() / "script.sh";
    WriteWhole(script, ": > output_exist.out\necho 'chromosome needs 6720 stage bits'\nexit 1\n");
    RunWindow window(prompter);
    QSignalSpy ended(&window, &RunWindow::runEnded);
    const std::string table = "Report cell  Map cell ID  Name in input.fin\n  1  20  1-TR-20\n";
    window.start({Q(temp.path()), Q(script), Q(temp.path())}, {}, "", table);
    ASSERT_TRUE(ended.count() == 1 || ended.wait(10000));
    EXPECT_EQ(ReadWhole(temp.path() / "cell_ids.txt"), table);
    auto* open = window.findChild<QPushButton*>("cmdOpenReport");
    ASSERT_TRUE(open->isEnabled());
    open->click();
    auto* report = window.findChild<ReportView*>("frmReport");
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->notice(),
              "The run stopped: chromosome needs 6720 stage bits\nThe engine wrote no report.");
    EXPECT_EQ(report->cellTable(), QString::fromStdString(table));
    EXPECT_TRUE(prompter.cautions.empty());
}

// The engine on a copy of the arterial example, started on its run directory, with a
// stand-in for Display whose starts are recorded.
class ArterialRun : public ::testing::Test {
  protected:
    void SetUp() override {
#ifndef TALVO_ENGINE_EXE
        GTEST_SKIP() << "the engine is not part of this build";
#else
        fs::create_directories(program());
        fs::create_directories(runDir());
        fs::create_symlink(TALVO_ENGINE_EXE, program() / kEngineFileName);
        WriteWhole(program() / "Display", "");
        const fs::path example = TALVO_EXAMPLE_DIR;
        fs::copy_file(example / "input.fin", runDir() / "input.fin");
        fs::copy_file(example / "plan.tpl", runDir() / "plan.tpl");
#endif
    }
    fs::path program() const {
        return temp.path() / "bin";
    }
    fs::path runDir() const {
        return temp.path() / "run";
    }

    // An optimisation of `variant` (1 FGFC): the scenario's first two lines changed.
    void AskForOptimisation(int variant) {
        std::string scenario = ReadWhole(runDir() / "input.fin");
        ASSERT_EQ(scenario.substr(0, 6), "N\r\n1\r\n");
        scenario.replace(0, 6, "Y\r\n" + std::to_string(variant) + "\r\n");
        WriteWhole(runDir() / "input.fin", scenario);
    }

    // Runs to the end; the summary's lines as "label value".
    QStringList RunToTheEnd(const RunExpectation& expectation) {
        window.startProgram = [this](const QString& program, const QStringList& arguments) {
            started << QStringList{program} + arguments;
            return true;
        };
        QSignalSpy ended(&window, &RunWindow::runEnded);
        window.start({Q(program()), "", Q(runDir())}, expectation,
                     ReadWhole(fs::path(TALVO_EXAMPLE_DIR) / "arterial.tin"));
        EXPECT_TRUE(ended.count() == 1 || ended.wait(120000)) << window.consoleText().toStdString();
        QStringList lines;
        auto* summary = window.findChild<QGroupBox*>("grpSummary");
        for (int i = 1; auto* value = summary->findChild<QLabel*>(QString("lblSummary%1").arg(i));
             ++i) {
            lines << value->text();
        }
        return lines;
    }

    TempDir temp;
    RecordingPrompter prompter;
    RunWindow window{prompter};
    QList<QStringList> started;
};

TEST_F(ArterialRun, ExistingPlanShowsItsDelayAndOpensItsResults) {
    EXPECT_EQ(RunToTheEnd({false, 1, 30}), QStringList{"1.92 h"});
    EXPECT_EQ(Text(window, "lblOutcome"), "The run is complete.");
    EXPECT_EQ(Text(window, "lblStage"), "Finished");
    EXPECT_EQ(window.findChild<QProgressBar*>("prgRun")->value(), 1000);

    window.findChild<QPushButton*>("cmdOpenReport")->click();
    auto* report = window.findChild<QWidget*>("frmReport");
    ASSERT_NE(report, nullptr);
    auto* text = report->findChild<QPlainTextEdit*>("txtReport");
    EXPECT_TRUE(text->isReadOnly());
    const QFontMetrics pitch(text->font());
    EXPECT_EQ(pitch.horizontalAdvance("iiii"), pitch.horizontalAdvance("WWWW"));
    EXPECT_TRUE(text->toPlainText().contains("Total weighted delay(hr):      1.92\n"));

    window.findChild<QPushButton*>("cmdPlayInDisplay")->click();
    window.findChild<QPushButton*>("cmdTimeSpacePlot")->menu()->actions().at(1)->trigger();
    const QString display = Q(program() / "Display");
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0],
              (QStringList{display, Q(runDir() / "input.tin"), Q(runDir() / "occu_exist.occ"),
                           Q(runDir() / "opt_exist_plan.tpl")}));
    EXPECT_EQ(started[1], (QStringList{display, "--plot", Q(runDir() / "ctmplot_2.plt")}));
    EXPECT_EQ(ReadWhole(runDir() / "input.tin"),
              ReadWhole(fs::path(TALVO_EXAMPLE_DIR) / "arterial.tin"));
    EXPECT_TRUE(prompter.cautions.empty());
}

TEST_F(ArterialRun, OptimisationChartsItsSearchAndComparesWithTheExistingPlan) {
    AskForOptimisation(1);
    EXPECT_EQ(RunToTheEnd({true, 1, 30}),
              (QStringList{"1.77 h", "1.92 h", "-7.8 % (less delay than the existing plan)"}));
    EXPECT_EQ(window.findChild<SearchChart*>("chtSearch")->pointCount(), 30);
    EXPECT_EQ(Text(window, "lblGeneration"), "FGFC: 30 of at most 30");
    EXPECT_EQ(Text(window, "lblOutcome"), "The run is complete.");
    // The comparison ran apart: the run directory holds the optimisation's files only.
    EXPECT_FALSE(fs::exists(runDir() / "occu_exist.occ"));
    EXPECT_TRUE(window.consoleText().contains("simulated for the comparison"));

    window.findChild<QPushButton*>("cmdPlayInDisplay")->click();
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(started[0].mid(2),
              (QStringList{Q(runDir() / "occu_FGFC.occ"), Q(runDir() / "opt_FGFC_plan.tpl")}));
}

// With refinement chosen the engine is started as "TALVO --refine RUN_DIR"; the summary
// lists each approach's level of service from the run's results table.
TEST_F(ArterialRun, RefinedOptimisationShowsEachApproachsLevelOfService) {
    AskForOptimisation(1);
    QSignalSpy ended(&window, &RunWindow::runEnded);
    window.start({Q(program()), "", Q(runDir()), true}, {true, 1, 30},
                 ReadWhole(fs::path(TALVO_EXAMPLE_DIR) / "arterial.tin"));
    ASSERT_TRUE(ended.count() == 1 || ended.wait(120000)) << window.consoleText().toStdString();
    EXPECT_NE(ReadWhole(runDir() / "output_FGFC.out").find(">> Refinement"), std::string::npos);
    const std::vector<ApproachLevel> levels = ReadApproachLevels(runDir() / "results_FGFC.csv");
    ASSERT_EQ(levels.size(), 6u);
    auto* table = window.findChild<QTableWidget*>("tblLevelOfService");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 6);
    for (int row = 0; row < 6; ++row) {
        const ApproachLevel& level = levels[static_cast<size_t>(row)];
        EXPECT_EQ(table->item(row, 0)->text(), QString::number(row + 1));
        EXPECT_EQ(table->item(row, 1)->text().toStdString(), level.delayPerVehicle);
        EXPECT_EQ(table->item(row, 2)->text().toStdString(), level.level);
    }
    // Each approach beside the existing plan's, in the window and as a table beside the report.
    auto* comparison = window.findChild<QTableWidget*>("tblComparison");
    ASSERT_NE(comparison, nullptr);
    ASSERT_EQ(comparison->rowCount(), 6);
    EXPECT_EQ(comparison->item(0, 2)->text().toStdString(), levels[0].delayHours);
    EXPECT_EQ(comparison->item(0, 4)->text().toStdString(), levels[0].delayPerVehicle);
    EXPECT_FALSE(comparison->item(0, 1)->text().isEmpty());  // the existing plan's delay
    const std::string csv = ReadWhole(runDir() / "comparison_FGFC.csv");
    EXPECT_EQ(csv.rfind("approach,delay_veh_h_exist,delay_veh_h_FGFC,", 0), 0u) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 7);
}

}  // namespace
}  // namespace talvo
