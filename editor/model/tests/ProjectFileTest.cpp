#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "common/ProjectReader.h"
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
    EXPECT_EQ(FormatProject(Project{}), NewProjectText());
}

class RoundTrip : public ::testing::TestWithParam<const char*> {};

TEST_P(RoundTrip, OpenThenSaveIsByteIdentical) {
    const std::string original = DataPath(GetParam());
    const ProjectReadResult read = ReadProject(original, ProjectLayout::Current);
    ASSERT_TRUE(read.ok) << read.detail;
    TempDir dir;
    const std::string saved = dir.file("saved.tin");
    ASSERT_TRUE(SaveProject(saved, read.project).ok());
    EXPECT_EQ(ReadText(saved), ReadText(original));

    // And once more through the saved file.
    const ProjectReadResult again = ReadProject(saved, ProjectLayout::Current);
    ASSERT_TRUE(again.ok) << again.detail;
    const std::string second = dir.file("second.tin");
    ASSERT_TRUE(SaveProject(second, again.project).ok());
    EXPECT_EQ(ReadText(second), ReadText(original));
}

INSTANTIATE_TEST_SUITE_P(References, RoundTrip,
                         ::testing::Values("corridor.tin", "two_intervals.tin"));

TEST(ProjectFile, SaveReplacesAndLeavesNoTemporary) {
    TempDir dir;
    const std::string path = dir.file("p.tin");
    WriteText(path, "old content");
    ASSERT_TRUE(SaveProject(path, Project{}).ok());
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
    const Project project;
    const EditResult result = SaveProject(missingFolder, project);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.message().find(missingFolder), std::string::npos) << result.message();
    EXPECT_NE(result.message().find("No such file or directory"), std::string::npos);

    // A directory in the way of the target: refused, and it is still there.
    const std::string blocked = dir.file("blocked.tin");
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(SaveProject(blocked, project).ok());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
}

// A write-protected project is refused and keeps its content and mode; a link keeps
// pointing at its target, which gets the new content.
TEST(ProjectFile, SaveRefusesAWriteProtectedFileAndFollowsALink) {
    namespace fs = std::filesystem;
    TempDir dir;
    const Project project;
    const std::string locked = dir.file("locked.tin");
    WriteText(locked, "old");
    const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(locked, readOnly);
    EXPECT_EQ(SaveProject(locked, project).message(),
              "The file \"" + locked + "\" could not be written: it is write-protected.");
    EXPECT_EQ(ReadText(locked), "old");
    EXPECT_EQ(fs::status(locked).permissions(), readOnly);

    const std::string target = dir.file("target.tin");
    const std::string link = dir.file("link.tin");
    WriteText(target, "old");
    fs::create_symlink(target, link);
    ASSERT_TRUE(SaveProject(link, project).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(target), NewProjectText());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace talvo
