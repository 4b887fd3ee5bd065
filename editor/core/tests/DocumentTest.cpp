// The document: opening, saving and the file commands, with the history they leave.
#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "core/EditorModel.h"
#include "core/FileCommands.h"
#include "model/ProjectWriter.h"

namespace talvo {
namespace {

using test::DataPath;
using test::ReadText;
using test::TempDir;
using test::WriteText;

TEST(Document, EditedNetworkRoundTrips) {
    EditorModel model;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(model.AddCell(100.25 * i, 7.5).ok());
    }
    const int node = model.AddNode(300, 20).id();
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    ASSERT_TRUE(model.AddLink(2, 3).ok());
    ASSERT_TRUE(model.AddLink(2, 4).ok());
    ASSERT_TRUE(model.SetLinkMergeDivert(2, 0.6).ok());
    ASSERT_TRUE(model.SetLinkMergeDivert(3, 0.4).ok());
    ASSERT_TRUE(model.SetLinkPassNode(2, node).ok());
    ASSERT_TRUE(model.SetCellSignal(2, 12).ok());
    ASSERT_TRUE(model.SetStageCount(node, 3).ok());
    ASSERT_TRUE(model.SetNodeOffset(node, 7).ok());
    ASSERT_TRUE(model.SetStageTime(node, 0, 30).ok());
    ASSERT_TRUE(model.SetStageOptimize(node, 0, true).ok());
    ASSERT_TRUE(model.AddStageMove(node, 0, 12).ok());
    ASSERT_TRUE(model.SetStageTime(node, 1, 5).ok());
    ASSERT_TRUE(model.SetStageTime(node, 2, 25).ok());
    ASSERT_TRUE(model.AddStageMove(node, 2, 12).ok());
    ASSERT_TRUE(model.SetCellIntervals(1, {{900, 0, 300}, {450, 301, 1000}}).ok());
    ASSERT_TRUE(model.SetCellValue(3, CellField::OwnOccupancy, 1).ok());
    ASSERT_TRUE(model.SetCellValue(3, CellField::InitialCarNum, 40).ok());
    ASSERT_TRUE(model.SetCellValue(4, CellField::Dummy, 1).ok());
    NetworkTables groups;
    groups.streets.push_back({"Quay \"Road\"", 10.5, 20, {1, 2, 3, 4}});
    groups.delayGroups = {{{1, 2}}, {{3}}};
    groups.plotGroups = {{{1, 2, 3}, true, 0, 900}, {{4}, false, 10, 20}};
    ASSERT_TRUE(model.SetGroups(groups, "Grouping").ok());
    GlobalParameters params = model.params();
    params.wvRatio = 0.4;
    params.optimizationOn = true;
    params.volMultiplier = 1.25;
    params.cellScaleX = 2.25;
    ASSERT_TRUE(model.SetParameters(params, "Simulation Parameters").ok());

    const std::string text = FormatProject(model.project());
    // A node with 3 stages of which the second has no movements: 1 + 3 + 2 lines.
    EXPECT_NE(
        text.find("5,300,20,3,7\r\n30,#TRUE#,1\r\n12\r\n5,#FALSE#,0\r\n25,#FALSE#,1\r\n12\r\n"),
        std::string::npos);
    // A cell with two intervals carries 19 fields.
    EXPECT_NE(text.find("1,0,7.5,1,1,65,#FALSE#,0,1,1,0,2,900,0,300,450,301,1000,#FALSE#\r\n"),
              std::string::npos);
    // Quotes cannot stand inside a stored name.
    EXPECT_NE(text.find("\"Quay 'Road'\",10.5,20,4\r\n1,2,3,4\r\n"), std::string::npos);
    EXPECT_NE(text.find("2\r\n2,1,2,1,3,2\r\n3,#TRUE#,0,900,1,2,3,1,#FALSE#,10,20,4,2.25,100\r\n"),
              std::string::npos);

    TempDir dir;
    ASSERT_TRUE(model.SaveProject(dir.file("a.tin")).ok());
    EditorModel again;
    ASSERT_TRUE(again.OpenProject(dir.file("a.tin"), ProjectLayout::Current).ok());
    EXPECT_EQ(FormatProject(again.project()), text);
}

// A junction with more stages, movements and loading intervals than the old fixed tables
// held is edited, saved and read back whole; one past the engine's bounds is refused.
TEST(Document, StagesMovementsAndIntervalsBeyondTheOldTablesRoundTrip) {
    EditorModel model;
    ASSERT_TRUE(model.AddCell(100, 100).ok());
    const int node = model.AddNode(500, 500).id();
    ASSERT_TRUE(model.SetStageCount(node, 25).ok());
    ASSERT_TRUE(model.SetStageTime(node, 24, 33).ok());
    for (int k = 1; k <= 21; ++k) {
        ASSERT_TRUE(model.AddStageMove(node, 24, k).ok());
    }
    std::vector<OriginInterval> intervals;
    for (int i = 0; i < 31; ++i) {
        intervals.push_back({100 + i, 10 * i, 10 * i + 9});
    }
    ASSERT_TRUE(model.SetCellIntervals(1, intervals).ok());
    EXPECT_EQ(model.SetStageCount(node, Capacity::kStages + 1).message(),
              "A node must have between 1 and " + std::to_string(Capacity::kStages) + " stages.");
    intervals.resize(Capacity::kOriginIntervals + 1);
    EXPECT_FALSE(model.SetCellIntervals(1, intervals).ok());

    TempDir dir;
    ASSERT_TRUE(model.SaveProject(dir.file("big.tin")).ok());
    EditorModel again;
    ASSERT_TRUE(again.OpenProject(dir.file("big.tin"), ProjectLayout::Current).ok());
    EXPECT_EQ(again.project(), model.project());
    EXPECT_EQ(again.FindNode(node)->stages[24].stageMoveNum(), 21);
    // Back to three stages: the node keeps the records every node has, and no more.
    ASSERT_TRUE(model.SetStageCount(node, 3).ok());
    EXPECT_EQ(model.FindNode(node)->stages.size(), std::size_t{Capacity::kKeptStages});
}

TEST(Document, OpenMissingFileLeavesEverythingAsItWas) {
    EditorModel model;
    ASSERT_TRUE(model.AddCell(1, 2).ok());
    const EditResult result = model.OpenProject(DataPath("none.tin"), ProjectLayout::Current);
    EXPECT_EQ(result.message(), "File not found!\n" + DataPath("none.tin"));
    EXPECT_EQ(model.tables().cells.size(), 1u);
    EXPECT_EQ(model.history().count(), 1);
}

// Open reads into a fresh project: a failure leaves the network, its parameters, its
// file name and its history as they were, and says where the file went wrong.
TEST(Document, FailedOpenKeepsTheOpenNetworkAndNamesFileLineAndValue) {
    TempDir dir;
    std::string text = ReadText(DataPath("corridor.tin"));
    text.replace(text.find("13,15\r\n"), 7, "1000001,15\r\n");
    WriteText(dir.file("big.tin"), text);

    EditorModel model;
    ASSERT_TRUE(model.OpenProject(DataPath("two_intervals.tin"), ProjectLayout::Current).ok());
    ASSERT_TRUE(model.AddCell(1, 2).ok());
    const Project before = model.project();
    const std::string name = model.fileName();
    const int steps = model.history().count();

    const EditResult result = model.OpenProject(dir.file("big.tin"), ProjectLayout::Current);
    EXPECT_EQ(result.message(), "Incorrect file format!  Check the version!\n" +
                                    dir.file("big.tin") +
                                    ", line 3: cellCount 1000001 is outside 0 to 1000000");
    EXPECT_EQ(model.project(), before);
    EXPECT_EQ(model.params().endStep, 1800);  // the open project's, not File New's
    EXPECT_EQ(model.fileName(), name);
    EXPECT_EQ(model.history().count(), steps);
    EXPECT_TRUE(model.isModified());
}

// Open starts a history of its own: an undo that brought back the previous project, with
// the new file's name marked modified, would have a save write it over the file just opened.
TEST(Document, UndoAfterAnOpenCannotBringBackThePreviousProject) {
    TempDir dir;
    EditorModel model;
    ASSERT_TRUE(model.AddCell(1, 2).ok());
    GlobalParameters params = model.params();
    params.endStep = 600;
    ASSERT_TRUE(model.SetParameters(params, "Simulation Parameters").ok());
    ASSERT_TRUE(model.SaveProject(dir.file("first.tin")).ok());
    const Project before = model.project();

    ASSERT_TRUE(model.OpenProject(DataPath("corridor.tin"), ProjectLayout::Current).ok());
    EXPECT_EQ(model.fileName(), DataPath("corridor.tin"));
    EXPECT_FALSE(model.isModified());
    EXPECT_FALSE(model.history().canUndo());
    model.Undo();
    EXPECT_NE(model.project(), before);
    EXPECT_EQ(model.tables().cells.size(), 13u);
    EXPECT_EQ(model.fileName(), DataPath("corridor.tin"));
    EXPECT_FALSE(model.isModified());
    EXPECT_FALSE(model.history().canRedo());
}

TEST(Document, CountersBelowTheIDsInUseNeverHandOutATakenID) {
    // A file whose counters lag behind its cells, nodes and links (edited by hand, or
    // damaged): new objects still get numbers of their own.
    TempDir dir;
    std::string text = ReadText(DataPath("corridor.tin"));
    text.replace(text.find("13,15\r\n"), 7, "13,3\r\n");
    text.replace(text.find("10,10\r\n"), 7, "10,2\r\n");
    WriteText(dir.file("lagging.tin"), text);

    EditorModel model;
    ASSERT_TRUE(model.OpenProject(dir.file("lagging.tin"), ProjectLayout::Current).ok());
    EXPECT_EQ(model.AddCell(0, 0).id(), 16);
    EXPECT_EQ(model.AddNode(0, 0).id(), 17);
    EXPECT_EQ(model.AddCell(0, 0).id(), 18);
    EXPECT_EQ(model.AddLink(16, 18).id(), 11);
}

TEST(Document, OpenOldReadsLegacyAndSavesCurrent) {
    TempDir dir;
    std::string text = ReadText(DataPath("corridor.tin"));
    const std::string current =
        "3\r\n7,1,2,3,4,5,6,7,3,10,11,12,3,13,14,15,1\r\n"
        "7,#TRUE#,0,600,1,2,3,4,5,6,7,1.5,100\r\n";
    text.replace(text.find(current), current.size(),
                 "3\r\n7,0,0,0,1,2,3,4,5,6,7,3,0,0,0,10,11,12,3,0,0,0,13,14,15,1.5,100\r\n");
    WriteText(dir.file("old.tin"), text);

    EditorModel model;
    ASSERT_TRUE(model.OpenProject(dir.file("old.tin"), ProjectLayout::Legacy).ok());
    EXPECT_TRUE(model.tables().plotGroups.empty());
    EXPECT_EQ(model.tables().delayGroups.size(), 3u);
    ASSERT_TRUE(model.SaveProject(dir.file("new.tin")).ok());
    std::string expected = ReadText(DataPath("corridor.tin"));
    expected.replace(expected.find(current), current.size(),
                     "3\r\n7,1,2,3,4,5,6,7,3,10,11,12,3,13,14,15,0\r\n1.5,100\r\n");
    EXPECT_EQ(ReadText(dir.file("new.tin")), expected);

    // The legacy file read as current fails.
    EditorModel other;
    EXPECT_FALSE(other.OpenProject(dir.file("old.tin"), ProjectLayout::Current).ok());
    EXPECT_TRUE(other.tables().cells.empty());
}

TEST(Document, ANameWithoutExtensionGetsTin) {
    const struct {
        const char* typed;
        const char* saved;
    } cases[] = {
        {"/tmp/plan", "/tmp/plan.tin"},
        {"/tmp/plan.tin", "/tmp/plan.tin"},
        {"/tmp/plan.txt", "/tmp/plan.txt"},
        {"/tmp/v1.2/plan", "/tmp/v1.2/plan.tin"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithDefaultExtension(c.typed, ".tin"), c.saved) << c.typed;
    }
}

TEST(FileCommands, SaveAsWithoutExtensionWritesTheTinFileAndSaveKeepsItsName) {
    TempDir dir;
    EditorModel model;
    test::RecordingPrompter prompter;
    test::ScriptedDialogs dialogs;
    FileCommands files(model, prompter, dialogs);
    ASSERT_TRUE(model.AddCell(1, 2).ok());
    dialogs.saveNames = {dir.file("plan")};
    ASSERT_TRUE(files.SaveAs());
    EXPECT_TRUE(std::filesystem::exists(dir.file("plan.tin")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("plan")));
    EXPECT_EQ(model.fileName(), dir.file("plan.tin"));
    EXPECT_FALSE(model.isModified());
    // Undoing back to the saved state clears the mark again.
    ASSERT_TRUE(model.AddCell(3, 4).ok());
    EXPECT_TRUE(model.isModified());
    model.Undo();
    EXPECT_FALSE(model.isModified());
    model.Undo();
    EXPECT_TRUE(model.isModified());
    EXPECT_TRUE(files.Save());
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_TRUE(prompter.cautions.empty());
}

TEST(FileCommands, UnsavedWorkIsAskedAboutBeforeNewAndOpen) {
    EditorModel model;
    test::RecordingPrompter prompter;
    test::ScriptedDialogs dialogs;
    FileCommands files(model, prompter, dialogs);
    files.New();
    EXPECT_TRUE(dialogs.questions.empty());  // nothing to lose
    ASSERT_TRUE(model.AddCell(1, 2).ok());
    dialogs.saveChoice = SaveChoice::Cancel;
    files.New();
    files.Open(ProjectLayout::Current);
    EXPECT_EQ(dialogs.questions.size(), 2u);
    EXPECT_TRUE(dialogs.titles.empty());
    EXPECT_EQ(model.tables().cells.size(), 1u);
    dialogs.saveChoice = SaveChoice::Discard;
    dialogs.openNames = {DataPath("corridor.tin")};
    files.Open(ProjectLayout::Current);
    EXPECT_EQ(dialogs.titles.back(), "Open Input Data File Dialog");
    EXPECT_EQ(model.tables().cells.size(), 13u);
}

}  // namespace
}  // namespace talvo
