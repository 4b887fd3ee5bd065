#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "Delay.h"
#include "SignalControl.h"
#include "Simulation.h"
#include "SmallScenario.h"
#include "TestFiles.h"

namespace talvo {
namespace {

class DelayEvaluatorOnScenario : public testing::TestWithParam<const char*> {};

// The optimiser's lean evaluation and the full run agree to the bit, plan after plan,
// on the reference networks and the bundled examples.
TEST_P(DelayEvaluatorOnScenario, MatchesTheFullRunForShiftedPlans) {
    test::ReadResult read =
        test::ReadScenarioText(test::ReadFileText(test::ScenarioPath(GetParam())));
    Scenario& s = *read.scenario;
    const auto inputs = std::make_unique<TimeTables>(*read.tables);
    DelayEvaluator evaluator(s, *inputs);
    auto signals = std::make_unique<SignalTables>();
    StagePlan plan = ExistingStagePlan(s);
    for (int variant = 0; variant < 4; ++variant) {
        for (int p = 1; p <= s.numIntersections; ++p) {
            plan.offset[p] = (plan.offset[p] + 13 * variant) % 97;
        }
        BuildSignalTable(s, plan, *signals);
        DelayResults full, lean;
        const float twdFull = SimulateNetwork(s, *signals, *read.tables, full);
        const float twdLean = evaluator.evaluate(*signals, lean);
        EXPECT_EQ(std::memcmp(&twdFull, &twdLean, sizeof twdFull), 0)
            << "plan " << variant << ": " << twdFull << " vs " << twdLean;
        for (int a = 1; a <= s.numApproaches; ++a) {
            EXPECT_EQ(full.approachDelaySteps[a], lean.approachDelaySteps[a]) << a;
        }
        EXPECT_GT(twdFull, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, DelayEvaluatorOnScenario,
                         testing::Values("corridor", "two-junctions", "arterial", "grid"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return test::WithoutDashes(info.param);
                         });

}  // namespace
}  // namespace talvo
