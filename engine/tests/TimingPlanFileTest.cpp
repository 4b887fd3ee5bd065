#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "EngineError.h"
#include "TestNetworks.h"
#include "TimingPlanFile.h"

namespace talvo {
namespace {

using Pairs = std::vector<std::pair<int32_t, int32_t>>;

void SetSequence(SwitchingSequence& seq, const Pairs& pairs) {
    for (size_t m = 0; m < pairs.size(); ++m) {
        seq.signalState[m] = pairs[m].first;
        seq.signalEndTime[m] = pairs[m].second;
    }
}

test::TestNetwork WithRecords(std::initializer_list<int> numbers) {
    test::TestNetwork net;
    net.addIntersection(1, 0, {30, 30});
    for (const int k : numbers) {
        net.addSignal(k, 1, "YN");
    }
    return net;
}

std::string Written(const test::TestNetwork& net, int32_t horizon = 1000) {
    std::ostringstream out;
    WriteTimingPlan(out, net.scenario, net.signals, horizon);
    return out.str();
}

std::string ErrorOf(const test::TestNetwork& net, const std::string& text) {
    SignalTables tables;
    std::istringstream in(text);
    try {
        ReadTimingPlan(in, "plan.tpl", net.scenario, tables);
    } catch (const EngineError& e) {
        return e.what();
    }
    return "";
}

TEST(WriteTimingPlan, CutsAtHorizonAndCloses) {
    auto net = WithRecords({1});
    Pairs pairs;
    for (int32_t t = 30; t <= 990; t += 30) {
        pairs.emplace_back((t / 30) % 2, t);  // (1,30), (0,60), ..., (1,990)
    }
    pairs.emplace_back(0, 1020);
    pairs.emplace_back(0, 10000);
    SetSequence(net.signals.sequences[1], pairs);
    const std::string text = Written(net);
    EXPECT_EQ(text.substr(0, 35), "    1\r\n  1       30\r\n  0       60\r\n");
    EXPECT_NE(text.find("  1      990\r\n  0     1000\r\n  0    10000\r\n"), std::string::npos);
    EXPECT_EQ(text.size(), 7u + 35u * 14u);  // number line, 33 pairs, horizon, closing pair
}

TEST(WriteTimingPlan, ShortSequenceEndsRedAtHorizon) {
    auto net = WithRecords({1});
    SetSequence(net.signals.sequences[1], {{1, 300}, {0, 600}, {0, 10000}});
    EXPECT_EQ(Written(net),
              "    1\r\n  1      300\r\n  0      600\r\n  0     1000\r\n  0    10000\r\n");
}

TEST(WriteTimingPlan, EntryEndingAtHorizonIsWrittenOnce) {
    auto net = WithRecords({1});
    SetSequence(net.signals.sequences[1], {{0, 500}, {1, 1000}, {0, 10000}});
    EXPECT_EQ(Written(net), "    1\r\n  0      500\r\n  1     1000\r\n  0    10000\r\n");
}

TEST(WriteTimingPlan, WritesPresentRecordsAscendingUpToLongerHorizon) {
    auto net = WithRecords({7, 2});
    SetSequence(net.signals.sequences[2], {{1, 2000}, {0, 10000}});
    SetSequence(net.signals.sequences[7], {{0, 1500}, {1, 4000}, {0, 10000}});
    net.scenario.endSimulationStep = 3600;
    EXPECT_EQ(PlanFileHorizon(net.scenario), 3600);
    EXPECT_EQ(Written(net, PlanFileHorizon(net.scenario)),
              "    2\r\n  1     2000\r\n  0     3600\r\n  0    10000\r\n"
              "    7\r\n  0     1500\r\n  1     3600\r\n  0    10000\r\n");
    net.scenario.endSimulationStep = 300;
    EXPECT_EQ(PlanFileHorizon(net.scenario), 1000);
}

TEST(ReadTimingPlan, StoresSequencesUnderTheirOwnNumbers) {
    auto net = WithRecords({1, 2});
    // The editor's layout (tabs), records in the order 2, 1; a pair split over two lines,
    // commas, and blank lines within a read.
    std::istringstream in(
        "2\r\n0\t5\r\n1\t33\r\n0\r\n\r\n62\r\n1\t10000\r\n"
        "1\r\n1,40,extra\r\n0  10000\r\n");
    ReadTimingPlan(in, "plan.tpl", net.scenario, net.signals);
    const SwitchingSequence& two = net.signals.sequences[2];
    EXPECT_EQ(two.signalEndTime[0], 5);
    EXPECT_EQ(two.signalState[1], 1);
    EXPECT_EQ(two.signalEndTime[2], 62);
    EXPECT_EQ(two.signalEndTime[3], 10000);
    EXPECT_EQ(two.signalState[3], 1);
    const SwitchingSequence& one = net.signals.sequences[1];
    EXPECT_EQ(one.signalState[0], 1);
    EXPECT_EQ(one.signalEndTime[0], 40);
    EXPECT_EQ(one.signalEndTime[1], 10000);
}

TEST(ReadTimingPlan, ReadsBackWhatTheEngineWrote) {
    auto net = WithRecords({3, 5});
    net.scenario.phaseCycle = 6;
    net.addIntersection(1, 5, {30, 25});
    BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
    const std::string text = Written(net);
    auto copy = WithRecords({3, 5});
    std::istringstream in(text);
    ReadTimingPlan(in, "opt_exist_plan.tpl", copy.scenario, copy.signals);
    for (const int k : {3, 5}) {
        for (int32_t t = 0; t < 1000; ++t) {
            ASSERT_EQ(SignalStateAt(copy.signals.sequences[k], t),
                      SignalStateAt(net.signals.sequences[k], t))
                << "record " << k << " at " << t;
        }
    }
    EXPECT_EQ(Written(copy), text);
}

TEST(ReadTimingPlan, RejectsBadFilesNamingLineAndValue) {
    auto net = WithRecords({1, 2});
    struct Case {
        std::string text;
        std::string message;
    };
    std::string tooLong = "1\n";
    for (int m = 0; m < kMaxIntervals; ++m) {
        tooLong += "0 5\n";
    }
    tooLong += "0 10000\n";
    const std::vector<Case> cases = {
        {"1\n0 x5\n", "Error in plan.tpl, line 2: \"x5\" is not a whole number"},
        {"1\n0 5.5\n", "Error in plan.tpl, line 2: \"5.5\" is not a whole number"},
        {"1\n2 5\n", "Error in plan.tpl, line 2: signal state 2 is neither 0 (red) nor 1 (green)"},
        {"1000001\n0 10000\n",
         "Error in plan.tpl, line 1: signal record number 1000001 is outside 1..1000000"},
        {"3\n0 10000\n",
         "Error in plan.tpl, line 1: signal record 3 is not defined in the scenario"},
        {"1\n0 10000\n1\n0 10000\n",
         "Error in plan.tpl, line 3: signal record 1 appears a second time"},
        {"1\n0 10000\n2\n0 5\n", "Error in plan.tpl, line 4: the file ends where"},
        {tooLong, "Error in plan.tpl, line 1: signal record 1 has more than " +
                      std::to_string(kMaxIntervals) + " entries"},
    };
    for (const Case& c : cases) {
        const std::string error = ErrorOf(net, c.text);
        EXPECT_EQ(error.substr(0, c.message.size()), c.message) << error;
    }
    EXPECT_EQ(ErrorOf(net, "1\n0 10000\n2\n0 5\n1 9999\n0 10000\n"), "");
}

TEST(ReadTimingPlanFile, MissingFileIsNamed) {
    auto net = WithRecords({1});
    try {
        ReadTimingPlanFile("/nonexistent/plan.tpl", net.scenario, net.signals);
        FAIL();
    } catch (const EngineError& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/plan.tpl"), std::string::npos);
    }
}

}  // namespace
}  // namespace talvo
