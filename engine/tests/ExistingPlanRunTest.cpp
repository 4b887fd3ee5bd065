#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "TestFiles.h"
#include "talvo/Engine.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::ScratchDir;
using test::WriteFileText;

struct RunResult {
    int status = 0;
    std::string console;
};

RunResult RunIn(const ScratchDir& runDir, const ScratchDir& programDir) {
    WriteFileText(programDir.path() / "inout.dir", runDir.withSeparator() + "\r\n");
    std::ostringstream console;
    RunResult result;
    result.status = RunEngine(console, (programDir.path() / "inout.dir").string());
    result.console = console.str();
    return result;
}

class ExistingPlanReference : public testing::TestWithParam<const char*> {};

// Every file of the run, the console included, equals the reference text.
TEST_P(ExistingPlanReference, WritesEveryFileExactly) {
    const fs::path reference = test::DataDir() / "reference-runs" / GetParam();
    ScratchDir runDir, programDir;
    fs::copy_file(reference / "input.fin", runDir.path() / "input.fin");
    fs::copy_file(reference / "plan.tpl", runDir.path() / "plan.tpl");
    const RunResult result = RunIn(runDir, programDir);
    ASSERT_EQ(result.status, 0) << result.console;
    EXPECT_EQ(result.console, ReadFileText(reference / "expected" / "console.txt"));
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(reference / "expected")) {
        const std::string name = entry.path().filename().string();
        if (name == "console.txt") {
            continue;
        }
        ASSERT_TRUE(fs::exists(runDir.path() / name)) << name;
        EXPECT_EQ(ReadFileText(runDir.path() / name), ReadFileText(entry.path())) << name;
        ++compared;
    }
    EXPECT_EQ(compared, 4);
    // Only plot group 1 is flagged "Y".
    EXPECT_FALSE(fs::exists(runDir.path() / "ctmplot_2.plt"));
}

INSTANTIATE_TEST_SUITE_P(Runs, ExistingPlanReference, testing::Values("corridor", "two-junctions"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return name;
                         });

std::string WithLine(const std::string& text, int number, const std::string& line) {
    std::istringstream in(text);
    std::string out, current;
    for (int n = 1; std::getline(in, current); ++n) {
        out += (n == number ? line + "\r" : current) + "\n";
    }
    return out;
}

TEST(ExistingPlanRun, ZeroDivergeSplitShowsTheMessageAndFails) {
    const fs::path reference = test::DataDir() / "reference-runs" / "corridor";
    ScratchDir runDir, programDir;
    // Cell 3 becomes a diverge into cells 4 and 9 with a zero second split.
    std::string scenario = ReadFileText(reference / "input.fin");
    scenario = WithLine(scenario, 18,
                        "1-TR-3\t25\t2\t1\tDI\t1-TR-2\t0\t1-TR-4\t2-TR-9\t1\t0\t0\tN\t0\t36");
    WriteFileText(runDir.path() / "input.fin", scenario);
    fs::copy_file(reference / "plan.tpl", runDir.path() / "plan.tpl");
    const RunResult result = RunIn(runDir, programDir);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.console.find("\n **** Error is diverge split info\n"), std::string::npos)
        << result.console;
    EXPECT_NE(result.console.find("\n Error in " + (runDir.path() / "input.fin").string() +
                                  ", line 18: Cell 3 (1-TR-3) is a diverge"),
              std::string::npos)
        << result.console;
    EXPECT_EQ(result.console.find("Stop - Program terminated."), std::string::npos);
    EXPECT_FALSE(fs::exists(runDir.path() / "occu_exist.occ"));
    // The report holds everything written before the simulation: the plan setting too.
    const std::string report = ReadFileText(runDir.path() / "output_exist.out");
    const std::string expected = ReadFileText(reference / "expected" / "output_exist.out");
    const std::string setting = " \r\nOPTIMIZED TIMING PLAN SETTING:";
    const size_t end = expected.find(" \r\n \r\nDELAY BY APPROACH:");
    ASSERT_NE(report.find(setting), std::string::npos) << report;
    EXPECT_EQ(report.substr(report.find(setting)),
              expected.substr(expected.find(setting), end - expected.find(setting)));
}

TEST(ExistingPlanRun, PlanFileThatIsADirectoryIsReportedBeforeTheNetwork) {
    const fs::path reference = test::DataDir() / "reference-runs" / "corridor";
    ScratchDir runDir, programDir;
    WriteFileText(runDir.path() / "input.fin",
                  WithLine(ReadFileText(reference / "input.fin"), 18,
                           "1-TR-3\t25\t2\t1\tDI\t1-TR-2\t0\t1-TR-4\t2-TR-9\t1\t0\t0\tN\t0\t36"));
    fs::create_directory(runDir.path() / "plan.tpl");
    const RunResult result = RunIn(runDir, programDir);
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.console.find(" Cannot open the timing plan file " +
                                  (runDir.path() / "plan.tpl").string() + " (Is a directory)\n"),
              std::string::npos)
        << result.console;
    EXPECT_EQ(result.console.find("diverge"), std::string::npos) << result.console;
}

TEST(ExistingPlanRun, PlanFileNamingUnknownRecordIsRejected) {
    const fs::path reference = test::DataDir() / "reference-runs" / "corridor";
    ScratchDir runDir, programDir;
    fs::copy_file(reference / "input.fin", runDir.path() / "input.fin");
    WriteFileText(runDir.path() / "plan.tpl", "1\r\n0\t10000\r\n7\r\n0\t10000\r\n");
    const RunResult result = RunIn(runDir, programDir);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.console.find("plan.tpl, line 3: signal record 7 is not defined"),
              std::string::npos)
        << result.console;
}

}  // namespace
}  // namespace talvo
