// Whole optimisation runs: the small FGFC reference run against its expected files, the
// VGFC and VGVC reports, the same outputs with one or several threads, and the checks
// made before a search starts.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "EngineError.h"
#include "RunSetup.h"
#include "SmallScenario.h"
#include "TestFiles.h"
#include "input/ScenarioReader.h"
#include "lanes/LaneKernels.h"
#include "optimiser/Optimiser.h"
#include "run/Console.h"
#include "run/OutputFile.h"
#include "run/RunFiles.h"
#include "talvo/Engine.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::ScratchDir;
using test::WriteFileText;

const fs::path kReference = test::DataDir() / "reference-runs" / "fgfc-small";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end) {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

// The report with its elapsed-time fields blanked: the last 15 columns of the search rows
// and the value of "TOTAL RUN TIME (sec):".
std::string MaskReportTimes(const std::string& report) {
    std::vector<std::string> lines = Lines(report);
    bool inSearch = false;
    for (std::string& line : lines) {
        if (line.rfind("Iteration    Max TWD", 0) == 0)
            inSearch = true;
        if (line.rfind("TOTAL RUN TIME (sec):", 0) == 0) {
            line = "TOTAL RUN TIME (sec): <time>";
            inSearch = false;
        }
        if (inSearch && line.size() == 62)
            line = line.substr(0, 47) + "<time>";
    }
    return Join(lines, "\r\n");
}

bool IsNumber(const std::string& item) {
    char* end = nullptr;
    std::strtod(item.c_str(), &end);
    return !item.empty() && *end == '\0';
}

// Free-format console lines item by item: the elapsed-time lines (a lone real after each
// generation's line, "RUN TIME (sec):") are masked, numbers compared by value.
std::vector<std::vector<std::string>> ConsoleItems(const std::string& console) {
    std::vector<std::vector<std::string>> items;
    bool previousWasGeneration = false;
    for (const std::string& line : Lines(console)) {
        std::vector<std::string> row;
        std::istringstream words(line);
        for (std::string word; words >> word;)
            row.push_back(word);
        const bool generation = row.size() == 4 && IsNumber(row[0]) && IsNumber(row[3]);
        if (previousWasGeneration && row.size() == 1 && IsNumber(row[0]))
            row = {"<time>"};
        if (row.size() == 4 && row[0] == "RUN" && row[1] == "TIME")
            row[3] = "<time>";
        for (std::string& word : row) {
            if (IsNumber(word))
                word = std::to_string(std::strtod(word.c_str(), nullptr));
        }
        previousWasGeneration = generation;
        items.push_back(row);
    }
    return items;
}

// A run directory with the reference scenario (lines replaced as given) and its plan, and
// a program directory with inout.dir.
struct OptimisationSetup {
    ScratchDir runDir;
    ScratchDir programDir;

    explicit OptimisationSetup(const std::vector<std::pair<int, std::string>>& replaced = {}) {
        std::vector<std::string> lines = Lines(ReadFileText(kReference / "input.fin"));
        for (const auto& [index, text] : replaced)
            lines[index] = text;
        WriteFileText(runDir.path() / "input.fin", Join(lines, "\r\n"));
        fs::copy_file(kReference / "plan.tpl", runDir.path() / "plan.tpl");
        WriteFileText(programDir.path() / "inout.dir", runDir.withSeparator() + "\r\n");
    }
    std::string file(const std::string& name) const { return ReadFileText(runDir.path() / name); }
    bool exists(const std::string& name) const { return fs::exists(runDir.path() / name); }

    int runEngine(std::string& console) const {
        std::ostringstream out;
        const int status = RunEngine(out, (programDir.path() / "inout.dir").string());
        console = out.str();
        return status;
    }

    // The optimisation path alone with a chosen number of threads and lanes.
    void optimise(unsigned threads, std::string& console, int maxLanes = 0) const {
        const RunFiles files = FormRunFiles(runDir.withSeparator());
        std::ifstream input(files.inputFin, std::ios::binary);
        TokenReader reader(input, files.inputFin);
        auto scenario = std::make_unique<Scenario>();
        auto tables = std::make_unique<TimeTables>();
        ReadRunChoice(reader, *scenario);
        std::ofstream existReport(files.outputExist, std::ios::binary);
        std::ofstream variantReport(files.variantReport(scenario->controlStrategy),
                                    std::ios::binary);
        RecordWriter echo(existReport);
        RecordWriter variantWriter(variantReport);
        std::ostringstream out;
        ReadScenario(reader, *scenario, *tables, echo, out);
        EngineRun run{files,          *scenario, *tables,
                      existReport,    echo,      &variantReport,
                      &variantWriter, out,       std::chrono::steady_clock::now()};
        RunOptimisation(run, threads, maxLanes);
        console = out.str();
    }
};

TEST(FgfcSmallRun, ReportMatchesTheReferenceApartFromElapsedTimes) {
    OptimisationSetup setup;
    std::string console;
    ASSERT_EQ(setup.runEngine(console), 0) << console;
    EXPECT_EQ(MaskReportTimes(setup.file("output_FGFC.out")),
              MaskReportTimes(ReadFileText(kReference / "expected" / "output_FGFC.out")));
}

TEST(FgfcSmallRun, PlanOccupancyAndPlotFilesMatchTheReference) {
    OptimisationSetup setup;
    std::string console;
    ASSERT_EQ(setup.runEngine(console), 0) << console;
    for (const char* name : {"opt_FGFC_plan.tpl", "occu_FGFC.occ", "ctmplot_1.plt"}) {
        EXPECT_EQ(setup.file(name), ReadFileText(kReference / "expected" / name)) << name;
    }
    EXPECT_FALSE(setup.exists("opt_exist_plan.tpl"));
    EXPECT_FALSE(setup.exists("occu_exist.occ"));
}

TEST(FgfcSmallRun, ConsoleMatchesTheReferenceItemByItem) {
    OptimisationSetup setup;
    std::string console;
    ASSERT_EQ(setup.runEngine(console), 0) << console;
    EXPECT_EQ(ConsoleItems(console),
              ConsoleItems(ReadFileText(kReference / "expected" / "console.txt")));
}

// A console whose reader sees only what was flushed: each flush records the text so far.
class FlushRecorder : public std::stringbuf {
  public:
    std::vector<size_t> flushedLengths;

  protected:
    int sync() override {
        flushedLengths.push_back(str().size());
        return 0;
    }
};

// A pipe to the Editor's console window shows a line only once it is flushed.
TEST(FgfcSmallRun, EveryConsoleLineIsFlushedAsItIsWritten) {
    OptimisationSetup setup;
    FlushRecorder recorder;
    std::ostream console(&recorder);
    ASSERT_EQ(RunEngine(console, (setup.programDir.path() / "inout.dir").string()), 0);
    const std::string text = recorder.str();
    const auto& flushes = recorder.flushedLengths;
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        EXPECT_NE(std::find(flushes.begin(), flushes.end(), end + 1), flushes.end())
            << "not flushed: " << text.substr(start, end - start);
        start = end + 1;
    }
}

TEST(FgfcSmallRun, SameFilesWithOneOrSeveralThreads) {
    const char* names[] = {"output_FGFC.out", "opt_FGFC_plan.tpl", "occu_FGFC.occ",
                           "ctmplot_1.plt"};
    OptimisationSetup serial, parallel;
    std::string serialConsole, parallelConsole;
    serial.optimise(1, serialConsole);
    parallel.optimise(3, parallelConsole);
    for (const char* name : names) {
        EXPECT_EQ(MaskReportTimes(serial.file(name)), MaskReportTimes(parallel.file(name))) << name;
    }
    EXPECT_EQ(ConsoleItems(serialConsole), ConsoleItems(parallelConsole));
}

// The reference scenario with another controlStrategy and 4 generations.
std::vector<std::pair<int, std::string>> Variant(const char* strategy) {
    return {{1, strategy}, {8, "4"}};
}

TEST(VariantRuns, VgvcFilesAreTheSameWithAnyThreadsAndLanes) {
    // Both seeds too, so that every part of the chain takes part.
    std::vector<std::pair<int, std::string>> lines = Variant("3");
    lines.push_back({12, "Y"});
    lines.push_back({13, "Y"});
    OptimisationSetup onePlan(lines);
    std::string onePlanConsole;
    onePlan.optimise(1, onePlanConsole, 1);
    // Every lane width on offer, on one thread and on two; 8 individuals fill a batch of 4
    // or 8 and leave most of one of 16 empty.
    unsigned threads = 1;
    for (const LaneKernel& kernel : AvailableLaneKernels()) {
        OptimisationSetup lanes(lines);
        std::string lanesConsole;
        lanes.optimise(threads, lanesConsole, kernel.width);
        for (const char* name :
             {"output_VGVC.out", "opt_VGVC_plan.tpl", "occu_VGVC.occ", "ctmplot_1.plt"}) {
            ASSERT_TRUE(onePlan.exists(name)) << name;
            EXPECT_EQ(MaskReportTimes(onePlan.file(name)), MaskReportTimes(lanes.file(name)))
                << name << " " << kernel.name << " on " << threads << " threads";
        }
        EXPECT_EQ(ConsoleItems(onePlanConsole), ConsoleItems(lanesConsole)) << kernel.name;
        threads = 3 - threads;
    }
}

// On two workers the occupancy file is written beside the other result files, yet a
// failure reported is still the first in the order the files come.
TEST(VariantRuns, AFailedWriteIsTheFirstInTheOrderOfTheFiles) {
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full on this system";
    }
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"opt_FGFC_plan.tpl", "occu_FGFC.occ", "ctmplot_1.plt"}, "opt_FGFC_plan.tpl"},
        {{"occu_FGFC.occ", "ctmplot_1.plt"}, "occu_FGFC.occ"},
        {{"ctmplot_1.plt"}, "ctmplot_1.plt"},
    };
    for (const auto& [full, named] : cases) {
        OptimisationSetup setup(Variant("1"));
        for (const std::string& name : full)
            fs::create_symlink("/dev/full", setup.runDir.path() / name);
        std::string console;
        try {
            setup.optimise(2, console, 1);  // a batch per plan: both workers take part
            ADD_FAILURE() << "no failure with " << named << " full";
        } catch (const OutputFileError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot write " +
                                                     (setup.runDir.path() / named).string() +
                                                     " (No space left on device)");
        }
    }
}

TEST(VariantRuns, VgfcReportHasOnlyItsOwnSearchAndOneRowPerCycleAndStage) {
    OptimisationSetup setup(Variant("2"));
    std::string console;
    ASSERT_EQ(setup.runEngine(console), 0) << console;
    EXPECT_FALSE(setup.exists("output_FGFC.out"));
    EXPECT_FALSE(setup.exists("opt_FGFC_plan.tpl"));
    const std::vector<std::string> report = Lines(setup.file("output_VGFC.out"));
    ASSERT_GT(report.size(), 2u);
    EXPECT_EQ(report[1],
              " *** G A   O P T I M I Z A T I O N   R E S U L T S ---  V G F C   P L A N S ****");
    int rows = 0, tableRows = 0, cycleLines = 0;
    bool inTable = false;
    for (const std::string& line : report) {
        if (line.size() == 62 && line.substr(0, 5).find_first_not_of(' ') != std::string::npos &&
            IsNumber(line.substr(0, 5))) {
            ++rows;
        }
        if (line.find("Network Cycle Time (sec):") != std::string::npos)
            ++cycleLines;
        if (line == "         -----    -----    --------------") {
            inTable = true;
            continue;
        }
        if (inTable && line == " ")
            inTable = false;
        if (inTable)
            ++tableRows;
    }
    EXPECT_EQ(rows, 4);  // generations of the VGFC search only
    EXPECT_EQ(cycleLines, 1);
    EXPECT_EQ(tableRows, 2 * 6 * 3);  // two intersections, 6 cycles of 3 stages
    EXPECT_TRUE(setup.exists("opt_VGFC_plan.tpl"));
    EXPECT_TRUE(setup.exists("occu_VGFC.occ"));
    EXPECT_TRUE(setup.exists("ctmplot_1.plt"));
}

TEST(VariantRuns, VgvcReportHasNoNetworkCycleAndACycleColumn) {
    OptimisationSetup setup(Variant("3"));
    std::string console;
    ASSERT_EQ(setup.runEngine(console), 0) << console;
    const std::string report = setup.file("output_VGVC.out");
    EXPECT_NE(report.find("V G V C   P L A N S"), std::string::npos);
    EXPECT_EQ(report.find("Network Cycle Time (sec):"), std::string::npos);
    EXPECT_NE(report.find("         Cycle    Stage    Duration (sec)    Cycle (sec)\r\n"),
              std::string::npos);
    EXPECT_NE(report.find("DELAY BY APPROACH:"), std::string::npos);
    // Three searches ran: their best-delay lines are on the console.
    size_t searches = 0;
    for (size_t at = console.find("Min Total Weighted Delay:"); at != std::string::npos;
         at = console.find("Min Total Weighted Delay:", at + 1)) {
        ++searches;
    }
    EXPECT_EQ(searches, 3u);
}

TEST(VariantRuns, LaterStagesNeverReportAWorseDelayThanTheStageBefore) {
    OptimisationSetup setup(Variant("3"));
    std::string console;
    ASSERT_EQ(setup.runEngine(console), 0) << console;
    std::vector<double> best;
    for (const std::string& line : Lines(console)) {
        const std::string label = " Min Total Weighted Delay: ";
        if (line.rfind(label, 0) == 0)
            best.push_back(std::stod(line.substr(label.size())));
    }
    ASSERT_EQ(best.size(), 3u);
    EXPECT_LE(best[1], best[0]);
    EXPECT_LE(best[2], best[1]);
}

// A variant the optimiser does not have would run a search and report no plan: it is refused
// before any file is touched.
TEST(VariantRuns, OtherControlStrategyIsRefusedBeforeAnyFileIsTouched) {
    for (const char* strategy : {"0", "4", "-1", "7"}) {
        OptimisationSetup setup(Variant(strategy));
        WriteFileText(setup.runDir.path() / "output_VGVC.out", "earlier");
        std::string console;
        EXPECT_EQ(setup.runEngine(console), 1) << strategy;
        EXPECT_NE(console.find(", line 2: controlStrategy is " + std::string(strategy) +
                               ", expected 1 (FGFC), 2 (VGFC) or 3 (VGVC) for an optimisation\n"),
                  std::string::npos)
            << console;
        EXPECT_EQ(setup.file("output_VGVC.out"), "earlier");
        EXPECT_FALSE(setup.exists("output_exist.out"));
    }
}

TEST(VariantRuns, ExistingAndWebsterSeedsEnterTheFirstPopulation) {
    OptimisationSetup seeded({{12, "Y"}, {13, "Y"}});
    std::string console;
    ASSERT_EQ(seeded.runEngine(console), 0) << console;
    EXPECT_EQ(console.find("seed skipped"), std::string::npos) << console;
    EXPECT_NE(MaskReportTimes(seeded.file("output_FGFC.out")),
              MaskReportTimes(ReadFileText(kReference / "expected" / "output_FGFC.out")));
}

TEST(VariantRuns, SeedThatWouldDivideByZeroIsSkippedWithAConsoleLine) {
    // maxCycleTime 45 equals the largest minimum cycle of the two intersections.
    OptimisationSetup setup({{12, "Y"}, {47, "45"}});
    std::string console;
    ASSERT_EQ(setup.runEngine(console), 0) << console;
    EXPECT_NE(console.find(" Existing-plan seed skipped: maxCycleTime equals minCycleTime (45)"),
              std::string::npos)
        << console;
    EXPECT_TRUE(setup.exists("opt_FGFC_plan.tpl"));
}

TEST(OptimisationInput, DivergeWithoutSplitStopsBeforeTheSearch) {
    std::vector<std::string> lines = test::SmallScenarioLines();
    lines[0] = "Y";
    lines[17] = "1-DI-3\t0\t2\t0.9\tdi\t1-TR-2\t0\t1-DE-4\t2-DE-5\t0\t0.3\t0\tN\t0\t36";
    const test::RunSetup setup(test::JoinLines(lines));
    std::string console;
    EXPECT_NE(setup.run(console), 0);
    EXPECT_NE(console.find("\n **** Error is diverge split info\n"), std::string::npos) << console;
    EXPECT_EQ(console.find("Min Total Weighted Delay"), std::string::npos) << console;
    // The report keeps what is written before the first simulation.
    EXPECT_NE(
        ReadFileText(setup.file("output_FGFC.out")).find(">> Genetic Algorithm Search Process"),
        std::string::npos);
}

// Every one of 2086 stage bits x 8100 individuals must be flipped, but above 2^24
// positions the draw of a 32-bit real never reaches some of them.
TEST(OptimisationInput, MutationThatCouldNeverBeDrawnStopsBeforeTheSearch) {
    std::vector<std::string> lines = test::SmallScenarioLines();
    lines[0] = "Y";
    lines[1] = "2";               // VGFC
    lines[7] = "8100";            // populationSize
    lines[10] = "1";              // mutationRate
    lines[25] = "149";            // phaseCycle
    lines[33] = "1\t3\t2\t0\t0";  // both stages optimised
    const test::RunSetup setup(test::JoinLines(lines));
    std::string console;
    EXPECT_EQ(setup.run(console), 1);
    EXPECT_NE(console.find(": mutationRate 1 asks the VGFC search for 16896600 distinct stage "
                           "bit mutations per generation (2086 stage bits x populationSize "
                           "8100), but its random draw reaches only 16836909 of those "
                           "positions, so the search would never end; reduce mutationRate or "
                           "populationSize, or the stage bits (phaseCycle, the optimised "
                           "stages)\n"),
              std::string::npos)
        << console;
    EXPECT_EQ(console.find("Min Total Weighted Delay"), std::string::npos) << console;
}

// A plan of no cycles leaves the variable-cycle chromosome without cycle bits.
TEST(OptimisationInput, NoSignalCyclesStopBeforeTheSearch) {
    for (const char* strategy : {"1", "2", "3"}) {
        std::vector<std::pair<int, std::string>> lines = Variant(strategy);
        lines.emplace_back(46, "0");  // phaseCycle
        OptimisationSetup setup(lines);
        std::string console;
        EXPECT_EQ(setup.runEngine(console), 1) << strategy;
        EXPECT_NE(console.find("phaseCycle is 0, expected at least 1 for an optimisation run"),
                  std::string::npos)
            << console;
        EXPECT_EQ(console.find("Min Total Weighted Delay"), std::string::npos) << console;
    }
}

class RejectedParameter
    : public ::testing::TestWithParam<std::tuple<int, const char*, const char*>> {};

TEST_P(RejectedParameter, BeforeTheSearchNamingTheValue) {
    const auto& [line, value, message] = GetParam();
    OptimisationSetup setup({{line, value}});
    std::string console;
    EXPECT_NE(setup.runEngine(console), 0);
    EXPECT_NE(console.find(message), std::string::npos) << console;
    EXPECT_EQ(console.find("Min Total Weighted Delay"), std::string::npos) << console;
    EXPECT_FALSE(setup.exists("opt_FGFC_plan.tpl"));
}

INSTANTIATE_TEST_SUITE_P(
    OptimisationInput, RejectedParameter,
    ::testing::Values(
        std::make_tuple(7, "1", "populationSize is 1, expected at least 2"),
        std::make_tuple(8, "0", "generationNum is 0, expected at least 1"),
        std::make_tuple(9, "-2", "terminationNum is -2, expected at least 1"),
        std::make_tuple(8, "2147483647", "generationNum is 2147483647, expected at most 99999"),
        std::make_tuple(7, "10001", "populationSize is 10001, expected at most 10000")));

}  // namespace
}  // namespace talvo
