#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "common/ProjectReader.h"
#include "model/EditorModel.h"
#include "model/ProjectWriter.h"

namespace talvo {
namespace {

using test::DataPath;
using test::ReadText;
using test::TempDir;
using test::WriteText;

std::string NewProjectText() {
    std::string text =
        "0.25,#FALSE#,125,1800,1,1000,0,1000,20,#FALSE#,60\r\n"
        "120,15,4,100,10,5,0.5,5,#FALSE#,1,1\r\n"
        "0,0\r\n";
    for (int k = 1; k <= 100; ++k) {
        text += (k == 1 ? "0" : ",0");
    }
    text += "\r\n0,0\r\n0\r\n0\r\n0\r\n0\r\n1.5,100\r\n";
    return text;
}

TEST(ProjectFile, NewNetworkSavesAsExpected) {
    const EditorModel model;
    EXPECT_EQ(FormatProject(model.project()), NewProjectText());
}

class RoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTrip, OpenThenSaveIsByteIdentical) {
    const std::string original = DataPath(GetParam());
    EditorModel model;
    ASSERT_TRUE(model.OpenProject(original, ProjectLayout::Current).ok()) << model.LastReadDetail();
    TempDir dir;
    const std::string saved = dir.file("saved.tin");
    ASSERT_TRUE(model.SaveProject(saved).ok());
    EXPECT_EQ(ReadText(saved), ReadText(original));

    // And once more through the saved file.
    EditorModel again;
    ASSERT_TRUE(again.OpenProject(saved, ProjectLayout::Current).ok());
    const std::string second = dir.file("second.tin");
    ASSERT_TRUE(again.SaveProject(second).ok());
    EXPECT_EQ(ReadText(second), ReadText(original));
}

INSTANTIATE_TEST_SUITE_P(References, RoundTrip,
                         ::testing::Values("corridor.tin", "two_intervals.tin"));

TEST(ProjectFile, EditedNetworkRoundTrips) {
    EditorModel model;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(model.AddCell(100.25 * i, 7.5).ok());
    }
    const int node = model.AddNode(300, 20).id();
    ASSERT_TRUE(model.AddLink(1, 2).ok());
    ASSERT_TRUE(model.AddLink(2, 3).ok());
    ASSERT_TRUE(model.AddLink(2, 4).ok());
    model.linkAt(2).mergeDivert = 0.6;
    model.linkAt(3).mergeDivert = 0.4;
    model.linkAt(2).passNode = node;
    ASSERT_TRUE(model.SetCellSignal(2, 12).ok());
    NodeRecord& n = model.nodeAt(1);
    n.stageNum = 3;
    n.offset = 7;
    n.stages[0] = {30, true, {12}};
    n.stages[1] = {5, false, {}};
    n.stages[2] = {25, false, {12}};
    model.cellAt(1).intervals = {{900, 0, 300}, {450, 301, 1000}};
    model.cellAt(3).ownOccupancy = true;
    model.cellAt(3).initialCarNum = 40;
    model.cellAt(4).isDummy = true;
    model.tables().streets.push_back({"Quay \"Road\"", 10.5, 20, {1, 2, 3, 4}});
    model.tables().delayGroups.push_back({{1, 2}});
    model.tables().delayGroups.push_back({{3}});
    model.tables().plotGroups.push_back({{1, 2, 3}, true, 0, 900});
    model.tables().plotGroups.push_back({{4}, false, 10, 20});
    model.params().wvRatio = 0.4;
    model.params().optimizationOn = true;
    model.params().volMultiplier = 1.25;
    model.params().cellScaleX = 2.25;

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
    ASSERT_TRUE(SaveProject(dir.file("a.tin"), model.project()).ok());
    const ProjectReadResult read = ReadProject(dir.file("a.tin"), ProjectLayout::Current);
    ASSERT_TRUE(read.ok) << read.detail;
    EXPECT_EQ(FormatProject(read.project), text);
}

TEST(ProjectFile, SaveReplacesAndLeavesNoTemporary) {
    TempDir dir;
    const std::string path = dir.file("p.tin");
    WriteText(path, "old content");
    EditorModel model;
    ASSERT_TRUE(model.SaveProject(path).ok());
    EXPECT_EQ(ReadText(path), NewProjectText());
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
}

TEST(ProjectFile, FailedSaveNamesFileAndKeepsThePrevious) {
    TempDir dir;
    const std::string missingFolder = dir.file("no-such-folder/p.tin");
    const EditorModel model;
    const EditResult result = model.SaveProject(missingFolder);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.message().find(missingFolder), std::string::npos) << result.message();
    EXPECT_NE(result.message().find("No such file or directory"), std::string::npos);

    // A directory in the way of the target: refused, and it is still there.
    const std::string blocked = dir.file("blocked.tin");
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(model.SaveProject(blocked).ok());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
}

// A write-protected project is refused and keeps its content and mode; a link keeps
// pointing at its target, which gets the new content.
TEST(ProjectFile, SaveRefusesAWriteProtectedFileAndFollowsALink) {
    namespace fs = std::filesystem;
    TempDir dir;
    const EditorModel model;
    const std::string locked = dir.file("locked.tin");
    WriteText(locked, "old");
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(locked, readOnly);
    EXPECT_EQ(model.SaveProject(locked).message(),
              "The file \"" + locked + "\" could not be written: it is write-protected.");
    EXPECT_EQ(ReadText(locked), "old");
    EXPECT_EQ(fs::status(locked).permissions(), readOnly);

    const std::string target = dir.file("target.tin");
    const std::string link = dir.file("link.tin");
    WriteText(target, "old");
    fs::create_symlink(target, link);
    ASSERT_TRUE(model.SaveProject(link).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(target), NewProjectText());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

TEST(ProjectFile, OpenMissingFileLeavesModelUntouched) {
    EditorModel model;
    ASSERT_TRUE(model.AddCell(1, 2).ok());
    const EditResult result = model.OpenProject(DataPath("none.tin"), ProjectLayout::Current);
    EXPECT_EQ(result.message(), "File not found!");
    EXPECT_EQ(model.tables().cells.size(), 1u);
    EXPECT_FALSE(model.HasSnapshot());
}

TEST(ProjectFile, FailedOpenResetsTheModelAndKeepsUndo) {
    TempDir dir;
    std::string text = ReadText(DataPath("corridor.tin"));
    text.replace(text.find("13,15\r\n"), 7, "501,15\r\n");
    WriteText(dir.file("big.tin"), text);

    EditorModel model;
    ASSERT_TRUE(model.AddCell(1, 2).ok());
    model.params().initialCellOccupancy = 15;
    const EditResult result = model.OpenProject(dir.file("big.tin"), ProjectLayout::Current);
    EXPECT_EQ(result.message(), "Incorrect file format!  Check the version!");
    EXPECT_NE(model.LastReadDetail().find("cellCount 501"), std::string::npos);
    EXPECT_TRUE(model.tables().cells.empty());
    EXPECT_EQ(model.tables().lastCellID, 0);
    EXPECT_EQ(model.params().initialCellOccupancy, 15);
    ASSERT_TRUE(model.RestoreSnapshot());  // the open took the snapshot first
    EXPECT_EQ(model.tables().cells.size(), 1u);
}

TEST(ProjectFile, CountersBelowTheIDsInUseNeverHandOutATakenID) {
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

TEST(ProjectFile, OpenOldReadsLegacyAndSavesCurrent) {
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

}  // namespace
}  // namespace talvo
