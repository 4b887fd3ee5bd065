#include "launcher/RunTalvo.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "launcher/CellIndexTable.h"
#include "launcher/ProgramFiles.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadWhole;
using test::TempDir;
using test::WriteWhole;

// Records every step the run command takes.
struct Recorder {
    bool stopAtChecks = false;
    std::string answer;
    std::optional<std::string> writeError;
    std::vector<std::string> log;
    std::vector<std::string> messages;

    RunSteps steps() {
        RunSteps s;
        s.validateStops = [this] {
            log.push_back("checks");
            return stopAtChecks;
        };
        s.askRunDirectory = [this] {
            log.push_back("ask");
            return answer;
        };
        s.writeRunFiles = [this](const fs::path& dir) {
            log.push_back("write " + dir.string());
            if (!writeError) {
                WriteWhole(dir / "input.fin", "scenario");
                WriteWhole(dir / "plan.tpl", "plan");
            }
            return writeError;
        };
        s.startEngine = [this](const fs::path& script, const fs::path& runDir) {
            log.push_back("start " + script.string() + " in " + runDir.string());
        };
        s.caution = [this](const std::string& m) { messages.push_back(m); };
        return s;
    }
};

class RunTalvoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(program());
        fs::create_directory(run());
    }
    fs::path program() const { return temp.path() / "bin"; }
    fs::path run() const { return temp.path() / "run dir"; }
    void installEngine() const { WriteWhole(program() / kEngineFileName, "engine"); }

    TempDir temp;
    Recorder recorder;
};

TEST_F(RunTalvoTest, WritesInputsAndRunDirectoryFileThenStartsTheEngine) {
    installEngine();
    recorder.answer = run().string();
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Started);
    EXPECT_TRUE(recorder.messages.empty());
    const std::vector<std::string> expected{
        "checks", "ask", "write " + run().string(),
        "start " + (program() / "Talvo.sh").string() + " in " + run().string()};
    EXPECT_EQ(recorder.log, expected);
    EXPECT_EQ(ReadWhole(program() / "inout.dir"), run().string() + "/\r\n");
    EXPECT_EQ(ReadWhole(program() / "Talvo.sh"), StartScriptText());
}

TEST_F(RunTalvoTest, StartScriptIsWrittenEvenWhenTheChecksStop) {
    recorder.stopAtChecks = true;
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Stopped);
    EXPECT_EQ(recorder.log, std::vector<std::string>{"checks"});
    EXPECT_TRUE(fs::exists(program() / "Talvo.sh"));
    EXPECT_FALSE(fs::exists(program() / "inout.dir"));
}

TEST_F(RunTalvoTest, ExistingStartScriptIsNotRewritten) {
    WriteWhole(program() / "Talvo.sh", "mine");
    recorder.stopAtChecks = true;
    RunTalvo(program(), recorder.steps());
    EXPECT_EQ(ReadWhole(program() / "Talvo.sh"), "mine");
}

TEST_F(RunTalvoTest, MissingEngineIsReportedEvenWhenTheDialogIsCancelled) {
    recorder.answer = "";
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Stopped);
    EXPECT_EQ(recorder.messages,
              std::vector<std::string>{"'TALVO' not found in the program directory!  It is "
                                       "neccessary to run CTM correctly."});
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"checks", "ask"}));
}

TEST_F(RunTalvoTest, CancelStopsSilently) {
    installEngine();
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Stopped);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_FALSE(fs::exists(program() / "inout.dir"));
}

TEST_F(RunTalvoTest, RunDirectoryThatIsNoDirectoryIsRefused) {
    installEngine();
    recorder.answer = (temp.path() / "nowhere").string();
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Stopped);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"The output directory is invalid."});
    EXPECT_FALSE(fs::exists(program() / "inout.dir"));
}

// The engine holds its run directory locked while it runs.
TEST_F(RunTalvoTest, DirectoryWhoseRunIsStillGoingIsRefusedBeforeAnythingIsWritten) {
    installEngine();
    recorder.answer = run().string();
    const int engine = ::open(run().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(engine, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Stopped);
    EXPECT_EQ(recorder.messages,
              std::vector<std::string>{"The engine is still running in '" + run().string() +
                                       "'.  Wait until its run has ended, "
                                       "or choose another directory."});
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"checks", "ask"}));
    EXPECT_FALSE(fs::exists(program() / "inout.dir"));
    ::close(engine);
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Started);
}

TEST_F(RunTalvoTest, RunFileWriteErrorIsShownAndTheEngineNotStarted) {
    installEngine();
    recorder.answer = run().string();
    recorder.writeError = "disk full";
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Stopped);
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"disk full"});
    EXPECT_EQ(recorder.log.size(), 3u);
    EXPECT_EQ(recorder.log.back(), "write " + run().string());
    EXPECT_FALSE(fs::exists(program() / "inout.dir"));
}

// The run as a user who cannot write to the program directory (root becomes such a user
// in the child process that runs this): the exit status tells whether nothing was written
// there and the engine was started on the run directory.
[[noreturn]] void RunAsUserWithoutWriteAccess(const fs::path& program, const fs::path& run,
                                              Recorder& recorder) {
    const uid_t nobody = 65534;
    if (::geteuid() == 0 && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
        std::exit(3);
    }
    const bool started = RunTalvo(program, recorder.steps()) == RunOutcome::Started;
    const std::vector<std::string> expected{"checks", "ask", "write " + run.string(),
                                            "start  in " + run.string()};
    const bool nothingWritten =
        !fs::exists(program / "inout.dir") && !fs::exists(program / "Talvo.sh");
    std::exit(
        started && recorder.log == expected && recorder.messages.empty() && nothingWritten ? 0 : 1);
}

TEST_F(RunTalvoTest, UnwritableProgramDirectoryStartsTheEngineOnTheRunDirectory) {
    installEngine();
    recorder.answer = run().string();
    fs::permissions(temp.path(), fs::perms::others_exec, fs::perm_options::add);
    fs::permissions(run(), fs::perms::all);
    fs::permissions(program(), fs::perms::owner_read | fs::perms::owner_exec |
                                   fs::perms::others_read | fs::perms::others_exec);
    EXPECT_EXIT(RunAsUserWithoutWriteAccess(program(), run(), recorder),
                ::testing::ExitedWithCode(0), "");
    fs::permissions(program(), fs::perms::owner_all);
}

TEST_F(RunTalvoTest, ProgramDirectoryThatIsGoneIsSaidClearlyBeforeAnything) {
    const fs::path gone = temp.path() / "gone";
    EXPECT_EQ(RunTalvo(gone, recorder.steps()), RunOutcome::Stopped);
    EXPECT_EQ(recorder.messages,
              std::vector<std::string>{ProgramDirectoryNotWritableMessage(gone)});
    EXPECT_TRUE(recorder.log.empty());
    EXPECT_FALSE(fs::exists(gone));
}

TEST_F(RunTalvoTest, RunDirectoryFileErrorIsShownAndTheEngineNotStarted) {
    installEngine();
    recorder.answer = run().string();
    // A directory where the file should be makes the rename fail whoever runs the test.
    fs::create_directory(program() / "inout.dir");
    fs::create_directory(program() / "inout.dir" / "x");
    EXPECT_EQ(RunTalvo(program(), recorder.steps()), RunOutcome::Stopped);
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].rfind(
                  "The file '" + (program() / "inout.dir").string() + "' cannot be written: ", 0),
              0u);
    EXPECT_NE(recorder.log.back().rfind("start", 0), 0u);
    EXPECT_FALSE(fs::exists(program() / "inout.dir.part"));
}

TEST(RunDirectoryLine, IsThePathAndOneSeparatorNotNormalised) {
    EXPECT_EQ(RunDirectoryLine("/runs/a"), "/runs/a/");
    EXPECT_EQ(RunDirectoryLine("/"), "//");
}

TEST(StartScriptText, ChangesToItsOwnDirectoryAndStartsTheEngineThere) {
    TempDir temp;
    const fs::path program = temp.path() / "it's here";
    fs::create_directories(program);
    ASSERT_FALSE(EnsureStartScript(program).has_value());
    // A stand-in engine that tells where it was started.
    WriteWhole(program / kEngineFileName, "#!/bin/sh\necho \"engine in $(pwd)\"\n");
    fs::permissions(program / kEngineFileName, fs::perms::owner_all);
    const std::string command = "cd / && /bin/sh '" + temp.path().string() +
                                "/it'\\''s here/Talvo.sh' > '" +
                                (temp.path() / "out.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadWhole(temp.path() / "out.txt"), "engine in " + program.string() + "\n");
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

// The engine reads the cells street by street: the report's number k is the k-th of them.
TEST(CellIndexTable, NumbersTheCellsStreetByStreetWithTheirMapIDs) {
    NetworkTables tables;
    for (const int id : {1, 2, 20}) {
        CellRecord cell;
        cell.cellID = id;
        tables.cells.push_back(cell);
    }
    tables.streets.push_back({"A", 0, 0, {1, 20}});
    tables.streets.push_back({"B", 0, 0, {2, 99}});  // 99 is no cell: not numbered
    const std::string table = CellIndexTable(tables);
    std::istringstream lines(table);
    std::string heading;
    std::getline(lines, heading);
    EXPECT_EQ(heading, "Report cell  Map cell ID  Name in input.fin");
    std::vector<std::pair<int, int>> rows;
    for (int number = 0, id = 0; lines >> number >> id; lines.ignore(100, '\n')) {
        rows.emplace_back(number, id);
    }
    EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{1, 1}, {2, 20}, {3, 2}}));
    EXPECT_NE(table.find("  1-"), std::string::npos);  // with its name in the input
    EXPECT_NE(table.find("-20\n"), std::string::npos);
}

}  // namespace
}  // namespace talvo
