// "&Export Input File ...", "&TALVO ..." and printing through the main window's menus.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <sstream>

#include "CommandFixture.h"
#include "common/ProjectReader.h"
#include "launcher/ProgramFiles.h"
#include "model/BatchExport.h"
#include "printing/DrawMapForPrint.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::CommandFixture;
using test::DataPath;
using test::ReadWhole;
using test::TempDir;

// The entries of the check list, which shows every problem of a check run.
QStringList ProblemTexts(CommandFixture& f) {
    QStringList texts;
    const auto* list = f.window.findChild<QListWidget*>("lstCheckProblems");
    for (int i = 0; list != nullptr && i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

// The window-less export of the same project, for comparison.
void BatchExport(const std::string& project, const fs::path& runDir) {
    fs::create_directories(runDir);
    std::string a0 = "Editor", a1 = "--export", a2 = project, a3 = runDir.string();
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data()};
    std::ostringstream out, err;
    ASSERT_EQ(RunBatchExport(4, argv, out, err), 0) << err.str();
}

class ExportCommand : public ::testing::Test {
  protected:
    CommandFixture f;
    TempDir out;
};

TEST_F(ExportCommand, WritesTheSameFilesAsTheWindowlessExport) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.dialogs.saveNames = {(out.path() / "scenario.fin").string(),
                           (out.path() / "existing.tpl").string()};
    f.Trigger("mnuGenerateFortanInputFile");
    EXPECT_TRUE(f.prompter.cautions.empty());
    ASSERT_EQ(f.dialogs.asked.size(), 2u);
    EXPECT_EQ(f.dialogs.asked[0].title, "Save Input Data File Dialog");
    EXPECT_EQ(f.dialogs.asked[0].filter, "Fortan Input (*.fin)|*.fin|Text File (*.txt)|*.txt");
    EXPECT_EQ(f.dialogs.asked[0].filterIndex, 1);
    EXPECT_EQ(f.dialogs.asked[0].initialName, "");
    EXPECT_EQ(f.dialogs.asked[1].title, "Save Time Plan File Dialog");
    EXPECT_EQ(f.dialogs.asked[1].filter, "Time Plan (*.tpl)|*.tpl|Text File (*.txt)|*.txt");

    BatchExport(DataPath("corridor.tin"), out.path() / "batch");
    const std::string scenario = ReadWhole(out.path() / "scenario.fin");
    const std::string plan = ReadWhole(out.path() / "existing.tpl");
    EXPECT_FALSE(scenario.empty());
    EXPECT_EQ(scenario, ReadWhole(out.path() / "batch" / "input.fin"));
    EXPECT_EQ(plan, ReadWhole(out.path() / "batch" / "plan.tpl"));
    EXPECT_EQ(scenario, ReadWhole(DataPath("corridor/input.fin")));
    EXPECT_EQ(plan, ReadWhole(DataPath("corridor/plan.tpl")));
}

TEST_F(ExportCommand, TheExampleProjectGivesTheBundledEngineInput) {
    const std::string example = TALVO_EXAMPLE_DIR;
    ASSERT_TRUE(f.window.OpenProjectFile(example + "/arterial.tin", ProjectLayout::Current));
    f.dialogs.saveNames = {(out.path() / "a.fin").string(), (out.path() / "a.tpl").string()};
    f.Trigger("mnuGenerateFortanInputFile");
    EXPECT_TRUE(f.prompter.cautions.empty());
    EXPECT_EQ(ReadWhole(out.path() / "a.fin"), ReadWhole(example + "/input.fin"));
    EXPECT_EQ(ReadWhole(out.path() / "a.tpl"), ReadWhole(example + "/plan.tpl"));
}

TEST_F(ExportCommand, CancellingEitherDialogWritesNothing) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.Trigger("mnuGenerateFortanInputFile");
    EXPECT_EQ(f.dialogs.asked.size(), 1u);
    f.dialogs.saveNames = {(out.path() / "scenario.fin").string()};
    f.Trigger("mnuGenerateFortanInputFile");
    EXPECT_EQ(f.dialogs.asked.size(), 3u);
    EXPECT_TRUE(fs::is_empty(out.path()));
    EXPECT_TRUE(f.prompter.cautions.empty());
}

TEST_F(ExportCommand, AFailedCheckStopsBeforeAnyDialog) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.EditGroups([](NetworkTables& t) { t.streets.pop_back(); });
    f.Trigger("mnuGenerateFortanInputFile");
    EXPECT_EQ(ProblemTexts(f),
              QStringList{"The cell(s): 13, 14, 15 is/are not yet assigned to street."});
    EXPECT_TRUE(f.prompter.cautions.empty());
    EXPECT_TRUE(f.dialogs.asked.empty());
}

TEST_F(ExportCommand, AWriteErrorIsShownAndNeitherFileWritten) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.dialogs.saveNames = {(out.path() / "missing" / "scenario.fin").string(),
                           (out.path() / "existing.tpl").string()};
    f.Trigger("mnuGenerateFortanInputFile");
    ASSERT_EQ(f.prompter.cautions.size(), 1u);
    EXPECT_NE(f.prompter.cautions[0].find("scenario.fin"), std::string::npos)
        << f.prompter.cautions[0];
    EXPECT_FALSE(fs::exists(out.path() / "existing.tpl"));
}

class RunCommand : public ::testing::Test {
  protected:
    // Answers the run-directory dialog by typing the directory and pressing OK.
    void AnswerRunDirectory(const fs::path& dir) {
        f.answerDialog = [this, dir](QDialog& d) {
            shownAtStart = d.findChild<QLineEdit*>("txtRunDir")->text();
            EXPECT_EQ(d.objectName(), "dlgCTM");
            auto* typed = d.findChild<QLineEdit*>("txtRunDir");
            typed->setText(Q(dir));
            emit typed->returnPressed();
            d.findChild<QPushButton*>("OKButton")->click();
        };
    }

    CommandFixture f;
    TempDir runs;
    QString shownAtStart;
};

TEST_F(RunCommand, StartsTheEngineOnTheExampleAndItsReportAppears) {
#ifndef TALVO_ENGINE_EXE
    GTEST_SKIP() << "the engine is not part of this build";
#else
    if (!fs::exists(TALVO_ENGINE_EXE)) {
        GTEST_SKIP() << "the engine executable is missing";
    }
    fs::create_symlink(TALVO_ENGINE_EXE, f.programDir() / kEngineFileName);
    ASSERT_TRUE(f.window.OpenProjectFile(std::string(TALVO_EXAMPLE_DIR) + "/arterial.tin",
                                         ProjectLayout::Current));
    const fs::path runDir = runs.path() / "run one";
    fs::create_directories(runDir);
    AnswerRunDirectory(runDir);
    f.Trigger("mnuCTM");
    EXPECT_TRUE(f.prompter.cautions.empty())
        << (f.prompter.cautions.empty() ? "" : f.prompter.cautions[0]);
    // The first run directory offered is beside the project, never the program's folder.
    EXPECT_EQ(shownAtStart, QString(TALVO_EXAMPLE_DIR));
    EXPECT_TRUE(fs::exists(f.programDir() / "Talvo.sh"));
    EXPECT_EQ(ReadWhole(f.programDir() / "inout.dir"), runDir.string() + "/\r\n");
    EXPECT_FALSE(ReadWhole(runDir / "input.fin").empty());
    EXPECT_FALSE(ReadWhole(runDir / "plan.tpl").empty());

    // The network as run, for Display to play.
    EXPECT_TRUE(ReadProject((runDir / "input.tin").string(), ProjectLayout::Current).ok);

    // The editor did not wait: the engine is still running in its own window.
    RunWindow* window = f.commands->lastRunWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isRunning());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(window->isVisible());

    EXPECT_TRUE(QTest::qWaitFor([&] { return window->hasEnded(); }, 120000))
        << window->consoleText().toStdString();
    EXPECT_TRUE(window->consoleText().contains("TALVO - CTM SIMULATION"))
        << window->consoleText().toStdString();
    EXPECT_TRUE(window->consoleText().contains("Stop - Program terminated."));
    EXPECT_TRUE(fs::exists(runDir / "output_exist.out"));
    // The window stays open after the run until the user closes it.
    EXPECT_TRUE(window->isVisible());
    window->close();
#endif
}

TEST_F(RunCommand, MissingEngineIsReportedAndTheNextRunOffersTheLastDirectory) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    AnswerRunDirectory(runs.path());
    f.Trigger("mnuCTM");
    EXPECT_EQ(f.prompter.cautions,
              std::vector<std::string>{"'TALVO' not found in the program directory!  It is "
                                       "neccessary to run CTM correctly."});
    EXPECT_TRUE(fs::exists(f.programDir() / "Talvo.sh"));
    EXPECT_FALSE(fs::exists(f.programDir() / "inout.dir"));
    EXPECT_TRUE(fs::is_empty(runs.path()));
    f.answerDialog = [this](QDialog& d) {
        shownAtStart = d.findChild<QLineEdit*>("txtRunDir")->text();
        d.findChild<QPushButton*>("CancelButtom")->click();
    };
    f.Trigger("mnuCTM");
    EXPECT_EQ(shownAtStart, Q(runs.path()));
    EXPECT_EQ(f.prompter.cautions.size(), 2u);
}

TEST_F(RunCommand, ChecksRunBeforeTheDialogAndTheStartScriptIsWrittenAnyway) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.EditGroups([](NetworkTables& t) { t.delayGroups.clear(); });
    f.Trigger("mnuCTM");
    ASSERT_EQ(ProblemTexts(f).size(), 1);
    EXPECT_TRUE(ProblemTexts(f)[0].endsWith("is/are not yet assigned to special road."));
    EXPECT_EQ(f.dialogsShown, 0);
    EXPECT_TRUE(fs::exists(f.programDir() / "Talvo.sh"));
}

TEST_F(RunCommand, ARunFileThatCannotBeWrittenIsShownAndTheEngineNotStarted) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    test::WriteWhole(f.programDir() / kEngineFileName, "");
    const fs::path runDir = runs.path() / "r";
    fs::create_directories(runDir / "input.fin" / "blocked");  // a directory in the way
    AnswerRunDirectory(runDir);
    f.Trigger("mnuCTM");
    ASSERT_EQ(f.prompter.cautions.size(), 1u);
    EXPECT_NE(f.prompter.cautions[0].find("input.fin"), std::string::npos)
        << f.prompter.cautions[0];
    EXPECT_FALSE(fs::exists(f.programDir() / "inout.dir"));
    EXPECT_EQ(f.commands->lastRunWindow(), nullptr);
}

class PrintCommand : public ::testing::Test {
  protected:
    CommandFixture f;
    TempDir out;
};

TEST_F(PrintCommand, SavesTalvoBmpAndPrintsToPdf) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    const fs::path pdf = out.path() / "map.pdf";
    bool asked = false;
    f.commands->choosePrinter = [&](QPrinter& printer) {
        asked = true;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Q(pdf));
        return true;
    };
    f.Trigger("mnuPrint");
    EXPECT_TRUE(asked);
    EXPECT_TRUE(f.prompter.cautions.empty());
    const QImage bitmap(Q(f.programDir() / "talvo.bmp"));
    EXPECT_EQ(bitmap.size(), QSize(1024, 768));
    const std::string text = ReadWhole(pdf);
    EXPECT_EQ(text.substr(0, 5), "%PDF-");
    EXPECT_GT(text.size(), 2000u);
}

TEST_F(PrintCommand, ABitmapThatCannotBeSavedIsShownAndThePrintGoesOn) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    fs::create_directories(f.programDir() / "talvo.bmp" / "in the way");
    const fs::path pdf = out.path() / "map.pdf";
    f.commands->choosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Q(pdf));
        return true;
    };
    f.Trigger("mnuPrint");
    ASSERT_EQ(f.prompter.cautions.size(), 1u);
    EXPECT_NE(f.prompter.cautions[0].find("talvo.bmp' cannot be saved"), std::string::npos)
        << f.prompter.cautions[0];
    EXPECT_EQ(ReadWhole(pdf).substr(0, 5), "%PDF-");
}

TEST_F(PrintCommand, CancelledPrintDialogStillLeavesTheBitmap) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.commands->choosePrinter = [](QPrinter&) { return false; };
    f.Trigger("mnuPrint");
    EXPECT_TRUE(fs::exists(f.programDir() / "talvo.bmp"));
}

TEST_F(PrintCommand, SaveMapPictureWritesAPng) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    f.dialogs.saveNames = {(out.path() / "map").string()};
    f.Trigger("mnuSaveMapPicture");
    ASSERT_EQ(f.dialogs.asked.size(), 1u);
    EXPECT_EQ(f.dialogs.asked[0].filter, "PNG Picture (*.png)|*.png");
    const QImage picture(Q(out.path() / "map.png"));
    EXPECT_EQ(picture.size(), QSize(1024, 768));
    EXPECT_EQ(ReadWhole(out.path() / "map.png").substr(1, 3), "PNG");
}

int CountColour(const QImage& picture, QRect area, QColor colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += picture.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

TEST_F(PrintCommand, PictureShowsTheMultiSelectionAndIgnoresZoomAndScroll) {
    ASSERT_TRUE(f.Open("corridor.tin"));
    const auto draw = [&] {
        return DrawMapForPrint(f.project(), f.window.colours(), f.window.editor().selection());
    };
    // Cell 1 sits at (600, 3000) map units: 40, 200 on the picture.
    const QRect aroundCell1(30, 180, 20, 40);
    const QImage plain = draw();
    EXPECT_EQ(CountColour(plain, aroundCell1, Qt::red), 0);
    EXPECT_GT(CountColour(plain, aroundCell1, QColor(0, 255, 0)), 10);

    f.Select({1});
    const QImage selected = draw();
    EXPECT_GT(CountColour(selected, aroundCell1, Qt::red), 10);

    f.window.view().zoomAbout({0, 0}, 2.0);
    f.window.view().setOrigin({3000, 2000});
    EXPECT_EQ(draw(), selected);
}

}  // namespace
}  // namespace talvo
