#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "Delay.h"
#include "Simulation.h"
#include "TestNetworks.h"

namespace talvo {
namespace {

using test::TestNetwork;

// A queue held on red: `vehicles` in one cell that cannot leave.
struct HeldQueue {
    TestNetwork net;
    int queue, dest;
    HeldQueue(int32_t timeStep, float vehicles) : net(timeStep, 10) {
        queue = net.addCell(CellKind::Ordinary, 4);  // holds 12 with a 2 s step
        dest = net.addCell(CellKind::Destination);
        net.link(queue, dest);
        net.addIntersection(1, 0, {30});
        net.addSignal(1, 1, "N");
        net.gate(queue, 1);
        net.signals.sequences[1].signalEndTime[0] = kSequenceEnd;
        net.setOccupancy(queue, vehicles);
    }
};

TEST(AggregateDelay, QueueHeldFiveStepsOfTwoSeconds) {
    HeldQueue q(2, 10.0f);
    q.net.scenario.startStep = 0;
    q.net.scenario.endStep = 8;  // steps at 0, 2, 4, 6, 8
    q.net.addApproach(2.0f, {q.queue});
    DelayResults results;
    const float twd = SimulateNetwork(q.net.scenario, q.net.signals, *q.net.tables, results);
    EXPECT_EQ(results.approachDelaySteps[1], 50.0f);
    EXPECT_EQ(results.approachDelaySeconds[1], 100.0f);
    EXPECT_EQ(twd, 200.0f);
    EXPECT_EQ(results.totalWeightedDelay, 200.0f);
}

TEST(AggregateDelay, StartEqualToEndSumsOneStep) {
    HeldQueue q(2, 10.0f);
    q.net.scenario.startStep = 4;
    q.net.scenario.endStep = 4;
    q.net.addApproach(1.0f, {q.queue});
    EXPECT_EQ(DelayStepCount(q.net.scenario), 1);
    DelayResults results;
    EXPECT_EQ(SimulateNetwork(q.net.scenario, q.net.signals, *q.net.tables, results), 20.0f);
    EXPECT_EQ(results.approachDelaySteps[1], 10.0f);
}

TEST(AggregateDelay, EndOffTheGridStopsAtTheStepBelow) {
    HeldQueue q(2, 10.0f);
    q.net.scenario.startStep = 2;
    q.net.scenario.endStep = 7;  // steps at 2, 4, 6
    q.net.addApproach(1.0f, {q.queue});
    EXPECT_EQ(DelayStepCount(q.net.scenario), 3);
    DelayResults results;
    EXPECT_EQ(SimulateNetwork(q.net.scenario, q.net.signals, *q.net.tables, results), 60.0f);
}

TEST(AggregateDelay, ApproachOfDestinationsHasNoDelay) {
    TestNetwork net = test::MakeJunctionNetwork(1, 200, 0.5f);
    BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
    const int a = net.addApproach(3.0f, {11, 12});
    const test::RecordedRun run(net);
    EXPECT_EQ(run.results.approachDelaySteps[a], 0.0f);
    EXPECT_GT(run.run->n(12, 200), 0.0f);
}

TEST(AggregateDelay, WeightsEachApproach) {
    TestNetwork net = test::MakeJunctionNetwork(1, 200, 0.5f);
    BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
    DelayResults results;
    const float twd = SimulateNetwork(net.scenario, net.signals, *net.tables, results);
    float expected = 0.0f;
    for (int a = 1; a <= 3; ++a) {
        EXPECT_GT(results.approachDelaySteps[a], 0.0f);
        expected += net.scenario.approaches[a].weight * results.approachDelaySeconds[a];
    }
    EXPECT_EQ(twd, expected);
}

struct EvaluatorCase {
    const char* name;
    int32_t timeStep, endSimulationStep, startStep, endStep;
    float preload;
};

class DelayEvaluatorTest : public testing::TestWithParam<EvaluatorCase> {};

TEST_P(DelayEvaluatorTest, GivesBitIdenticalDelayToTheFullRun) {
    const EvaluatorCase& c = GetParam();
    TestNetwork net = test::MakeJunctionNetwork(c.timeStep, c.endSimulationStep, c.preload);
    net.scenario.startStep = c.startStep;
    net.scenario.endStep = c.endStep;
    // The evaluator reads the prepared inputs from a copy the full run never touches.
    auto inputs = std::make_unique<TimeTables>(*net.tables);
    DelayEvaluator evaluator(net.scenario, *inputs);
    for (int32_t offset : {0, 7, 23, 41}) {
        net.scenario.intersections[1].offset = offset;
        net.scenario.intersections[1].stageTime[1] = 20 + offset / 2;
        BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
        DelayResults full, lean;
        const float twdFull = SimulateNetwork(net.scenario, net.signals, *net.tables, full);
        const float twdLean = evaluator.evaluate(net.signals, lean);
        EXPECT_EQ(std::memcmp(&twdFull, &twdLean, sizeof(float)), 0)
            << "offset " << offset << ": " << twdFull << " vs " << twdLean;
        for (int a = 1; a <= net.scenario.numApproaches; ++a) {
            EXPECT_EQ(full.approachDelaySteps[a], lean.approachDelaySteps[a]) << a;
        }
        EXPECT_EQ(evaluator.evaluate(net.signals), twdLean);
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, DelayEvaluatorTest,
                         testing::Values(EvaluatorCase{"WholeRun", 1, 600, 0, 600, 0.5f},
                                         EvaluatorCase{"MiddlePeriod", 1, 600, 60, 360, 0.2f},
                                         EvaluatorCase{"OneStep", 1, 300, 100, 100, 0.8f},
                                         EvaluatorCase{"EmptyNetworkStart", 1, 500, 0, 250, 0.0f},
                                         EvaluatorCase{"TwoSecondSteps", 2, 601, 40, 599, 0.5f},
                                         EvaluatorCase{"ThreeSecondSteps", 3, 900, 3, 900, 0.6f},
                                         EvaluatorCase{"EmptyPeriod", 1, 300, 200, 100, 0.5f}),
                         [](const testing::TestParamInfo<EvaluatorCase>& info) {
                             return info.param.name;
                         });

}  // namespace
}  // namespace talvo
