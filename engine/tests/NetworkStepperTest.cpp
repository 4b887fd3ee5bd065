#include <gtest/gtest.h>

#include <vector>

#include "Delay.h"
#include "NetworkStepper.h"
#include "TestNetworks.h"

namespace talvo {
namespace {

// The junction network under its existing plan: record 1 gates the main street's stop
// line (cell 4), green in the first 30 s of each cycle after the offset.
struct Junction {
    test::TestNetwork net = test::MakeJunctionNetwork(1, 400, 0.3f);
    static constexpr int kStopLine = 4;
    static constexpr int kRecord = 1;
    Junction() { BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals); }
};

std::vector<std::vector<float>> Trajectory(NetworkStepper& stepper) {
    std::vector<std::vector<float>> rows;
    const int row = stepper.numCells() + 1;
    rows.emplace_back(stepper.occupancies(), stepper.occupancies() + row);
    while (!stepper.finished()) {
        stepper.step();
        rows.emplace_back(stepper.occupancies(), stepper.occupancies() + row);
    }
    return rows;
}

TEST(NetworkStepper, StepsGiveTheDelaysOfTheEvaluationAndRepeatAfterReset) {
    Junction j;
    NetworkStepper stepper(j.net.scenario, *j.net.tables, j.net.signals);
    const auto first = Trajectory(stepper);
    EXPECT_EQ(stepper.time(), 401);
    EXPECT_THROW(stepper.step(), std::logic_error);

    DelayEvaluator evaluator(j.net.scenario, *j.net.tables);
    DelayResults expected;
    const float twd = evaluator.evaluate(j.net.signals, expected);
    const DelayResults got = stepper.delays();
    EXPECT_GT(twd, 0.0f);
    EXPECT_EQ(got.totalWeightedDelay, twd);
    EXPECT_EQ(got.approachDelaySteps, expected.approachDelaySteps);

    stepper.reset();
    EXPECT_EQ(stepper.time(), 0);
    EXPECT_EQ(stepper.delays().totalWeightedDelay, 0.0f);
    EXPECT_EQ(Trajectory(stepper), first);
}

TEST(NetworkStepper, OverriddenSignalChangesTheStopLineOutflow) {
    Junction j;
    NetworkStepper stepper(j.net.scenario, *j.net.tables, j.net.signals);
    // Run into the red part of the first cycle with vehicles waiting at the stop line.
    while (stepper.time() < 45) {
        stepper.step();
    }
    ASSERT_EQ(stepper.signalStates()[Junction::kRecord], 0.0f);
    ASSERT_GT(stepper.occupancies()[Junction::kStopLine], 0.0f);
    stepper.step();
    EXPECT_EQ(stepper.outflows()[Junction::kStopLine], 0.0f);

    stepper.overrideSignal(Junction::kRecord, SignalOverride::Green);
    EXPECT_EQ(stepper.signalStates()[Junction::kRecord], 1.0f);
    stepper.step();
    EXPECT_GT(stepper.outflows()[Junction::kStopLine], 0.0f);

    stepper.overrideSignal(Junction::kRecord, SignalOverride::Plan);
    EXPECT_EQ(stepper.signalStates()[Junction::kRecord], 0.0f);
    stepper.step();
    EXPECT_EQ(stepper.outflows()[Junction::kStopLine], 0.0f);

    // Forced red through the next green: nothing leaves, and reset drops the override.
    stepper.overrideSignal(Junction::kRecord, SignalOverride::Red);
    while (stepper.time() < 90) {
        stepper.step();
        EXPECT_EQ(stepper.outflows()[Junction::kStopLine], 0.0f) << stepper.time();
    }
    stepper.reset();
    float sent = 0.0f;
    while (stepper.time() < 90) {
        stepper.step();
        sent += stepper.time() > 48 ? stepper.outflows()[Junction::kStopLine] : 0.0f;
    }
    EXPECT_GT(sent, 0.0f);
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

// A day at one-second steps runs in the memory of one second, and its first minutes are
// those of a short run of the same demand.
TEST(NetworkStepper, DayLongRunKeepsOnlyTheCurrentSecond) {
    test::TestNetwork day = test::MakeJunctionNetwork(1, 86400, 0.3f);
    test::TestNetwork brief = test::MakeJunctionNetwork(1, 400, 0.3f);
    for (test::TestNetwork* net : {&day, &brief}) {
        BuildSignalTable(net->scenario, ExistingStagePlan(net->scenario), net->signals);
    }
    NetworkStepper whole(day.scenario, *day.tables, day.signals);
    NetworkStepper part(brief.scenario, *brief.tables, brief.signals);
    const int row = whole.numCells() + 1;
    while (part.time() < 260) {  // the short run's demand ends at 266 s
        whole.step();
        part.step();
        ASSERT_EQ(std::vector<float>(whole.occupancies(), whole.occupancies() + row),
                  std::vector<float>(part.occupancies(), part.occupancies() + row))
            << part.time();
    }
    while (!part.finished()) {
        part.step();
    }
    while (!whole.finished()) {
        whole.step();
    }
    EXPECT_EQ(whole.time(), 86401);
    EXPECT_GT(whole.delays().totalWeightedDelay, part.delays().totalWeightedDelay);
}

}  // namespace
}  // namespace talvo
