#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "EngineError.h"
#include "FlowNetwork.h"
#include "Simulation.h"
#include "TestNetworks.h"

namespace talvo {
namespace {

using test::TestNetwork;

void AlwaysRed(SignalTables& tables, int k) {
    tables.sequences[k].signalState[0] = 0;
    tables.sequences[k].signalEndTime[0] = kSequenceEnd;
}

// Origin -> A -> B -> destination.
struct Chain {
    TestNetwork net;
    int origin, a, b, dest;
    explicit Chain(int32_t timeStep = 1, int32_t end = 20) : net(timeStep, end) {
        origin = net.addCell(CellKind::Origin);
        a = net.addCell(CellKind::Ordinary);
        b = net.addCell(CellKind::Ordinary);
        dest = net.addCell(CellKind::Destination);
        net.link(origin, a);
        net.link(a, b);
        net.link(b, dest);
    }
};

TEST(SimulateNetwork, OrdinaryCellsSendMinOfSupplyOccupancyAndRoom) {
    Chain c;
    c.net.scenario.cells[c.b].qMax = 0.1f;  // the downstream qMax does not limit A
    c.net.setOccupancy(c.a, 2.5f);
    c.net.setOccupancy(c.b, 2.0f);
    const test::RecordedRun run(c.net);
    const RunRecording& t = *run.run;
    EXPECT_FLOAT_EQ(t.y(c.origin, 0), 0.0f);
    EXPECT_FLOAT_EQ(t.y(c.a, 0), 0.5f);  // wvRatio 0.5 x (3 - 2)
    EXPECT_FLOAT_EQ(t.y(c.b, 0), 0.1f);  // its own qMax
    EXPECT_FLOAT_EQ(t.x(c.b, 0), 0.5f);
    EXPECT_FLOAT_EQ(t.x(c.dest, 0), 0.1f);
    EXPECT_FLOAT_EQ(t.n(c.a, 1), 2.0f);
    EXPECT_FLOAT_EQ(t.n(c.b, 1), 2.4f);
    EXPECT_FLOAT_EQ(t.D(c.a, 0), 2.0f);
    EXPECT_FLOAT_EQ(t.D(c.b, 0), 1.9f);
}

TEST(SimulateNetwork, CellOnRedSendsNothingAndDelaysAll) {
    Chain c;
    c.net.addIntersection(1, 0, {30});
    c.net.addSignal(1, 1, "Y");
    c.net.gate(c.b, 1);
    AlwaysRed(c.net.signals, 1);
    c.net.setOccupancy(c.b, 1.75f);
    const test::RecordedRun run(c.net);
    for (int t = 0; t <= 20; ++t) {
        EXPECT_EQ(run.run->y(c.b, t), 0.0f);
        EXPECT_EQ(run.run->D(c.b, t), 1.75f);
    }
}

TEST(SimulateNetwork, DestinationAccumulatesAndNeverDelays) {
    Chain c(1, 30);
    c.net.setOccupancy(c.a, 1.5f);
    c.net.setOccupancy(c.b, 1.5f);
    c.net.load(c.origin, 0.4f, 0, 30);
    const test::RecordedRun run(c.net);
    const RunRecording& t = *run.run;
    float arrived = 0.0f;
    for (int s = 0; s <= 30; ++s) {
        EXPECT_EQ(t.n(c.dest, s), arrived);
        EXPECT_EQ(t.D(c.dest, s), 0.0f);
        EXPECT_EQ(t.y(c.dest, s), 0.0f);
        arrived += t.x(c.dest, s);
    }
    EXPECT_GT(arrived, 3.0f);
}

TEST(SimulateNetwork, TimeStepTwoVisitsTheStepGridOnly) {
    Chain c(2, 9);
    c.net.setOccupancy(c.a, 3.0f);
    const test::RecordedRun run(c.net);
    EXPECT_EQ(run.stepper->stepCount(), 5);
    EXPECT_EQ(run.stepper->time(), 10);  // the last occupancy: the end of the step at 8
    EXPECT_GT(run.run->y(c.a, 0), 0.0f);
    EXPECT_EQ(run.run->y(c.a, 1), 0.0f);   // no step starts there
    EXPECT_EQ(run.run->y(c.a, 10), 0.0f);  // past the last step
    EXPECT_LT(run.run->n(c.a, 10), 3.0f);  // the last occupancy is kept
    FlowNetwork network;
    BuildFlowNetwork(c.net.scenario, network);
    EXPECT_EQ(network.stepCount, 5);
}

// Two cells i < j merging into k, for the merge rule with given priority of i.
struct MergeCase {
    const char* name;
    float priority, ni, nj, nk;
    float yi, yj;
};

class MergeFlowsTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergeFlowsTest, SharesReceivingCapacity) {
    const MergeCase& mc = GetParam();
    TestNetwork net;
    const int oi = net.addCell(CellKind::Origin);
    const int oj = net.addCell(CellKind::Origin);
    const int i = net.addCell(CellKind::Merge);
    const int j = net.addCell(CellKind::Merge);
    const int k = net.addCell(CellKind::Ordinary);  // holds 3, qMax 36
    const int d = net.addCell(CellKind::Destination);
    net.link(oi, i);
    net.link(oj, j);
    net.link(i, k);
    net.link(j, k);
    net.link(k, d);
    net.scenario.cells[i].priority = mc.priority;
    net.scenario.cells[j].priority = 0.123f;  // only the lower cell's priority is read
    FlowNetwork network;
    BuildFlowNetwork(net.scenario, network);
    EXPECT_EQ(network.cells[i].outflowRule, OutflowRule::Merge);
    EXPECT_EQ(network.cells[j].outflowRule, OutflowRule::ByPartner);
    net.scenario.cells[i].qMax = 36.0f;  // sending limits that do not bind
    net.scenario.cells[j].qMax = 36.0f;
    net.setOccupancy(i, mc.ni);
    net.setOccupancy(j, mc.nj);
    net.setOccupancy(k, mc.nk);
    const test::RecordedRun run(net);
    EXPECT_FLOAT_EQ(run.run->y(i, 0), mc.yi);
    EXPECT_FLOAT_EQ(run.run->y(j, 0), mc.yj);
}

// Receiving capacity R = min(36, 0.5 x (3 - nk)).
INSTANTIATE_TEST_SUITE_P(
    Priorities, MergeFlowsTest,
    testing::Values(MergeCase{"HalfBothSaturated", 0.5f, 3, 3, 1, 0.5f, 0.5f},
                    MergeCase{"OneBothSaturated", 1.0f, 3, 3, 1, 1.0f, 0.0f},
                    MergeCase{"OneLowerDemandSmall", 1.0f, 0.4f, 3, 1, 0.4f, 0.6f},
                    MergeCase{"HalfPartnerDemandSmall", 0.5f, 3, 0.2f, 1, 0.8f, 0.2f},
                    MergeCase{"DemandFits", 0.5f, 0.3f, 0.4f, 1, 0.3f, 0.4f},
                    MergeCase{"TargetFull", 0.5f, 3, 3, 3, 0.0f, 0.0f}),
    [](const testing::TestParamInfo<MergeCase>& info) { return info.param.name; });

struct DivergeFixture {
    TestNetwork net;
    int o, i, b1, b2, d1, d2;
    DivergeFixture() {
        o = net.addCell(CellKind::Origin);
        i = net.addCell(CellKind::Diverge);
        b1 = net.addCell(CellKind::Ordinary);
        b2 = net.addCell(CellKind::Ordinary);
        d1 = net.addCell(CellKind::Destination);
        d2 = net.addCell(CellKind::Destination);
        net.link(o, i);
        net.link(i, b1);
        net.link(i, b2);
        net.link(b1, d1);
        net.link(b2, d2);
        net.setSplits(i, 0.7f, 0.3f);
    }
};

TEST(DivergeFlow, LimitedByTheMostRestrictiveBranchOverItsSplit) {
    DivergeFixture f;
    f.net.setOccupancy(f.i, 3.0f);
    f.net.setOccupancy(f.b2, 2.4f);
    const test::RecordedRun run(f.net);
    const RunRecording& t = *run.run;
    const float room1 = 0.5f * (3.0f - 0.0f) / 0.7f;  // 2.14
    const float room2 = 0.5f * (3.0f - 2.4f) / 0.3f;  // 1.0
    EXPECT_EQ(t.y(f.i, 0), std::min(room1, room2));
    EXPECT_EQ(t.x(f.b1, 0), t.y(f.i, 0) * 0.7f);
    EXPECT_EQ(t.x(f.b2, 0), t.y(f.i, 0) * 0.3f);
}

TEST(DivergeFlow, BlockedBranchStopsTheWholeDiverge) {
    DivergeFixture f;
    f.net.setOccupancy(f.i, 3.0f);
    f.net.setOccupancy(f.b2, 3.0f);          // no free room
    f.net.scenario.cells[f.b2].qMax = 0.0f;  // and it cannot move on either
    f.net.scenario.cells[f.b2].signalised = 'N';
    const test::RecordedRun run(f.net);
    for (int t = 0; t <= 10; ++t) {
        EXPECT_EQ(run.run->y(f.i, t), 0.0f) << t;
        EXPECT_EQ(run.run->n(f.i, t), 3.0f) << t;
    }
}

TEST(DivergeFlow, ZeroSplitEndsTheRunWithTheDivergeMessage) {
    DivergeFixture f;
    f.net.setSplits(f.i, 1.0f, 0.0f);
    DelayResults results;
    try {
        SimulateNetwork(f.net.scenario, f.net.signals, *f.net.tables, results);
        FAIL() << "a diverge with a zero split was simulated";
    } catch (const DivergeSplitError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cell 2 (DI-2) is a diverge (type DI) with a split of 0: Spt1 1, Spt2 0");
    }
}

TEST(DivergeFlow, OriginWithSplitsDivergesWithoutTheSplitCheck) {
    TestNetwork net;
    const int o = net.addCell(CellKind::Origin);
    const int b1 = net.addCell(CellKind::Ordinary);
    const int b2 = net.addCell(CellKind::Ordinary);
    const int d1 = net.addCell(CellKind::Destination);
    const int d2 = net.addCell(CellKind::Destination);
    net.link(o, b1);
    net.link(o, b2);
    net.link(b1, d1);
    net.link(b2, d2);
    net.setSplits(o, 0.25f, 0.75f);
    net.setOccupancy(o, 0.8f);
    const test::RecordedRun run(net);
    EXPECT_FLOAT_EQ(run.run->y(o, 0), 0.8f);
    EXPECT_FLOAT_EQ(run.run->x(b1, 0), 0.2f);
    EXPECT_FLOAT_EQ(run.run->x(b2, 0), 0.6f);
}

struct RejectCase {
    const char* name;
    void (*mutate)(TestNetwork&);
    const char* message;
};

class RejectTest : public testing::TestWithParam<RejectCase> {};

TEST_P(RejectTest, RejectsBeforeTheRun) {
    TestNetwork net = test::MakeJunctionNetwork(1, 300, 0.5f);
    GetParam().mutate(net);
    try {
        CheckSimulationInput(net.scenario);
        FAIL() << "accepted";
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

// Cells of MakeJunctionNetwork: 1 origin, 2-3 ordinary, 4 stop line, 5 diverge, 6-7
// branches (7 merges), 8 origin, 9 merging stop line, 10 merge target, 11-12 destinations.
INSTANTIATE_TEST_SUITE_P(
    Inputs, RejectTest,
    testing::Values(
        RejectCase{"MergeWithSingleFeeder",
                   [](TestNetwork& n) { n.scenario.cells[3].kind = CellKind::Merge; },
                   "Cell 3 (TR-3) is a merge"},
        RejectCase{"MergeAtSignalWithSingleFeeder",
                   [](TestNetwork& n) { n.scenario.cells[6].kind = CellKind::MergeAtSignal; },
                   "has a single feeder"},
        RejectCase{"DivergeWithoutSecondBranch",
                   [](TestNetwork& n) {
                       n.scenario.cells[5].to2 = 0;
                       n.scenario.cells[7].from1 = 0;
                   },
                   "no second (To2) downstream cell"},
        RejectCase{"DestinationWithDownstreamCell",
                   [](TestNetwork& n) { n.scenario.cells[11].to1 = 2; }, "Destination cell 11"},
        RejectCase{"FeederNotLeadingIntoMerge",
                   [](TestNetwork& n) {
                       n.scenario.cells[10].from2 = 8;
                       n.scenario.cells[9].to1 = 0;
                       n.scenario.cells[9].kind = CellKind::Ordinary;
                   },
                   "does not lead into it"},
        RejectCase{"ThirdCellIntoMerge", [](TestNetwork& n) { n.scenario.cells[2].to1 = 10; },
                   "Cell 2 (TR-2) leads into cell 10 (TR-10), which does not list it"},
        RejectCase{"SignalRecordMissing", [](TestNetwork& n) { n.scenario.cells[4].signalID = 9; },
                   "signal record 9, which the scenario does not define"},
        RejectCase{"EndPastTables",
                   [](TestNetwork& n) {
                       n.scenario.timeStep = 2;
                       n.scenario.endSimulationStep = 99999;
                       n.scenario.endStep = 100;
                   },
                   "plus time step 2 passes 100000"},
        RejectCase{"DelayStartOffGrid",
                   [](TestNetwork& n) {
                       n.scenario.timeStep = 2;
                       n.scenario.startStep = 3;
                   },
                   "Delay period start 3 is not on the step grid"},
        RejectCase{"DelayEndPastRun", [](TestNetwork& n) { n.scenario.endStep = 301; },
                   "Delay period end 301 passes the end simulation step 300"},
        RejectCase{"PlanTooLong", [](TestNetwork& n) { n.scenario.phaseCycle = 100001; },
                   "need more than 200002 signal intervals"}),
    [](const testing::TestParamInfo<RejectCase>& info) { return info.param.name; });

TEST(CheckSimulationInput, AcceptsTheLargestRunAndEmptyDelayPeriod) {
    TestNetwork net = test::MakeJunctionNetwork(1, 300, 0.5f);
    net.scenario.endSimulationStep = 99999;
    EXPECT_NO_THROW(CheckSimulationInput(net.scenario));
    net.scenario.startStep = 200;
    net.scenario.endStep = 100;
    EXPECT_NO_THROW(CheckSimulationInput(net.scenario));
}

TEST(SimulateNetwork, RepeatedRunsGiveIdenticalTables) {
    TestNetwork net = test::MakeJunctionNetwork(1, 400, 0.3f);
    BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
    const test::RecordedRun first(net), second(net);
    EXPECT_EQ(first.twd(), second.twd());
    EXPECT_GT(first.twd(), 0.0f);
    for (int c = 0; c <= 12; ++c) {
        EXPECT_EQ(first.run->n(c, 400), second.run->n(c, 400)) << c;
    }
}

}  // namespace
}  // namespace talvo
