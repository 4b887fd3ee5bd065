#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "EngineError.h"
#include "SignalControl.h"
#include "TestNetworks.h"

namespace talvo {
namespace {

using Entries = std::vector<std::pair<int32_t, int32_t>>;  // (state, end time)

Entries EntriesOf(const SwitchingSequence& seq) {
    Entries entries;
    for (int m = 0; m < seq.size(); ++m) {
        entries.emplace_back(seq.signalState[m], seq.signalEndTime[m]);
        if (seq.signalEndTime[m] >= kSequenceEnd) {
            break;
        }
    }
    return entries;
}

struct BuildCase {
    const char* name;
    int32_t offset;
    std::vector<int32_t> stages;
    const char* green;
    int32_t phaseCycle;
    Entries expected;
};

class BuildSignalTableTest : public testing::TestWithParam<BuildCase> {};

TEST_P(BuildSignalTableTest, LaysOutCyclesWithClearanceShifts) {
    const BuildCase& c = GetParam();
    test::TestNetwork net;
    net.scenario.phaseCycle = c.phaseCycle;
    Intersection& node = net.scenario.intersections[1];
    node.offset = c.offset;
    node.stageCount = int32_t(c.stages.size());
    for (size_t k = 0; k < c.stages.size(); ++k) {
        node.stageTime[k + 1] = c.stages[k];
    }
    net.scenario.numIntersections = 1;
    net.addSignal(3, 1, c.green);
    BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
    EXPECT_EQ(EntriesOf(net.signals.sequences[3]), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, BuildSignalTableTest,
    testing::Values(
        // Offset 10, green 30 then red 30, two cycles: red [0,10), green [10,37),
        // red [37,71), green [71,97), red from 97 on.
        BuildCase{"GreenRed",
                  10,
                  {30, 30},
                  "YN",
                  2,
                  {{0, 10}, {1, 37}, {0, 71}, {1, 97}, {0, 130}, {0, 10000}}},
        BuildCase{"RedGreen",
                  10,
                  {30, 30},
                  "NY",
                  2,
                  {{0, 10}, {0, 41}, {1, 67}, {0, 101}, {1, 127}, {0, 10000}}},
        // Green in every stage: one green from the offset to 3 s before the last cycle ends.
        BuildCase{"AllGreen",
                  7,
                  {25, 20, 15},
                  "YYY",
                  2,
                  {{0, 7}, {1, 32}, {1, 52}, {1, 67}, {1, 92}, {1, 112}, {1, 124}, {0, 10000}}},
        BuildCase{"AllRed",
                  0,
                  {20, 20},
                  "NN",
                  2,
                  {{0, 0}, {0, 20}, {0, 40}, {0, 60}, {0, 80}, {0, 10000}}},
        // Lower-case flags count as green; anything else as red.
        BuildCase{"LowerCase", 0, {10, 10}, "yX", 1, {{0, 0}, {1, 7}, {0, 20}, {0, 10000}}},
        BuildCase{"NoCycles", 12, {10, 10}, "YN", 0, {{0, 12}, {0, 10000}}}),
    [](const testing::TestParamInfo<BuildCase>& info) { return info.param.name; });

TEST(SignalStateAt, EndTimesAreExclusive) {
    SwitchingSequence seq;
    const Entries entries = {{0, 10}, {1, 37}, {0, 71}, {1, 97}, {0, 10000}};
    seq.resize(int(entries.size()));
    for (size_t m = 0; m < entries.size(); ++m) {
        seq.signalState[m] = entries[m].first;
        seq.signalEndTime[m] = entries[m].second;
    }
    const std::vector<std::pair<int32_t, int32_t>> probes = {
        {0, 0}, {9, 0}, {10, 1}, {36, 1}, {37, 0}, {70, 0}, {71, 1}, {96, 1}, {97, 0}, {9999, 0}};
    for (const auto& [t, state] : probes) {
        EXPECT_EQ(SignalStateAt(seq, t), state) << "t = " << t;
    }
}

TEST(SignalStateAt, SequenceWithoutEndMarkerIsRed) {
    SwitchingSequence seq;  // all end times 0: no entry reaches beyond t
    seq.resize(301);
    EXPECT_EQ(SignalStateAt(seq, 5), 0);
}

TEST(ExistingStagePlan, CopiesOffsetsStageTimesAndNetworkCycle) {
    test::TestNetwork net;
    net.addIntersection(1, 7, {25, 20, 15});
    net.addIntersection(2, 23, {30, 15, 15});
    net.scenario.networkCycleTime = 60;
    const StagePlan plan = ExistingStagePlan(net.scenario);
    EXPECT_FALSE(plan.variesByCycle);
    EXPECT_EQ(plan.networkCycleTime, 60);
    EXPECT_EQ(plan.offset[2], 23);
    EXPECT_EQ(plan.slotDuration[2][0], 23);
    EXPECT_EQ(plan.slotDuration[1][1], 25);
    EXPECT_EQ(plan.slotDuration[1][3], 15);
}

TEST(BuildSignalTable, PlanVaryingByCycleUsesEverySlot) {
    test::TestNetwork net;
    net.scenario.phaseCycle = 2;
    net.addIntersection(1, 0, {10, 10});
    net.addSignal(1, 1, "YN");
    StagePlan plan = ExistingStagePlan(net.scenario);
    plan.variesByCycle = true;
    plan.slotDuration[1] = {};
    plan.slotDuration[1][1] = 20;
    plan.slotDuration[1][2] = 10;
    plan.slotDuration[1][3] = 30;
    plan.slotDuration[1][4] = 15;
    BuildSignalTable(net.scenario, plan, net.signals);
    EXPECT_EQ(EntriesOf(net.signals.sequences[1]),
              (Entries{{0, 0}, {1, 17}, {0, 31}, {1, 57}, {0, 75}, {0, 10000}}));
}

TEST(CheckSignalPlanCapacity, AcceptsExactlyFullTableAndRejectsOneMore) {
    test::TestNetwork net;
    net.addIntersection(1, 0, {10, 10, 10});
    net.addSignal(1, 1, "YNN");
    net.scenario.phaseCycle = 99;  // 297 stage intervals + 1 = 298 entries + marker
    EXPECT_NO_THROW(CheckSignalPlanCapacity(net.scenario));
    net.addIntersection(1, 0, {10});
    // phaseCycle x stages + 1 = kMaxIntervals - 1: the largest allowed
    net.scenario.phaseCycle = kMaxIntervals - 2;
    EXPECT_NO_THROW(BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals));
    EXPECT_EQ(net.signals.sequences[1].size(), kMaxIntervals);
    EXPECT_EQ(net.signals.sequences[1].signalEndTime[kMaxIntervals - 1], kSequenceEnd);
    net.scenario.phaseCycle = kMaxIntervals - 1;
    try {
        BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
        FAIL() << "a plan of kMaxIntervals + 1 entries was accepted";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("Intersection 1"), std::string::npos) << e.what();
    }
}

TEST(CheckSignalPlanCapacity, RejectsRecordOfUnknownIntersection) {
    test::TestNetwork net;
    net.addIntersection(1, 0, {10, 10});
    net.addSignal(4, 2, "YN");
    EXPECT_THROW(CheckSignalPlanCapacity(net.scenario), EngineError);
}

}  // namespace
}  // namespace talvo
