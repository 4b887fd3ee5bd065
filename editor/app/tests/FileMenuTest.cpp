#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>

#include "WindowFixture.h"

namespace talvo::test {
namespace {

QByteArray Slurp(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

std::string DataFile(const char* name) {
    return std::string(TALVO_APP_TEST_DATA) + "/" + name;
}

// Draws two cells, a link through a node with a signal movement in its stage plan.
void DrawSmallNetwork(WindowFixture& f) {
    f.UseTool("mnuCell");
    f.Click(1500, 1500);
    f.Click(2400, 1500);
    f.Trigger("mnuNode");
    f.Click(1950, 1500);
    f.Trigger("mnuLink");
    f.Click(1500, 1500);
    f.Click(2400, 1500);
    f.Trigger("mnuArrow");
    f.Click(1500, 1500);
    auto* panel = f.window.findChild<QWidget*>("frmConfiguration");
    panel->findChild<QCheckBox*>("chkSignal")->setChecked(true);
    panel->findChild<QComboBox*>("cmbSignalID")->setCurrentIndex(4);
    f.Click(1700, 1500);
    panel->findChild<QComboBox*>("cmbPassIntersection")->setCurrentIndex(1);
    f.Click(1950, 1500);
    auto* available = panel->findChild<QListWidget*>("lstAvailable");
    available->setCurrentRow(0);
    panel->findChild<QPushButton*>("cmdRightArrow")->click();
    Type(panel->findChild<QLineEdit*>("txtPhaseInterval"), "30");
}

TEST(FileMenu, SaveReopenAndSaveAgainGiveTheSameFile) {
    WindowFixture f;
    DrawSmallNetwork(f);
    ASSERT_TRUE(f.prompter.cautions.empty()) << f.prompter.Last();
    const QString first = f.dir.filePath("small.tin");
    f.dialogs.saveNames = {first.toStdString()};
    f.Trigger("mnuSave");
    EXPECT_EQ(f.dialogs.titles.back(), "Save Input Data File Dialog");
    EXPECT_EQ(Caption(f.window), "Visual Talvo Editor - " + first);
    const QByteArray saved = Slurp(first);
    EXPECT_TRUE(saved.contains("1,1,2,3,1\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("30,#FALSE#,1\r\n5\r\n")) << saved.toStdString();

    WindowFixture g;
    g.dialogs.openNames = {first.toStdString()};
    g.Trigger("mnuOpen");
    EXPECT_EQ(g.dialogs.titles.back(), "Open Input Data File Dialog");
    EXPECT_EQ(Caption(g.window), "Visual Talvo Editor - " + first);
    ASSERT_EQ(g.project().tables.cells.size(), 2u);
    EXPECT_EQ(g.project().tables.nodes[0].stages[0].stageMoves, std::vector<int>{5});
    const QString second = g.dir.filePath("again.tin");
    g.dialogs.saveNames = {second.toStdString()};
    g.Trigger("mnuSaveAs");
    EXPECT_EQ(Slurp(second), saved);
    // Save with a current name asks for none.
    g.Trigger("mnuSave");
    EXPECT_TRUE(g.dialogs.saveNames.empty());
    EXPECT_EQ(g.dialogs.titles.size(), 2u);
}

TEST(FileMenu, ReferenceProjectRoundTripsByteForByte) {
    WindowFixture f;
    ASSERT_TRUE(f.window.OpenProjectFile(DataFile("corridor.tin"), ProjectLayout::Current));
    EXPECT_EQ(f.project().tables.cells.size(), 13u);
    const QString out = f.dir.filePath("corridor.tin");
    f.dialogs.saveNames = {out.toStdString()};
    f.Trigger("mnuSaveAs");
    EXPECT_EQ(Slurp(out), Slurp(QString::fromStdString(DataFile("corridor.tin"))));
}

TEST(FileMenu, CancelledSaveDialogDoesNothing) {
    WindowFixture f;
    DrawSmallNetwork(f);
    f.Trigger("mnuSave");
    EXPECT_EQ(Caption(f.window), "Visual Talvo Editor");
    EXPECT_TRUE(f.window.isWindowModified());
}

TEST(FileMenu, MissingAndBrokenFiles) {
    WindowFixture f;
    DrawSmallNetwork(f);
    f.dialogs.saveChoice = SaveChoice::Discard;
    f.dialogs.openNames = {f.dir.filePath("nothing.tin").toStdString()};
    f.Trigger("mnuOpen");
    EXPECT_EQ(f.prompter.Last(), "File not found!\n" + f.dir.filePath("nothing.tin").toStdString());
    EXPECT_EQ(f.project().tables.cells.size(), 2u);

    const QString broken = f.dir.filePath("broken.tin");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("0.25,#FALSE#,125\r\n");
    file.close();
    f.dialogs.openNames = {broken.toStdString()};
    f.Trigger("mnuOpen");
    EXPECT_EQ(f.prompter.Last(), "Incorrect file format!  Check the version!\n" +
                                     broken.toStdString() +
                                     ", line 2: the file ends where saturationFlow was expected");
    EXPECT_EQ(f.project().tables.cells.size(), 2u);
    EXPECT_EQ(Caption(f.window), "Visual Talvo Editor");
}

TEST(FileMenu, UnsavedWorkIsAskedAboutAndNeverLostSilently) {
    WindowFixture f;
    // Nothing to lose: no question.
    f.Trigger("mnuNew");
    EXPECT_TRUE(f.dialogs.questions.empty());

    DrawSmallNetwork(f);
    f.dialogs.saveChoice = SaveChoice::Cancel;
    f.Trigger("mnuNew");
    ASSERT_EQ(f.dialogs.questions.size(), 1u);
    EXPECT_EQ(f.project().tables.cells.size(), 2u);
    f.Trigger("mnuOpen");
    EXPECT_EQ(f.dialogs.questions.size(), 2u);
    EXPECT_TRUE(f.dialogs.titles.empty());  // the open dialog never came
    EXPECT_FALSE(f.window.close());
    EXPECT_EQ(f.dialogs.questions.size(), 3u);

    // Save: the save dialog comes first, then the new network.
    const QString path = f.dir.filePath("kept.tin");
    f.dialogs.saveChoice = SaveChoice::Save;
    f.dialogs.saveNames = {path.toStdString()};
    f.Trigger("mnuNew");
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(f.project().tables.cells.empty());
    EXPECT_EQ(Caption(f.window), "Visual Talvo Editor");

    // A save whose dialog is cancelled keeps the network.
    DrawSmallNetwork(f);
    f.Trigger("mnuNew");
    EXPECT_EQ(f.project().tables.cells.size(), 2u);

    // Discard drops it, and New starts a history of its own.
    f.dialogs.saveChoice = SaveChoice::Discard;
    f.Trigger("mnuNew");
    EXPECT_TRUE(f.project().tables.cells.empty());
    f.Trigger("mnuUndo");
    EXPECT_TRUE(f.project().tables.cells.empty());
    EXPECT_FALSE(f.Action("mnuEditUndo")->isEnabled());
    EXPECT_TRUE(f.window.close());
}

TEST(FileMenu, OpenOldReadsTheLegacyLayout) {
    WindowFixture f;
    const QString path = f.dir.filePath("old.tin");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray text =
        "0.25,#FALSE#,125,1800,1,1000,0,1000,20,#FALSE#,60\r\n"
        "120,15,4,100,10,5,0.5,5,#FALSE#,1,1\r\n"
        "1,1\r\n"
        "1,600,3000,1,1,65,#FALSE#,0,1,1,0,0,#FALSE#\r\n";
    text += QByteArray("0") + QByteArray(",0").repeated(99) + "\r\n";
    text += "0,0\r\n0\r\n0\r\n1\r\n1,9,9,9,1,1.5,100\r\n";
    file.write(text);
    file.close();
    f.dialogs.openNames = {path.toStdString()};
    f.Trigger("mnuOpenOld");
    EXPECT_TRUE(f.prompter.cautions.empty()) << f.prompter.Last();
    ASSERT_EQ(f.project().tables.cells.size(), 1u);
    EXPECT_EQ(f.project().tables.delayGroups.size(), 1u);
}

}  // namespace
}  // namespace talvo::test

namespace talvo::test {
namespace {

TEST(FileMenu, AFailedSaveIsReportedAndKeepsNameAndCaption) {
    WindowFixture f;
    f.UseTool("mnuCell");
    f.Click(1500, 1500);
    const QString good = f.dir.filePath("good.tin");
    f.dialogs.saveNames = {good.toStdString()};
    f.Trigger("mnuSave");
    const QString caption = Caption(f.window);
    f.Click(2100, 1500);
    f.dialogs.saveNames = {f.dir.filePath("no/such/folder/bad.tin").toStdString()};
    f.Trigger("mnuSaveAs");
    ASSERT_EQ(f.prompter.cautions.size(), 1u);
    EXPECT_NE(f.prompter.Last().find("bad.tin"), std::string::npos) << f.prompter.Last();
    EXPECT_EQ(Caption(f.window), caption);
    EXPECT_EQ(f.window.model().fileName(), good.toStdString());
    EXPECT_TRUE(f.window.isWindowModified());
}

}  // namespace
}  // namespace talvo::test
