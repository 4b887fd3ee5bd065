// The TALVO executable as the editor starts it: in a program directory holding inout.dir,
// with no arguments, its console captured, its exit status telling success from failure.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "TestFiles.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::ScratchDir;
using test::WriteFileText;

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

// Runs the engine in `programDir`; returns its exit status and leaves its console output
// in console.txt there.
int RunEngineIn(const fs::path& programDir) {
    const fs::path exe = TALVO_ENGINE_EXE;
    if (!fs::exists(exe)) {
        ADD_FAILURE() << "the engine executable " << exe << " has not been built";
        return -1;
    }
    const std::string command =
        "cd " + Quote(programDir.string()) + " && " + Quote(exe.string()) + " > console.txt 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void PrepareRun(const fs::path& source, const ScratchDir& runDir, const ScratchDir& programDir) {
    fs::copy_file(source / "input.fin", runDir.path() / "input.fin");
    fs::copy_file(source / "plan.tpl", runDir.path() / "plan.tpl");
    WriteFileText(programDir.path() / "inout.dir", runDir.withSeparator() + "\r\n");
}

TEST(EngineExecutable, ReadsTheReferenceScenarioThroughInoutDir) {
    const fs::path source = test::DataDir() / "reference-runs" / "two-junctions";
    ScratchDir runDir, programDir;
    PrepareRun(source, runDir, programDir);
    ASSERT_EQ(RunEngineIn(programDir.path()), 0);
    const std::string console = ReadFileText(programDir.path() / "console.txt");
    EXPECT_EQ(test::ConsoleUpToClosing(console),
              test::ConsoleUpToClosing(ReadFileText(source / "expected" / "console.txt")));
    EXPECT_NE(console.find(" Stop - Program terminated.\n"), std::string::npos);
    EXPECT_EQ(test::EchoPart(ReadFileText(runDir.path() / "output_exist.out")),
              test::EchoPart(ReadFileText(source / "expected" / "output_exist.out")));
}

TEST(EngineExecutable, RunsTheBundledExample) {
    const fs::path source = fs::path(TALVO_SOURCE_DIR) / "examples" / "arterial";
    ScratchDir runDir, programDir;
    PrepareRun(source, runDir, programDir);
    ASSERT_EQ(RunEngineIn(programDir.path()), 0) << ReadFileText(programDir.path() / "console.txt");
    const std::string console = ReadFileText(programDir.path() / "console.txt");
    EXPECT_NE(console.find(" Reading and Writing Cell Information...     28  Cells\n"),
              std::string::npos)
        << console;
    EXPECT_NE(console.find(" Reading and Writing Approach Information... 6  Approaches\n"),
              std::string::npos);
    const std::string report = ReadFileText(runDir.path() / "output_exist.out");
    EXPECT_NE(report.find("Number of Loadings:    6\r\n"), std::string::npos);
    EXPECT_NE(report.find("Intersection:    2    Number of Stages:      3\r\n"), std::string::npos);
}

TEST(EngineExecutable, FailureExitsNonZero) {
    ScratchDir runDir, programDir;
    WriteFileText(runDir.path() / "input.fin", "N\r\n1\r\n");
    WriteFileText(runDir.path() / "plan.tpl", "");
    WriteFileText(programDir.path() / "inout.dir", runDir.withSeparator() + "\r\n");
    EXPECT_EQ(RunEngineIn(programDir.path()), 1);
    const std::string console = ReadFileText(programDir.path() / "console.txt");
    EXPECT_NE(console.find(" Error in " + (runDir.path() / "input.fin").string() +
                           ", line 2: expected wvRatio, found the end of the file\n"),
              std::string::npos)
        << console;
    EXPECT_EQ(console.find("Stop - Program terminated."), std::string::npos);
}

TEST(EngineExecutable, MissingInoutDirExitsNonZero) {
    ScratchDir programDir;
    EXPECT_EQ(RunEngineIn(programDir.path()), 1);
    EXPECT_NE(ReadFileText(programDir.path() / "console.txt").find("inout.dir"), std::string::npos);
}

}  // namespace
}  // namespace talvo
