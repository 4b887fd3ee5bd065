// The TALVO executable as the editor starts it (in a program directory holding inout.dir,
// with no arguments) and as scripts start it (with a run directory and options), its
// console captured, its exit status telling success from failure.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>
#include <vector>

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

// Runs the engine in `programDir` with `arguments`; returns its exit status and leaves its
// console output in console.txt there (standard error in errors.txt when asked apart).
int RunEngineIn(const fs::path& programDir, const std::vector<std::string>& arguments = {},
                bool errorsApart = false) {
    const fs::path exe = TALVO_ENGINE_EXE;
    if (!fs::exists(exe)) {
        ADD_FAILURE() << "the engine executable " << exe << " has not been built";
        return -1;
    }
    std::string command = "cd " + Quote(programDir.string()) + " && " + Quote(exe.string());
    for (const std::string& argument : arguments) {
        command.append(" ").append(Quote(argument));
    }
    command += errorsApart ? " > console.txt 2> errors.txt" : " > console.txt 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every file of a directory by name, with its bytes.
std::map<std::string, std::string> FilesOf(const fs::path& dir) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        files[entry.path().filename().string()] = ReadFileText(entry.path());
    }
    return files;
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

TEST(EngineExecutable, ARunDirectoryOnTheCommandLineGivesTheFilesOfAnInoutDirRun) {
    const fs::path source = fs::path(TALVO_SOURCE_DIR) / "examples" / "arterial";
    ScratchDir viaInout, programDir;
    PrepareRun(source, viaInout, programDir);
    ASSERT_EQ(RunEngineIn(programDir.path()), 0);
    const auto expected = FilesOf(viaInout.path());
    const std::string expectedConsole = ReadFileText(programDir.path() / "console.txt");
    ASSERT_GT(expected.size(), 5u);

    const std::vector<std::vector<std::string>> commandLines = {
        {}, {"--threads", "1"}, {"--threads=2"}, {"--"}};
    for (const auto& options : commandLines) {
        ScratchDir runDir, elsewhere;  // elsewhere: a directory without inout.dir
        fs::copy_file(source / "input.fin", runDir.path() / "input.fin");
        fs::copy_file(source / "plan.tpl", runDir.path() / "plan.tpl");
        std::vector<std::string> arguments = options;
        arguments.push_back(runDir.path().string());  // without its final separator
        ASSERT_EQ(RunEngineIn(elsewhere.path(), arguments), 0)
            << ReadFileText(elsewhere.path() / "console.txt");
        EXPECT_EQ(FilesOf(runDir.path()), expected) << options.size();
        EXPECT_EQ(ReadFileText(elsewhere.path() / "console.txt"), expectedConsole);
    }
}

TEST(EngineExecutable, AWrongCommandLineExitsWithTwoAndTheUsageLine) {
    ScratchDir programDir, runDir;
    WriteFileText(programDir.path() / "a-file", "");
    const std::vector<std::vector<std::string>> wrong = {
        {"--frobnicate"},
        {"--threads"},
        {"--threads", "many", runDir.path().string()},
        {"--threads=0"},
        {(programDir.path() / "no-such-dir").string()},
        {(programDir.path() / "a-file").string()},
        {runDir.path().string(), programDir.path().string()},
        {""}};
    for (const auto& arguments : wrong) {
        EXPECT_EQ(RunEngineIn(programDir.path(), arguments, true), 2) << arguments[0];
        const std::string errors = ReadFileText(programDir.path() / "errors.txt");
        EXPECT_EQ(errors.rfind("TALVO: ", 0), 0u) << errors;
        EXPECT_NE(errors.find("\nUsage: TALVO [--threads N] [--refine] [RUN_DIR]\n"), std::string::npos)
            << errors;
        EXPECT_EQ(ReadFileText(programDir.path() / "console.txt"), "");
    }
    EXPECT_TRUE(fs::is_empty(runDir.path()));
}

TEST(EngineExecutable, HelpAndVersionPrintAndExitWithZero) {
    ScratchDir programDir;
    EXPECT_EQ(RunEngineIn(programDir.path(), {"--help"}), 0);
    const std::string help = ReadFileText(programDir.path() / "console.txt");
    EXPECT_EQ(help.rfind("Usage: TALVO [--threads N] [--refine] [RUN_DIR]\n", 0), 0u) << help;
    for (const char* named : {"inout.dir", "input.fin", "plan.tpl", "output_exist.out",
                              "ctmplot_1.plt", "Exit status"}) {
        EXPECT_NE(help.find(named), std::string::npos) << named;
    }
    EXPECT_EQ(RunEngineIn(programDir.path(), {"--version"}), 0);
    EXPECT_EQ(ReadFileText(programDir.path() / "console.txt").rfind("TALVO 1.", 0), 0u);
}

}  // namespace
}  // namespace talvo
