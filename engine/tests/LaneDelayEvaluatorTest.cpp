// The lane-parallel evaluation against the full run: the same delays to the bit for
// random plans, on the bundled examples, the reference runs and networks built to
// exercise each rule, with every lane kernel this processor offers (every instruction set
// at every width, one lane among them) and with partly filled batches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "Delay.h"
#include "EngineError.h"
#include "SignalControl.h"
#include "Simulation.h"
#include "SmallScenario.h"
#include "TestFiles.h"
#include "TestNetworks.h"
#include "lanes/LaneDelayEvaluator.h"
#include "lanes/LaneKernels.h"
#include "optimiser/DelayCosts.h"

namespace talvo {
namespace {

constexpr int kPlans = 20;  // a full and a partly filled batch even at 16 lanes

struct Network {
    std::unique_ptr<test::TestNetwork> built;
    test::ReadResult read;
    const Scenario& scenario() const { return built ? built->scenario : *read.scenario; }
    const TimeTables& inputs() const { return built ? *built->tables : *read.tables; }
};

Network Load(const std::string& name) {
    Network net;
    if (name == "congested") {
        net.built = std::make_unique<test::TestNetwork>(test::MakeCongestedNetwork(1, 400));
    } else if (name == "congested2s") {
        net.built = std::make_unique<test::TestNetwork>(test::MakeCongestedNetwork(2, 401));
        net.built->scenario.startStep = 40;
        net.built->scenario.endStep = 399;
    } else if (name == "junctions") {
        // 15 junctions of 12 cells: 180 cells, 30 signal records and 15 approaches.
        net.built = std::make_unique<test::TestNetwork>(test::MakeJunctionRow(15, 1, 900, 0.4f));
    } else if (name == "junction2s") {
        net.built = std::make_unique<test::TestNetwork>(test::MakeJunctionNetwork(2, 601, 0.5f));
    } else {
        net.read = test::ReadScenarioText(test::ReadFileText(test::ScenarioPath(name)));
    }
    return net;
}

// The existing plan, then plans of random offsets and stage times that vary by cycle.
std::vector<std::unique_ptr<SignalTables>> Plans(const Scenario& s) {
    std::mt19937 random(20240611);
    std::vector<std::unique_ptr<SignalTables>> plans;
    for (int k = 0; k < kPlans; ++k) {
        StagePlan plan = ExistingStagePlan(s);
        if (k > 0) {
            plan.variesByCycle = true;
            for (int p = 1; p <= s.numIntersections; ++p) {
                plan.offset[p] = int32_t(random() % 128);
                for (int slot = 1; slot <= s.phaseCycle * s.intersections[p].stageCount; ++slot) {
                    plan.slotDuration[p][slot] = int32_t(4 + random() % 60);
                }
            }
        }
        plans.push_back(std::make_unique<SignalTables>());
        BuildSignalTable(s, plan, *plans.back());
    }
    return plans;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class LaneDelayEvaluatorTest : public testing::TestWithParam<const char*> {};

TEST_P(LaneDelayEvaluatorTest, EveryKernelGivesEachPlanTheDelaysOfItsOwnEvaluation) {
    const Network net = Load(GetParam());
    const Scenario& s = net.scenario();
    const auto plans = Plans(s);
    // The full run of each plan on its own tables (it overwrites them).
    auto tables = std::make_unique<TimeTables>(net.inputs());
    std::vector<DelayResults> expected(kPlans);
    for (int k = 0; k < kPlans; ++k) {
        SimulateNetwork(s, *plans[k], *tables, expected[k]);
    }
    EXPECT_GT(expected[0].totalWeightedDelay, 0.0f);

    for (const LaneKernel& kernel : AvailableLaneKernels()) {
        LaneDelayEvaluator lanes(s, net.inputs(), kernel);
        std::vector<float> twd(size_t(lanes.width()));
        std::vector<DelayResults> results(size_t(lanes.width()));
        for (int first = 0; first < kPlans; first += lanes.width()) {
            const int count = std::min(lanes.width(), kPlans - first);
            for (int k = 0; k < count; ++k) {
                lanes.load(k, *plans[first + k]);
            }
            lanes.evaluate(count, twd.data(), results.data());
            for (int k = 0; k < count; ++k) {
                const DelayResults& want = expected[first + k];
                const std::string where =
                    std::string(kernel.name) + " plan " + std::to_string(first + k);
                EXPECT_TRUE(SameBits(twd[k], want.totalWeightedDelay))
                    << where << ": " << twd[k] << " vs " << want.totalWeightedDelay;
                EXPECT_TRUE(SameBits(results[k].totalWeightedDelay, twd[k])) << where;
                for (int a = 1; a <= s.numApproaches; ++a) {
                    EXPECT_TRUE(
                        SameBits(results[k].approachDelaySteps[a], want.approachDelaySteps[a]))
                        << where << " approach " << a;
                    EXPECT_TRUE(
                        SameBits(results[k].approachDelaySeconds[a], want.approachDelaySeconds[a]))
                        << where << " approach " << a;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, LaneDelayEvaluatorTest,
                         testing::Values("corridor", "two-junctions", "fgfc-small", "arterial",
                                         "grid", "congested", "congested2s", "junction2s",
                                         "junctions"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return test::WithoutDashes(info.param);
                         });

TEST(LaneKernels, WidestFirstAndChosenByTheirWidth) {
    const std::vector<LaneKernel> kernels = AvailableLaneKernels();
    ASSERT_FALSE(kernels.empty());
    for (size_t k = 1; k < kernels.size(); ++k) {
        EXPECT_LE(kernels[k].width, kernels[k - 1].width) << kernels[k].name;
    }
    EXPECT_EQ(WidestLaneKernel().width, kernels.front().width);
    for (const LaneKernel& kernel : kernels) {
        EXPECT_EQ(WidestLaneKernel(kernel.width).width, kernel.width) << kernel.name;
    }
    EXPECT_EQ(kernels.back().width, 1);
    EXPECT_EQ(WidestLaneKernel(3).width, 1);  // nothing between one lane and four
}

// TALVO_LANES: unset or empty is the widest, a whole number a limit, anything else refused.
TEST(LaneKernels, LanesFromTheEnvironment) {
    struct Restore {
        ~Restore() { unsetenv("TALVO_LANES"); }
    } restore;
    unsetenv("TALVO_LANES");
    EXPECT_EQ(LanesFromEnvironment(), 0);
    for (const auto& [value, lanes] : {std::pair{"", 0}, {"1", 1}, {"8", 8}}) {
        setenv("TALVO_LANES", value, 1);
        EXPECT_EQ(LanesFromEnvironment(), lanes) << value;
    }
    for (const char* value : {"0", "-4", "4x", "wide"}) {
        setenv("TALVO_LANES", value, 1);
        try {
            LanesFromEnvironment();
            ADD_FAILURE() << value;
        } catch (const EngineError& error) {
            EXPECT_EQ(std::string(error.what()), std::string("TALVO_LANES is \"") + value +
                                                     "\", expected a whole number of at least 1");
        }
    }
}

}  // namespace
}  // namespace talvo
