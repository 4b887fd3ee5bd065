// The run driver: inout.dir, the run's file names, which files a run creates, the console
// lines up to the choice of path, and how a failed run ends.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <set>
#include <sstream>

#include "RunSetup.h"
#include "SmallScenario.h"
#include "TestFiles.h"
#include "run/RunFiles.h"
#include "talvo/Engine.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::RunSetup;
using test::ScratchDir;
using test::WriteFileText;

std::string LastLine(const std::string& console) {
    const size_t end = console.find_last_not_of('\n');
    const size_t start = console.rfind('\n', end);
    return console.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

TEST(RunFiles, NamesFollowTheFinalSeparator) {
    const RunFiles files = FormRunFiles("C:\\RUN\\");
    EXPECT_EQ(files.inputFin, "C:\\RUN\\input.fin");
    EXPECT_EQ(files.outputExist, "C:\\RUN\\output_exist.out");
    const RunFiles unix = FormRunFiles("/home/user/a rather long directory name/runs/arterial/");
    EXPECT_EQ(unix.ctmplot[5],
              "/home/user/a rather long directory name/runs/arterial/ctmplot_5.plt");
    EXPECT_EQ(unix.optVGVCPlan,
              "/home/user/a rather long directory name/runs/arterial/opt_VGVC_plan.tpl");
}

TEST(RunFiles, NineteenDistinctNames) {
    const RunFiles f = FormRunFiles("/r/");
    const std::set<std::string> names{f.inputFin,    f.planTpl,     f.outputExist, f.optExistPlan,
                                      f.occuExist,   f.outputFGFC,  f.optFGFCPlan, f.occuFGFC,
                                      f.outputVGFC,  f.optVGFCPlan, f.occuVGFC,    f.outputVGVC,
                                      f.optVGVCPlan, f.occuVGVC,    f.ctmplot[1],  f.ctmplot[2],
                                      f.ctmplot[3],  f.ctmplot[4],  f.ctmplot[5]};
    EXPECT_EQ(names.size(), 19u);
    EXPECT_EQ(f.occuExist, "/r/occu_exist.occ");
    EXPECT_EQ(f.optExistPlan, "/r/opt_exist_plan.tpl");
    EXPECT_EQ(f.ctmplot[1], "/r/ctmplot_1.plt");
}

TEST(RunFiles, VariantFilesByControlStrategy) {
    const RunFiles f = FormRunFiles("/r/");
    EXPECT_EQ(f.variantReport(1), "/r/output_FGFC.out");
    EXPECT_EQ(f.variantReport(2), "/r/output_VGFC.out");
    EXPECT_EQ(f.variantReport(3), "/r/output_VGVC.out");
    EXPECT_EQ(f.variantReport(0), "/r/output_VGVC.out");
    EXPECT_EQ(f.variantReport(7), "/r/output_VGVC.out");
    EXPECT_EQ(f.variantPlan(2), "/r/opt_VGFC_plan.tpl");
    EXPECT_EQ(f.variantOccupancy(1), "/r/occu_FGFC.occ");
    EXPECT_STREQ(VariantName(2), "VGFC");
    EXPECT_STREQ(VariantName(9), "VGVC");
}

struct InoutCase {
    const char* text;
    const char* result;  // the run directory, or the error message
};

class InoutDir : public ::testing::TestWithParam<InoutCase> {};

TEST_P(InoutDir, FirstLineNamesTheRunDirectory) {
    std::istringstream in(GetParam().text);
    std::string result;
    try {
        result = ReadRunDirectory(in, "inout.dir");
    } catch (const EngineError& error) {
        result = error.what();
    }
    EXPECT_EQ(result, GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    RunDriver, InoutDir,
    ::testing::Values(
        InoutCase{"/tmp/run/\r\n", "/tmp/run/"}, InoutCase{"/tmp/run/\n", "/tmp/run/"},
        InoutCase{"/tmp/run/", "/tmp/run/"}, InoutCase{"/tmp/run/     \r\nignored\n", "/tmp/run/"},
        // A final backslash is this system's separator; a byte-order mark is no part of
        // the path.
        InoutCase{"C:\\RUN\\\r\n", "C:\\RUN/"}, InoutCase{"/tmp/run\\\r\n", "/tmp/run/"},
        InoutCase{"\xEF\xBB\xBF/tmp/run/\r\n", "/tmp/run/"},
        InoutCase{"/tmp/with space/\n", "/tmp/with space/"},
        InoutCase{
            "/tmp/run\r\n",
            "Error in inout.dir, line 1: found \"/tmp/run\" without a final separator, but it must "
            "hold one line: the full path of the run directory, ending with '/' (or '\\'), "
            "for example /home/user/runs/arterial/"},
        InoutCase{
            "\r\n",
            "Error in inout.dir, line 1: found an empty line, but it must hold one line: the full "
            "path of the run directory, ending with '/' (or '\\'), for example "
            "/home/user/runs/arterial/"},
        InoutCase{"",
                  "Error in inout.dir: the file is empty, but it must hold one line: the full path "
                  "of the run "
                  "directory, ending with '/' (or '\\'), for example "
                  "/home/user/runs/arterial/"}));

TEST(RunDriver, LongRunDirectoryIsUsedWhole) {
    ScratchDir base;
    const fs::path deep = base.path() / std::string(70, 'd') / std::string(70, 'e');
    fs::create_directories(deep);
    const std::string scenario =
        test::ReadFileText(test::DataDir() / "reference-runs" / "corridor" / "input.fin");
    WriteFileText(deep / "input.fin", scenario);
    fs::copy_file(test::DataDir() / "reference-runs" / "corridor" / "plan.tpl", deep / "plan.tpl");
    WriteFileText(base.path() / "inout.dir", deep.string() + "/\r\n");
    std::ostringstream console;
    EXPECT_EQ(RunEngine(console, (base.path() / "inout.dir").string()), 0) << console.str();
    EXPECT_TRUE(fs::exists(deep / "output_exist.out"));
}

class ReferenceRun : public ::testing::TestWithParam<const char*> {};

TEST_P(ReferenceRun, ConsoleAndEchoMatchTheReference) {
    const fs::path dir = test::DataDir() / "reference-runs" / GetParam();
    RunSetup setup(ReadFileText(dir / "input.fin"));
    fs::copy_file(dir / "plan.tpl", setup.file("plan.tpl"), fs::copy_options::overwrite_existing);
    std::string console;
    ASSERT_EQ(setup.run(console), 0) << console;
    EXPECT_EQ(test::ConsoleUpToClosing(console),
              test::ConsoleUpToClosing(ReadFileText(dir / "expected" / "console.txt")));
    EXPECT_EQ(LastLine(console), " Stop - Program terminated.");
    EXPECT_EQ(test::EchoPart(ReadFileText(setup.file("output_exist.out"))),
              test::EchoPart(ReadFileText(dir / "expected" / "output_exist.out")));
    const bool optimising = std::string(GetParam()) == "fgfc-small";
    EXPECT_EQ(fs::exists(setup.file("output_FGFC.out")), optimising);
    EXPECT_FALSE(fs::exists(setup.file("output_VGFC.out")));
    EXPECT_FALSE(fs::exists(setup.file("output_VGVC.out")));
}

INSTANTIATE_TEST_SUITE_P(RunDriver, ReferenceRun,
                         ::testing::Values("corridor", "two-junctions", "fgfc-small"));

TEST(RunDriver, OptimisationReportOfTheChosenVariantIsCreated) {
    const struct {
        const char* flag;
        const char* strategy;
        const char* report;
    } cases[] = {{"y", "2", "output_VGFC.out"},
                 {"Y", "3", "output_VGVC.out"},
                 {"Y", "1", "output_FGFC.out"}};
    for (const auto& c : cases) {
        std::vector<std::string> lines = test::SmallScenarioLines();
        lines[0] = c.flag;
        lines[1] = c.strategy;
        RunSetup setup(test::JoinLines(lines));
        std::string console;
        EXPECT_EQ(setup.run(console), 0) << console;
        EXPECT_TRUE(fs::exists(setup.file(c.report))) << c.report;
        EXPECT_TRUE(fs::exists(setup.file("output_exist.out")));
    }
}

TEST(RunDriver, NoOptimisationReportWhenSimulatingTheExistingPlan) {
    std::vector<std::string> lines = test::SmallScenarioLines();
    lines[0] = "X";
    lines[1] = "2";
    RunSetup setup(test::JoinLines(lines));
    std::string console;
    EXPECT_EQ(setup.run(console), 0);
    EXPECT_TRUE(fs::exists(setup.file("output_exist.out")));
    for (const char* name : {"output_FGFC.out", "output_VGFC.out", "output_VGVC.out"}) {
        EXPECT_FALSE(fs::exists(setup.file(name))) << name;
    }
}

TEST(RunDriver, ReportIsRewrittenFromTheStart) {
    RunSetup setup(test::JoinLines(test::SmallScenarioLines()));
    WriteFileText(setup.file("output_exist.out"), std::string(100000, 'x'));
    std::string console;
    ASSERT_EQ(setup.run(console), 0);
    const auto small = test::ReadScenarioText(test::JoinLines(test::SmallScenarioLines()));
    const std::string report = ReadFileText(setup.file("output_exist.out"));
    EXPECT_EQ(report.substr(0, small.echo.size()), small.echo);
    EXPECT_EQ(report.find("xxxx"), std::string::npos);
}

TEST(RunDriver, LfLineEndsInInoutDirAndScenario) {
    RunSetup setup(test::JoinLines(test::SmallScenarioLines(), "\n"), "\n");
    std::string console;
    EXPECT_EQ(setup.run(console), 0) << console;
}

TEST(RunDriver, MissingInoutDirStopsWithOneMessage) {
    ScratchDir programDir;
    std::ostringstream console;
    const fs::path inout = programDir.path() / "inout.dir";
    EXPECT_EQ(RunEngine(console, inout.string()), 1);
    EXPECT_EQ(LastLine(console.str()),
              " Cannot open " + inout.string() +
                  " (No such file or directory): the engine reads the run directory from "
                  "inout.dir in the directory it is started in");
}

TEST(RunDriver, InoutDirWithoutSeparatorStops) {
    RunSetup setup(test::JoinLines(test::SmallScenarioLines()));
    WriteFileText(setup.inout(), setup.runDir.path().string() + "\r\n");
    std::string console;
    EXPECT_EQ(setup.run(console), 1);
    EXPECT_NE(LastLine(console).find("without a final separator"), std::string::npos);
    EXPECT_FALSE(fs::exists(setup.file("output_exist.out")));
}

TEST(RunDriver, MissingScenarioOrPlanStops) {
    for (const char* missing : {"input.fin", "plan.tpl"}) {
        RunSetup setup(test::JoinLines(test::SmallScenarioLines()));
        fs::remove(setup.file(missing));
        std::string console;
        EXPECT_EQ(setup.run(console), 1);
        const std::string what =
            std::string(missing) == "input.fin" ? "scenario file " : "timing plan file ";
        EXPECT_EQ(LastLine(console), " Cannot open the " + what + setup.file(missing).string() +
                                         " (No such file or directory)");
        EXPECT_FALSE(fs::exists(setup.file("output_exist.out")));
    }
}

// Only the existing-plan path and a search seeded with the existing plan read plan.tpl.
TEST(RunDriver, OptimisationWithoutExistingPlanSeedNeedsNoPlanFile) {
    RunSetup setup(test::SmallScenarioWith(1, "Y"));
    fs::remove(setup.file("plan.tpl"));
    std::string console;
    EXPECT_EQ(setup.run(console), 0) << console;
    EXPECT_EQ(LastLine(console), " Stop - Program terminated.");
    EXPECT_TRUE(fs::exists(setup.file("output_FGFC.out")));
    EXPECT_TRUE(fs::exists(setup.file("opt_FGFC_plan.tpl")));
}

TEST(RunDriver, OptimisationSeededWithTheExistingPlanStopsWithoutPlanFile) {
    std::vector<std::string> lines = test::SmallScenarioLines();
    lines[0] = "Y";
    lines[12] = "Y";  // adaptWebster
    RunSetup setup(test::JoinLines(lines));
    fs::remove(setup.file("plan.tpl"));
    std::string console;
    EXPECT_EQ(setup.run(console), 1);
    EXPECT_EQ(LastLine(console), " Cannot open the timing plan file " +
                                     setup.file("plan.tpl").string() +
                                     " (No such file or directory)");
    EXPECT_EQ(console.find("Min Total Weighted Delay"), std::string::npos) << console;
    EXPECT_FALSE(fs::exists(setup.file("opt_FGFC_plan.tpl")));
}

// Files saved by some Windows editors begin with a UTF-8 byte-order mark.
TEST(RunDriver, ByteOrderMarksBeforeTheFirstValuesAreSkipped) {
    std::vector<std::string> lines = test::SmallScenarioLines();
    lines[0] = "\xEF\xBB\xBFY";  // optimise
    lines[12] = "Y";             // with the existing plan as a seed, read from plan.tpl
    RunSetup setup(test::JoinLines(lines));
    WriteFileText(setup.file("plan.tpl"), "\xEF\xBB\xBF" + ReadFileText(setup.file("plan.tpl")));
    std::string console;
    EXPECT_EQ(setup.run(console), 0) << console;
    EXPECT_TRUE(fs::exists(setup.file("output_FGFC.out")));
}

TEST(RunDriver, MalformedScenarioStopsNamingFileLineAndValue) {
    RunSetup setup(test::SmallScenarioWith(15, "1000001"));
    std::string console;
    EXPECT_EQ(setup.run(console), 1);
    EXPECT_EQ(LastLine(console), " Error in " + setup.file("input.fin").string() +
                                     ", line 15: numCells is 1000001, expected 1 to 1000000");
    EXPECT_EQ(console.find("Stop - Program terminated."), std::string::npos);
    // The report was created before the failing read and keeps what was written.
    EXPECT_TRUE(fs::exists(setup.file("output_exist.out")));
}

// Two engines on one directory would interleave their writes of the same result files.
TEST(RunDriver, SecondRunOnABusyRunDirectoryStopsAtOnce) {
    RunSetup setup(test::JoinLines(test::SmallScenarioLines()));
    const int held = ::open(setup.runDir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);  // as the first engine holds it
    std::string console;
    EXPECT_EQ(setup.run(console), 1);
    EXPECT_EQ(LastLine(console), " Error: the run directory " + setup.runDir.withSeparator() +
                                     " is in use by another run of the engine; wait until that "
                                     "run has ended, or choose another run directory");
    EXPECT_FALSE(fs::exists(setup.file("output_exist.out")));
    ::close(held);
    EXPECT_EQ(setup.run(console), 0) << console;
}

TEST(RunDriver, UnwritableRunDirectoryStops) {
    RunSetup setup(test::JoinLines(test::SmallScenarioLines()));
    fs::create_directory(setup.file("output_exist.out"));  // a directory where the report goes
    std::string console;
    EXPECT_EQ(setup.run(console), 1);
    EXPECT_EQ(
        LastLine(console).rfind(" Cannot create " + setup.file("output_exist.out").string(), 0), 0u)
        << console;
}

// A full disk: each result file is named with the system's reason.
TEST(RunDriver, WriteFailureNamesTheFileAndTheSystemsReason) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    for (const char* name : {"output_exist.out", "opt_exist_plan.tpl", "occu_exist.occ"}) {
        RunSetup setup(test::JoinLines(test::SmallScenarioLines()));
        fs::create_symlink("/dev/full", setup.file(name));
        std::string console;
        EXPECT_EQ(setup.run(console), 1) << name;
        EXPECT_EQ(LastLine(console),
                  " Cannot write " + setup.file(name).string() + " (No space left on device)");
    }
}

}  // namespace
}  // namespace talvo
