// What a user meets in a day's work, driven as the user drives it: typing in the panel
// and the dialogs, undo after clicks and refusals, a file that does not open, a name
// typed without extension, zooming back, and the keyboard.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QMenuBar>
#include <QSpinBox>
#include <algorithm>
#include <set>

#include "WindowFixture.h"
#include "launcher/RunWindow.h"

namespace talvo::test {
namespace {

std::string Arterial() {
    return std::string(TALVO_APP_TEST_DATA) + "/arterial.tin";
}

QLineEdit* PanelField(WindowFixture& f, const char* name) {
    auto* edit = f.window.findChild<QWidget*>("frmConfiguration")->findChild<QLineEdit*>(name);
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

// Two Backspaces after "50" on the way to "45": neither "5" nor "" is stored or refused.
TEST(DailyUse, TypingInSpeedStoresOnlyTheCompleteEntry) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(Arterial(), ProjectLayout::Current));
    f.Click(600, 3000);
    QLineEdit* speed = PanelField(f, "txtSpeed");
    ASSERT_EQ(speed->text(), "50");
    speed->setFocus();
    speed->setCursorPosition(2);
    QTest::keyClick(speed, Qt::Key_Backspace);
    EXPECT_EQ(f.project().tables.cells[0].speed, 50);
    QTest::keyClick(speed, Qt::Key_Backspace);
    EXPECT_EQ(f.project().tables.cells[0].speed, 50);
    EXPECT_EQ(speed->text(), "");
    QTest::keyClicks(speed, "45");
    QTest::keyClick(speed, Qt::Key_Return);
    EXPECT_EQ(f.project().tables.cells[0].speed, 45);
    EXPECT_TRUE(f.prompter.cautions.empty()) << f.prompter.Last();
}

// With a start step of 100, an end of 300 is typed digit by digit.
TEST(DailyUse, AnOriginEndAboveTheStartStepCanBeTyped) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(Arterial(), ProjectLayout::Current));
    f.window.runDialog = [](QDialog& d) {
        if (d.objectName() == "dlgGlobal") {
            QLineEdit* start = d.findChild<QLineEdit*>("txtStartStep");
            start->selectAll();
            QTest::keyClicks(start, "100");
        } else {
            d.findChild<QSpinBox*>("udcTotalORInterval")->setValue(1);
            QLineEdit* start = d.findChild<QLineEdit*>("txtStart");
            start->selectAll();
            QTest::keyClicks(start, "100");
            QLineEdit* end = d.findChild<QLineEdit*>("txtEnd");
            end->selectAll();
            QTest::keyClicks(end, "300");
            QTest::keyClick(end, Qt::Key_Return);
        }
        d.findChild<QPushButton*>("cmdOK")->click();
        return d.result();
    };
    f.Trigger("mnuSimulationParameter");
    ASSERT_EQ(f.project().params.startStep, 100);
    f.Click(900, 3000);  // cell 2, no demand yet
    f.window.findChild<QPushButton*>("cmdORProp")->click();
    EXPECT_TRUE(f.prompter.cautions.empty()) << f.prompter.Last();
    const CellRecord& cell = f.project().tables.cells[1];
    ASSERT_EQ(cell.intervals.size(), 1u);
    EXPECT_EQ(cell.intervals[0].orStart, 100);
    EXPECT_EQ(cell.intervals[0].orEnd, 300);
}

// A click after a drag, or a refused delete, leaves the drag to undo; so is a panel edit.
TEST(DailyUse, UndoSurvivesClicksAndRefusalsAndTakesPanelEdits) {
    WindowFixture f;
    f.UseTool("mnuCell");
    f.Click(1500, 1500);
    f.Click(2400, 1500);
    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    f.Click(2400, 1500);
    f.Trigger("mnuArrow");
    f.Drag(1500, 1500, 1500, 2400);
    f.Click(2400, 1500);
    f.canvas->setFocus();
    QTest::keyClick(f.canvas, Qt::Key_Delete);
    EXPECT_EQ(f.prompter.Last(), "You can't delete this cell because link: 1->2 referencing it.");
    f.Trigger("mnuUndo");
    EXPECT_NEAR(f.project().tables.cells[0].y, 1500, 15);
    EXPECT_EQ(f.project().tables.links.size(), 1u);

    f.Click(2400, 1500);
    QLineEdit* speed = PanelField(f, "txtSpeed");
    speed->selectAll();
    QTest::keyClicks(speed, "80");
    QTest::keyClick(speed, Qt::Key_Return);
    ASSERT_EQ(f.project().tables.cells[1].speed, 80);
    f.Trigger("mnuUndo");
    EXPECT_EQ(f.project().tables.cells[1].speed, 65);
    EXPECT_NEAR(f.project().tables.cells[0].y, 1500, 15);
}

// Ctrl+Z and Ctrl+Y in a panel field, after Enter or with the typing not yet stored, step
// the project's history and keep the selected cell.
TEST(DailyUse, UndoAndRedoKeysWorkInAPanelFieldAndKeepTheSelection) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(Arterial(), ProjectLayout::Current));
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    f.Click(600, 3000);
    QLineEdit* speed = PanelField(f, "txtSpeed");
    ASSERT_EQ(speed->text(), "50");
    speed->setFocus();
    speed->selectAll();
    QTest::keyClicks(speed, "45");
    QTest::keyClick(speed, Qt::Key_Return);
    ASSERT_EQ(f.project().tables.cells[0].speed, 45);
    QTest::keyClick(speed, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.project().tables.cells[0].speed, 50);
    EXPECT_EQ(f.window.editor().selection().selectedKind, SelectedKind::Cell);
    EXPECT_EQ(f.window.editor().selection().selectedID, f.project().tables.cells[0].cellID);
    EXPECT_EQ(speed->text(), "50");
    QTest::keyClick(speed, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(f.project().tables.cells[0].speed, 45);
    // Typing not yet stored is what the undo takes back.
    speed->selectAll();
    QTest::keyClicks(speed, "30");
    QTest::keyClick(speed, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.project().tables.cells[0].speed, 45);
    EXPECT_EQ(speed->text(), "45");
    EXPECT_TRUE(f.prompter.cautions.empty()) << f.prompter.Last();
}

// One run of the checks lists every problem; an entry selects what it names.
TEST(DailyUse, TheChecksListEveryProblemAndAnEntrySelectsItsCells) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(Arterial(), ProjectLayout::Current));
    NetworkTables groups = f.project().tables;
    groups.streets.pop_back();      // "Church Street": cells 26-29
    groups.delayGroups.pop_back();  // cells 29 and 2
    ASSERT_TRUE(f.window.model().SetGroups(groups, "Edit Groups").ok());
    f.Trigger("mnuCTM");
    auto* list = f.window.findChild<QListWidget*>("lstCheckProblems");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(),
              "The cell(s): 26, 27, 28, 29 is/are not yet assigned to street.");
    EXPECT_TRUE(f.window.findChild<QWidget*>("dockChecks")->isVisible());
    EXPECT_TRUE(f.prompter.cautions.empty());
    list->setCurrentRow(0);
    EXPECT_EQ(f.window.editor().selection().selectedCells, (std::vector<int>{26, 27, 28, 29}));
}

// The Window menu lists the run windows and brings one to the front.
TEST(DailyUse, TheWindowMenuBringsBackARunWindow) {
    WindowFixture f;
    auto* run = new RunWindow(f.prompter, &f.window);
    run->setWindowTitle("TALVO - /runs/a");
    run->show();
    auto* menu = f.window.findChild<QMenu*>("mnuWindow");
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QAction* entry = f.Action("mnuRunWindow1");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->text(), "&1 TALVO - /runs/a");
    f.window.activateWindow();
    entry->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowActive(run));
}

// A file that does not read leaves the open network and its parameters, and says where.
TEST(DailyUse, AFailedOpenKeepsTheNetworkAndNamesTheLine) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(Arterial(), ProjectLayout::Current));
    const std::size_t cells = f.project().tables.cells.size();
    const GlobalParameters params = f.project().params;
    const QString caption = f.window.windowTitle();
    const QString broken = f.dir.filePath("broken.tin");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0.25,#FALSE#,125,1800,1,1000,0,1000,20,#FALSE#,60\r\n120,15,4,x\r\n");
    file.close();
    f.dialogs.openNames = {broken.toStdString()};
    f.Trigger("mnuOpen");
    EXPECT_EQ(f.prompter.Last(),
              "Incorrect file format!  Check the version!\n" + broken.toStdString() +
                  ", line 2: populationSize should be a whole number, found \"x\"");
    EXPECT_EQ(f.project().tables.cells.size(), cells);
    EXPECT_EQ(f.project().params.endStep, params.endStep);
    EXPECT_EQ(f.project().params.startStep, params.startStep);
    EXPECT_EQ(f.window.windowTitle(), caption);
}

TEST(DailyUse, SaveAsWithoutExtensionWritesATinFile) {
    WindowFixture f;
    f.UseTool("mnuCell");
    f.Click(1500, 1500);
    f.dialogs.saveNames = {f.dir.filePath("plan").toStdString()};
    f.Trigger("mnuSaveAs");
    EXPECT_TRUE(QFile::exists(f.dir.filePath("plan.tin")));
    EXPECT_FALSE(QFile::exists(f.dir.filePath("plan")));
}

// Zoom > Reset from the menu bar after zooming in shows the network again.
TEST(DailyUse, ResetZoomFromTheMenuBarShowsTheNetwork) {
    WindowFixture f;
    f.UseTool("mnuCell");
    f.Click(1500, 1500);
    f.Trigger("mnuZoomIn");
    f.Trigger("mnuZoomIn");
    f.Trigger("mnuNoZoom");
    EXPECT_DOUBLE_EQ(f.window.view().zoom(), 1.0);
    EXPECT_TRUE(f.picture->rect().contains(f.Pixel(1500, 1500)));
}

QChar Mnemonic(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] != '&') {
                return caption[i + 1].toUpper();
            }
            ++i;
        }
    }
    return {};
}

void ExpectUniqueMnemonics(const QList<QAction*>& actions, const QString& where) {
    std::set<QChar> seen;
    for (const QAction* action : actions) {
        const QChar key = Mnemonic(action->text());
        if (!key.isNull()) {
            EXPECT_TRUE(seen.insert(key).second)
                << where.toStdString() << ": " << action->text().toStdString();
        }
        if (action->menu() != nullptr) {
            ExpectUniqueMnemonics(action->menu()->actions(), action->text());
        }
    }
}

// The entry of the menu bound to the platform's keys for a standard action.
QAction* WithKey(QMenu* menu, QKeySequence::StandardKey key) {
    const QList<QKeySequence> bindings = QKeySequence::keyBindings(key);
    for (QAction* action : menu->actions()) {
        const QList<QKeySequence> shortcuts = action->shortcuts();
        if (!bindings.isEmpty() &&
            std::all_of(bindings.begin(), bindings.end(),
                        [&](const QKeySequence& key) { return shortcuts.contains(key); })) {
            return action;
        }
    }
    return nullptr;
}

TEST(DailyUse, StandardKeysAndUniqueMnemonics) {
    WindowFixture f;
    ExpectUniqueMnemonics(f.window.menuBar()->actions(), "menu bar");
    // The platform's keys where it has them (Save As and Quit have none on some).
    const struct {
        const char* action;
        QKeySequence::StandardKey key;
    } keys[] = {
        {"mnuNew", QKeySequence::New},       {"mnuOpen", QKeySequence::Open},
        {"mnuSave", QKeySequence::Save},     {"mnuSaveAs", QKeySequence::SaveAs},
        {"mnuPrint", QKeySequence::Print},   {"mnuExit", QKeySequence::Quit},
        {"mnuDelete", QKeySequence::Delete},
    };
    for (const auto& k : keys) {
        const QList<QKeySequence> shortcuts = f.Action(k.action)->shortcuts();
        EXPECT_FALSE(shortcuts.isEmpty()) << k.action;
        if (!QKeySequence::keyBindings(k.key).isEmpty()) {
            EXPECT_EQ(shortcuts, QKeySequence::keyBindings(k.key)) << k.action;
        }
    }
    // No key is bound to two entries.
    std::set<QString> bound;
    for (const QAction* action : f.window.findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            EXPECT_TRUE(bound.insert(key.toString()).second)
                << action->objectName().toStdString() << ": " << key.toString().toStdString();
        }
    }
    QMenu* edit = f.window.findChild<QMenu*>("mnuEdit");
    QAction* undo = WithKey(edit, QKeySequence::Undo);
    QAction* redo = WithKey(edit, QKeySequence::Redo);
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    f.UseTool("mnuCell");
    f.Click(1500, 1500);
    undo->trigger();
    EXPECT_TRUE(f.project().tables.cells.empty());
    redo->trigger();
    EXPECT_EQ(f.project().tables.cells.size(), 1u);
}

}  // namespace
}  // namespace talvo::test
