#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "TempDir.h"
#include "launcher/RunDirectoryDialog.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

QStringList Entries(const QListWidget& list) {
    QStringList names;
    for (int i = 0; i < list.count(); ++i) {
        names << list.item(i)->text();
    }
    return names;
}

TEST(RunDirectoryDialog, FirstShowsTheProgramDirectoryThenTheLastShown) {
    TempDir temp;
    fs::create_directories(temp.path() / "bin");
    fs::create_directories(temp.path() / "runs" / "b");
    fs::create_directories(temp.path() / "runs" / "a");
    RunDirectoryMemory memory;
    {
        RunDirectoryDialog dialog(memory, Q(temp.path() / "bin"), nullptr);
        EXPECT_EQ(dialog.objectName(), "dlgCTM");
        EXPECT_EQ(dialog.windowTitle(), "CTM Running Directory");
        EXPECT_EQ(dialog.shownDirectory(), Q(temp.path() / "bin"));
        auto* list = dialog.findChild<QListWidget*>("runDir");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(Entries(*list), QStringList{".."});
        // Going up, then into "runs": the list shows its folders in name order.
        emit list->itemActivated(list->item(0));
        EXPECT_EQ(dialog.shownDirectory(), Q(temp.path()));
        const auto found = list->findItems("runs", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        emit list->itemActivated(found[0]);
        EXPECT_EQ(Entries(*list), (QStringList{"..", "a", "b"}));
        dialog.findChild<QPushButton*>("CancelButtom")->click();
        EXPECT_EQ(dialog.result(), "");
    }
    RunDirectoryDialog again(memory, Q(temp.path() / "bin"), nullptr);
    EXPECT_EQ(again.shownDirectory(), Q(temp.path() / "runs"));
    again.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(again.result(), Q(temp.path() / "runs"));
}

// A single click on a folder and OK: that folder, not the one around it, takes the run.
TEST(RunDirectoryDialog, OkTakesTheHighlightedFolder) {
    TempDir temp;
    fs::create_directories(temp.path() / "runs" / "a");
    fs::create_directories(temp.path() / "runs" / "b");
    RunDirectoryMemory memory;
    RunDirectoryDialog dialog(memory, Q(temp.path() / "runs"), nullptr);
    auto* list = dialog.findChild<QListWidget*>("runDir");
    ASSERT_NE(list, nullptr);
    const auto b = list->findItems("b", Qt::MatchExactly);
    ASSERT_EQ(b.size(), 1);
    list->setCurrentItem(b[0]);
    dialog.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(dialog.result(), Q(temp.path() / "runs" / "b"));
    // The next run offers it again.
    RunDirectoryDialog again(memory, Q(temp.path()), nullptr);
    EXPECT_EQ(again.shownDirectory(), Q(temp.path() / "runs" / "b"));
}

TEST(RunDirectoryDialog, TypedPathIsShownWhenItIsADirectory) {
    TempDir temp;
    fs::create_directories(temp.path() / "x" / "y");
    RunDirectoryMemory memory;
    RunDirectoryDialog dialog(memory, Q(temp.path()), nullptr);
    auto* typed = dialog.findChild<QLineEdit*>("txtRunDir");
    ASSERT_NE(typed, nullptr);
    typed->setText(Q(temp.path() / "x" / "y"));
    emit typed->returnPressed();
    EXPECT_EQ(dialog.shownDirectory(), Q(temp.path() / "x" / "y"));
    typed->setText(Q(temp.path() / "missing"));
    emit typed->returnPressed();
    EXPECT_EQ(dialog.shownDirectory(), Q(temp.path() / "x" / "y"));
    EXPECT_EQ(typed->text(), Q(temp.path() / "x" / "y"));
}

// The first run of a project goes beside it, never beside the programs; Enter in the
// path box only shows the typed folder.
TEST(RunDirectoryDialog, StartsBesideTheProjectAndEnterOnlyTakesThePath) {
    TempDir temp;
    fs::create_directories(temp.path() / "with" / "runs");
    fs::create_directories(temp.path() / "without");
    EXPECT_EQ(FirstRunDirectory(Q(temp.path() / "with" / "a.tin")),
              Q(temp.path() / "with" / "runs"));
    EXPECT_EQ(FirstRunDirectory(Q(temp.path() / "without" / "a.tin")), Q(temp.path() / "without"));
    EXPECT_EQ(FirstRunDirectory(""), QDir::homePath());

    RunDirectoryMemory memory;
    RunDirectoryDialog dialog(memory, FirstRunDirectory(Q(temp.path() / "with" / "a.tin")));
    dialog.show();
    auto* typed = dialog.findChild<QLineEdit*>("txtRunDir");
    typed->setFocus();
    typed->setText(Q(temp.path() / "without"));
    QTest::keyClick(typed, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.shownDirectory(), Q(temp.path() / "without"));
    EXPECT_EQ(dialog.result(), "");
}

TEST(RunDirectoryDialog, NewFolderMakesTheFirstFreeRunFolderAndShowsIt) {
    TempDir temp;
    fs::create_directories(temp.path() / "run-1");
    RunDirectoryMemory memory;
    RunDirectoryDialog dialog(memory, Q(temp.path()), nullptr);
    dialog.findChild<QPushButton*>("cmdNewFolder")->click();
    EXPECT_TRUE(fs::is_directory(temp.path() / "run-2"));
    EXPECT_EQ(dialog.shownDirectory(), Q(temp.path() / "run-2"));
    dialog.findChild<QPushButton*>("OKButton")->click();
    EXPECT_EQ(dialog.result(), Q(temp.path() / "run-2"));
}

TEST(RunDirectoryDialog, RemovedLastDirectoryFallsBackToItsNearestParent) {
    TempDir temp;
    fs::create_directories(temp.path() / "gone");
    RunDirectoryMemory memory{Q(temp.path() / "gone")};
    fs::remove(temp.path() / "gone");
    RunDirectoryDialog dialog(memory, "/", nullptr);
    EXPECT_EQ(dialog.shownDirectory(), Q(temp.path()));
}

}  // namespace
}  // namespace talvo
