// How a run ends and what it leaves: the earlier results after a run that stops (a signal,
// a full disk, an error in the input), and the run directory as the command line and
// inout.dir name it.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <csignal>
#include <sstream>
#include <thread>

#include "TestFiles.h"
#include "run/CommandLine.h"
#include "talvo/Engine.h"

extern char** environ;

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::ScratchDir;
using test::WriteFileText;

const fs::path kFgfcSmall = test::DataDir() / "reference-runs" / "fgfc-small";
const char* const kResults[] = {"output_exist.out", "output_FGFC.out", "opt_FGFC_plan.tpl",
                                "occu_FGFC.occ", "ctmplot_1.plt"};

// The small FGFC run with its earlier results in place, each file saying what it is; a long
// search runs 20000 generations.
struct EarlierResults {
    ScratchDir runDir;

    explicit EarlierResults(bool longSearch, const std::string& numCells = "25") {
        std::istringstream reference(ReadFileText(kFgfcSmall / "input.fin"));
        std::string input, line;
        for (int index = 0; std::getline(reference, line); ++index) {
            if (longSearch && (index == 8 || index == 9)) {  // generationNum, terminationNum
                line = "20000\r";
            } else if (index == 14) {
                line = numCells + "\r";
            }
            input += line + "\n";
        }
        WriteFileText(runDir.path() / "input.fin", input);
        fs::copy_file(kFgfcSmall / "plan.tpl", runDir.path() / "plan.tpl");
        for (const char* name : kResults) {
            WriteFileText(runDir.path() / name, std::string("earlier ") + name);
        }
    }
    bool earlier(const char* name) const {
        return ReadFileText(runDir.path() / name) == std::string("earlier ") + name;
    }
    std::vector<std::string> temporaryFiles() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(runDir.path())) {
            if (entry.path().extension() == ".part") {
                found.push_back(entry.path().filename().string());
            }
        }
        return found;
    }
};

// The engine started on `runDir` with its console in console.txt beside the run directory;
// SIGTERM, SIGINT and SIGHUP as a terminal would deliver them. With a file size limit the
// engine is started through the shell, as `ulimit -f` limits it, a full disk in small.
pid_t StartEngine(const fs::path& runDir, const fs::path& console, long fileSizeBlocks = 0) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, console.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaddset(&signals, signal);
    }
    posix_spawnattr_setsigdefault(&attributes, &signals);
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    const std::string engine = TALVO_ENGINE_EXE;
    const std::string limit =
        "trap '' XFSZ; ulimit -f " + std::to_string(fileSizeBlocks) + "; exec \"$0\" \"$1\"";
    std::vector<std::string> arguments = {engine, runDir.string()};
    if (fileSizeBlocks > 0) {
        arguments.insert(arguments.begin(), {"/bin/sh", "-c", limit});
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

std::string LastLine(const std::string& console) {
    const size_t end = console.find_last_not_of('\n');
    const size_t start = console.rfind('\n', end);
    return console.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

class StoppedRun : public ::testing::TestWithParam<int> {};

// Stopped in its second generation (of 20000), the run leaves every earlier result as it
// was; a signal it can catch also removes the files it was writing.
TEST_P(StoppedRun, LeavesTheEarlierResults) {
    const int signal = GetParam();
    EarlierResults run(true);
    ScratchDir out;
    const fs::path console = out.path() / "console.txt";
    const pid_t engine = StartEngine(run.runDir.path(), console);
    ASSERT_GT(engine, 0);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (ReadFileText(console).find("\n 2 ") == std::string::npos &&
           std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(engine, signal);
    const int status = WaitFor(engine);
    ASSERT_TRUE(WIFSIGNALED(status)) << ReadFileText(console);
    EXPECT_EQ(WTERMSIG(status), signal);
    for (const char* name : kResults) {
        EXPECT_TRUE(run.earlier(name)) << name;
    }
    if (signal != SIGKILL) {
        EXPECT_EQ(run.temporaryFiles(), std::vector<std::string>{});
    }
}

INSTANTIATE_TEST_SUITE_P(RunEndings, StoppedRun,
                         ::testing::Values(SIGTERM, SIGINT, SIGHUP, SIGKILL));

// A write that fails (the occupancy file is larger than the limit) leaves the earlier
// results; an error in the input leaves its partial report, the scenario's echo up to the
// error, and the earlier results of the variant; a complete run replaces them all.
TEST(RunEndings, OnlyACompleteRunReplacesTheEarlierResults) {
    ScratchDir out;
    const fs::path console = out.path() / "console.txt";
    {
        EarlierResults run(false);
        const int status = WaitFor(StartEngine(run.runDir.path(), console, 128));
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);
        EXPECT_EQ(LastLine(ReadFileText(console)),
                  " Cannot write " + (run.runDir.path() / "occu_FGFC.occ").string() +
                      " (File too large)");
        for (const char* name : kResults) {
            EXPECT_TRUE(run.earlier(name)) << name;
        }
        EXPECT_EQ(run.temporaryFiles(), std::vector<std::string>{});
    }
    {
        EarlierResults run(false, "-1");
        std::ostringstream engineConsole;
        RunRequest request;
        request.runDirectory = run.runDir.path().string();
        EXPECT_EQ(RunEngine(engineConsole, request), 1);
        EXPECT_NE(LastLine(engineConsole.str()).find("line 15: numCells is -1"), std::string::npos)
            << engineConsole.str();
        const std::string report = ReadFileText(run.runDir.path() / "output_exist.out");
        EXPECT_EQ(report, test::EchoPart(ReadFileText(kFgfcSmall / "expected" / "output_exist.out"))
                              .substr(0, report.size()));
        EXPECT_GT(report.size(), 0u);
        for (const char* name : kResults) {
            EXPECT_EQ(run.earlier(name), std::string(name) != "output_exist.out") << name;
        }
        EXPECT_EQ(run.temporaryFiles(), std::vector<std::string>{});
    }
    {
        EarlierResults run(false);
        std::ostringstream engineConsole;
        RunRequest request;
        request.runDirectory = run.runDir.path().string();
        ASSERT_EQ(RunEngine(engineConsole, request), 0) << engineConsole.str();
        for (const char* name : {"opt_FGFC_plan.tpl", "occu_FGFC.occ", "ctmplot_1.plt"}) {
            EXPECT_EQ(ReadFileText(run.runDir.path() / name),
                      ReadFileText(kFgfcSmall / "expected" / name))
                << name;
        }
        EXPECT_FALSE(run.earlier("output_exist.out"));
        EXPECT_FALSE(run.earlier("output_FGFC.out"));
        EXPECT_EQ(run.temporaryFiles(), std::vector<std::string>{});
    }
}

// A result named by a link replaces the link's target, and the files a killed run left
// go with the next run.
TEST(RunEndings, ALinkKeepsItsTargetAndAKilledRunsFilesAreRemoved) {
    ScratchDir runDir, elsewhere;
    const fs::path corridor = test::DataDir() / "reference-runs" / "corridor";
    fs::copy_file(corridor / "input.fin", runDir.path() / "input.fin");
    fs::copy_file(corridor / "plan.tpl", runDir.path() / "plan.tpl");
    WriteFileText(elsewhere.path() / "occupancy", "earlier");
    fs::create_symlink(elsewhere.path() / "occupancy", runDir.path() / "occu_exist.occ");
    WriteFileText(runDir.path() / "output_VGVC.out.part", "left by a killed run");
    std::ostringstream console;
    RunRequest request;
    request.runDirectory = runDir.path().string();
    ASSERT_EQ(RunEngine(console, request), 0) << console.str();
    EXPECT_TRUE(fs::is_symlink(runDir.path() / "occu_exist.occ"));
    EXPECT_EQ(ReadFileText(elsewhere.path() / "occupancy"),
              ReadFileText(corridor / "expected" / "occu_exist.occ"));
    EXPECT_FALSE(fs::exists(runDir.path() / "output_VGVC.out.part"));
    EXPECT_FALSE(fs::exists(elsewhere.path() / "occupancy.part"));
}

// On the command line a final backslash is part of the directory's name.
TEST(RunEndings, ARunDirectoryNamedWithAFinalBackslashIsThatDirectory) {
    ScratchDir base;
    const fs::path runDir = base.path() / "run\\";
    fs::create_directory(runDir);
    fs::copy_file(test::DataDir() / "reference-runs" / "corridor" / "input.fin",
                  runDir / "input.fin");
    fs::copy_file(test::DataDir() / "reference-runs" / "corridor" / "plan.tpl",
                  runDir / "plan.tpl");
    std::ostringstream console;
    std::vector<const char*> argv = {"TALVO", runDir.c_str()};
    std::ostringstream errors;
    EXPECT_EQ(RunEngineCommandLine(2, argv.data(), console, errors), 0) << console.str();
    EXPECT_TRUE(fs::exists(runDir / "occu_exist.occ"));
    EXPECT_FALSE(fs::exists(base.path() / "run\\occu_exist.occ"));
}

// A path far beyond the system's limit is refused at once, shown by its beginning; an
// inout.dir that is a directory says so.
TEST(RunEndings, AnUnusableInoutDirGetsItsCause) {
    ScratchDir programDir;
    const fs::path inout = programDir.path() / "inout.dir";
    WriteFileText(inout, "/" + std::string(20 << 20, 'a') + "/\n");
    std::ostringstream console;
    EXPECT_EQ(RunEngine(console, inout.string()), 1);
    EXPECT_LT(console.str().size(), 1000u);
    EXPECT_NE(LastLine(console.str())
                  .find("line 1: found a path of 20971522 characters beginning \"/aaaaaaaaa"),
              std::string::npos)
        << LastLine(console.str());
    const EngineCommandLine line = ParseEngineCommandLine({"/" + std::string(PATH_MAX, 'a')});
    EXPECT_EQ(line.action, EngineCommandLine::Action::Error);
    EXPECT_EQ(line.error.rfind("the run directory is a path of 4097 characters beginning", 0), 0u)
        << line.error;

    fs::remove(inout);
    fs::create_directory(inout);
    console.str("");
    EXPECT_EQ(RunEngine(console, inout.string()), 1);
    EXPECT_EQ(LastLine(console.str()), " Cannot open " + inout.string() +
                                           " (Is a directory): the engine reads the run "
                                           "directory from inout.dir in the directory it is "
                                           "started in");
}

}  // namespace
}  // namespace talvo
