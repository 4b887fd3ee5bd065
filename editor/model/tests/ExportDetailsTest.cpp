// Export details that the reference networks do not reach: the run-mode flags, the
// stage-fixing records, a movement still green at the horizon, and the limits of the
// engine beyond the cell and group counts.

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "common/ProjectReader.h"
#include "model/ExportChecks.h"
#include "model/ScenarioWriter.h"

namespace talvo {
namespace {

using test::DataPath;
using test::PlanRecord;
using test::RecordingPrompter;

Project Corridor() {
    const ProjectReadResult read = ReadProject(DataPath("corridor.tin"), ProjectLayout::Current);
    EXPECT_TRUE(read.ok) << read.detail;
    return read.project;
}

// The lines of a text ended by CR LF.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end = text.find("\r\n"); end != std::string::npos;
         end = text.find("\r\n", at)) {
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

TEST(ScenarioFile, RunModeFlagsAndStrategy) {
    Project project = Corridor();
    project.params.optimizationOn = true;
    project.params.controlStrategy = 3;
    project.params.adaptWebster = true;
    project.params.initialSeed = false;
    project.params.initialCellOccupancy = 35;
    const std::vector<std::string> lines = Lines(FormatScenario(project));
    ASSERT_GE(lines.size(), 14u);
    const std::vector<std::string> sectionA(lines.begin(), lines.begin() + 14);
    EXPECT_EQ(sectionA,
              (std::vector<std::string>{"Y", "3", "0.25", "125\t1800", "35", "1\t1000", "0\t1000",
                                        "100", "10", "5", "0.5", "5", "Y", "N"}));
}

TEST(ScenarioFile, StagesAreFixedUnlessOptimisedInAnOptimisationRun) {
    Project project = Corridor();
    project.tables.nodes[0].stages[1].stageOptimize = true;
    const std::string fixing = "\r\n2\r\n1\t10\t2\t1\t0\r\n2\t0\t2\t1\t1\r\n";
    const std::string allFixed = "\r\n2\r\n1\t10\t2\t1\t1\r\n2\t0\t2\t1\t1\r\n";
    // A simulation run fixes every stage whatever its flag.
    EXPECT_NE(FormatScenario(project).find(allFixed), std::string::npos);
    project.params.optimizationOn = true;
    EXPECT_NE(FormatScenario(project).find(fixing), std::string::npos);
}

TEST(PlanFile, HorizonInsideAPeriodKeepsItsState) {
    // Node 9 (offset 0) runs movement 1 in its first stage (35 s), movement 2 in its
    // second (25 s). With the delay period ending at 30, movement 1 is still green at the
    // horizon and its closing pair stays green; movement 2 is red throughout.
    Project project = Corridor();
    project.params.endStep = 30;
    const std::string plan = FormatPlan(project);
    EXPECT_EQ(PlanRecord(plan, 1), "1\r\n0\t0\r\n1\t30\r\n1\t10000\r\n");
    EXPECT_EQ(PlanRecord(plan, 2), "2\r\n0\t0\r\n0\t30\r\n0\t10000\r\n");
    // Node 8 starts at its offset of 10; movement 3 runs in its first stage (40 s).
    EXPECT_EQ(PlanRecord(plan, 3), "3\r\n0\t10\r\n1\t30\r\n1\t10000\r\n");
}

TEST(PlanFile, MovementInEveryStageIsGreenUntilTheLastCycleEnds) {
    Project project = Corridor();
    project.params.phaseCycle = 3;
    project.tables.nodes[1].stages[1].stageMoves = {2, 1};
    // 3 cycles of 60 s from 0 end at 180, before the horizon of 1000.
    EXPECT_EQ(PlanRecord(FormatPlan(project), 1), "1\r\n0\t0\r\n1\t180\r\n0\t1000\r\n0\t10000\r\n");
    project.params.endStep = 100;
    EXPECT_EQ(PlanRecord(FormatPlan(project), 1), "1\r\n0\t0\r\n1\t100\r\n0\t10000\r\n");
}

struct LimitCase {
    const char* name;
    void (*change)(Project&);
    const char* message;
};

void PrintTo(const LimitCase& c, std::ostream* out) {
    *out << c.name;
}

class EngineLimit : public ::testing::TestWithParam<LimitCase> {};

TEST_P(EngineLimit, RefusesWhatTheEngineCannotRead) {
    const LimitCase& c = GetParam();
    Project project = Corridor();
    c.change(project);
    RecordingPrompter prompter;
    EXPECT_TRUE(ValidateForExport(project, prompter));
    ASSERT_EQ(prompter.cautions.size(), 1u);
    EXPECT_EQ(prompter.cautions[0], c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Times, EngineLimit,
    ::testing::Values(
        LimitCase{"NetworkCycleTime", [](Project& p) { p.params.networkCycleTime = 100000; },
                  "The Regional Network Cycle Time of 100000 seconds is beyond the engine's last "
                  "time of 99999 seconds."},
        LimitCase{"MaxCycleTime", [](Project& p) { p.params.maxCycleTime = 120000; },
                  "The Max. Cycle Time of 120000 seconds is beyond the engine's last time of 99999 "
                  "seconds."},
        LimitCase{"MinGreenTime", [](Project& p) { p.params.minGreenTime = 100000; },
                  "The Minimum Green Time of 100000 seconds is beyond the engine's last time of "
                  "99999 seconds."},
        LimitCase{"LostTime", [](Project& p) { p.params.lostTime = 100000; },
                  "The Lost Time of 100000 seconds is beyond the engine's last time of 99999 "
                  "seconds."},
        LimitCase{"SimulatedCycles", [](Project& p) { p.params.phaseCycle = 100000; },
                  "The Simulated Cycles of 100000 is beyond the engine's limit of 99999."},
        LimitCase{"StageTime", [](Project& p) { p.tables.nodes[1].stages[1].stageTime = 100000; },
                  "The time of stage 2 of node 9 of 100000 seconds is beyond the engine's last "
                  "time of 99999 seconds."},
        LimitCase{"PlanEntries",
                  [](Project& p) {
                      // Red to 0, 333 switches of 166 cycles of 60 s, red to the horizon, closing
                      // pair.
                      p.params.endSimulationStep = 9999;
                      p.params.endStep = 9999;
                      p.params.phaseCycle = 200;
                  },
                  "The existing plan of signal 1 has 336 switching entries.  The engine can take "
                  "at most 301."}),
    [](const ::testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

TEST(EngineLimit, LongestPlanTheEngineReadsIsExported) {
    Project project = Corridor();
    // The last simulated second the engine takes: its last step then ends at 9999.
    project.params.endSimulationStep = 9998;
    project.params.endStep = 9998;
    // Red to the first start, 297 switches, the last stage to 8940 (8950 at node 8), red
    // to the horizon and the closing pair: 301 entries.
    project.params.phaseCycle = 149;
    RecordingPrompter prompter;
    EXPECT_FALSE(ValidateForExport(project, prompter))
        << (prompter.cautions.empty() ? "" : prompter.cautions[0]);
}

}  // namespace
}  // namespace talvo
