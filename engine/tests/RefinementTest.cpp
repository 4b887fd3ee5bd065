// The refinement after the GA: it reaches the exhaustive best of an isolated two-phase
// junction, it never ends worse than its starts, and a refined run writes the same files
// with any number of threads and any lane width.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <string>

#include "TestFiles.h"
#include "TestNetworks.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "optimiser/DelayCosts.h"
#include "optimiser/Optimiser.h"
#include "optimiser/Refinement.h"
#include "run/RunFiles.h"
#include "talvo/Engine.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;
using test::ReadFileText;
using test::ScratchDir;
using test::WriteFileText;

// The junction network with an FGFC search space small enough to walk through: cycles
// 30..42 s, two free stages of at least 10 s.
test::TestNetwork SmallJunction() {
    test::TestNetwork net = test::MakeJunctionNetwork(1, 240, 0.3f);
    Scenario& s = net.scenario;
    s.minGreenTime = 10;
    s.minCycleTime = 30;
    s.maxCycleTime = 42;
    s.phaseCycle = 9;
    s.networkCycleTime = 40;
    Intersection& node = s.intersections[1];
    node.stageTime[1] = 20;
    node.stageTime[2] = 20;
    node.stageDuration[0] = 2 * s.minGreenTime;
    return net;
}

std::unique_ptr<DecodedPlan> FgfcPlan(const Scenario& s, int32_t cycle, int32_t firstGreen,
                                      int32_t offset) {
    auto plan = std::make_unique<DecodedPlan>();
    plan->sizeFor(s);
    plan->cycleLength = cycle;
    plan->stages.networkCycleTime = cycle;
    plan->stages.offset[1] = offset;
    plan->stages.slotDuration[1][0] = offset;
    plan->stages.slotDuration[1][1] = firstGreen;
    plan->stages.slotDuration[1][2] = cycle - firstGreen;
    return plan;
}

TEST(Refinement, ReachesTheExhaustiveBestOfAnIsolatedJunctionAndNeverEndsWorse) {
    const test::TestNetwork net = SmallJunction();
    const Scenario& s = net.scenario;
    MoveEvaluator evaluator(s, PlanVariant::FGFC, DelayCosts(s, *net.tables, 0), 1);

    float exhaustive = std::numeric_limits<float>::infinity();
    for (int32_t cycle = s.minCycleTime; cycle <= s.maxCycleTime; ++cycle) {
        for (int32_t green = s.minGreenTime; green <= cycle - s.minGreenTime; ++green) {
            for (int32_t offset = 0; offset < cycle; ++offset)
                exhaustive =
                    std::min(exhaustive, evaluator.evaluate(*FgfcPlan(s, cycle, green, offset)));
        }
    }

    // A poor start: the longest cycle, the shortest first green, no offset.
    const auto start = FgfcPlan(s, s.maxCycleTime, s.minGreenTime, 0);
    const float startTwd = evaluator.evaluate(*start);
    const RefinementResult result =
        RefinePlan(s, PlanVariant::FGFC, evaluator, *start, startTwd, 100000);
    ASSERT_TRUE(result.fromExisting.has_value()) << result.existingSkipped;
    EXPECT_FLOAT_EQ(result.chosen().twd, exhaustive);
    EXPECT_LE(result.chosen().twd, startTwd);
    EXPECT_LE(result.chosen().twd, result.fromExisting->startTwd);
    // The kept plan is the one whose TWD is reported.
    EXPECT_EQ(evaluator.evaluate(*result.chosen().plan), result.chosen().twd);
    EXPECT_EQ(result.evaluations, result.fromGa.evaluations + 1 + result.fromExisting->evaluations);
}

TEST(Refinement, StopsAtItsBudget) {
    const test::TestNetwork net = SmallJunction();
    MoveEvaluator evaluator(net.scenario, PlanVariant::FGFC,
                            DelayCosts(net.scenario, *net.tables, 0), 2);
    const auto start = FgfcPlan(net.scenario, 42, 10, 0);
    const LocalSearchResult search = LocalSearch(net.scenario, PlanVariant::FGFC, evaluator, *start,
                                                 evaluator.evaluate(*start), 7);
    EXPECT_EQ(search.evaluations, 7);
    EXPECT_LE(search.twd, search.startTwd);
}

// The small FGFC reference scenario as the given variant, with refinement, on `threads`
// threads and lanes of at most `maxLanes`; returns the report from the refinement on and
// the plan file.
std::string RefinedRun(int strategy, unsigned threads, int maxLanes) {
    const fs::path reference = test::DataDir() / "reference-runs" / "fgfc-small";
    ScratchDir runDir;
    std::string input = ReadFileText(reference / "input.fin");
    input[input.find('\n') + 1] = static_cast<char>('0' + strategy);  // controlStrategy
    WriteFileText(runDir.path() / "input.fin", input);
    fs::copy_file(reference / "plan.tpl", runDir.path() / "plan.tpl");

    const RunFiles files = FormRunFiles(runDir.withSeparator());
    std::ifstream in(files.inputFin, std::ios::binary);
    TokenReader reader(in, files.inputFin);
    auto scenario = std::make_unique<Scenario>();
    auto tables = std::make_unique<TimeTables>();
    ReadRunChoice(reader, *scenario);
    std::ofstream existReport(files.outputExist, std::ios::binary);
    std::ofstream variantReport(files.variantReport(strategy), std::ios::binary);
    RecordWriter echo(existReport);
    RecordWriter variantWriter(variantReport);
    std::ostringstream console;
    ReadScenario(reader, *scenario, *tables, echo, console);
    EngineRun run{files,          *scenario, *tables,
                  existReport,    echo,      &variantReport,
                  &variantWriter, console,   std::chrono::steady_clock::now()};
    RunOptimisation(run, threads, maxLanes, RefineOptions{true});
    variantReport.close();
    const std::string report = ReadFileText(files.variantReport(strategy));
    const size_t section = report.find(">> Refinement");
    EXPECT_NE(section, std::string::npos) << report;
    return report.substr(std::min(section, report.size())) +
           ReadFileText(files.variantPlan(strategy));
}

TEST(Refinement, SameOutcomeForAnyThreadsAndLaneWidth) {
    for (const int strategy : {1, 3}) {
        const std::string expected = RefinedRun(strategy, 1, 1);
        EXPECT_EQ(RefinedRun(strategy, 2, 1), expected) << strategy;
        EXPECT_EQ(RefinedRun(strategy, 1, 0), expected) << strategy;
        EXPECT_EQ(RefinedRun(strategy, 2, 0), expected) << strategy;
    }
}

}  // namespace
}  // namespace talvo
