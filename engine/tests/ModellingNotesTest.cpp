// The worked examples of docs/modelling.md, run as they are written there: the figures in
// the notes are the ones these tests expect.
#include <gtest/gtest.h>

#include <sstream>

#include "ApproachResults.h"
#include "ClassicSizes.h"
#include "Delay.h"
#include "ResultFiles.h"
#include "SignalControl.h"
#include "Simulation.h"
#include "TestNetworks.h"
#include "format/RecordWriter.h"

namespace talvo {
namespace {

// The notes' street: an origin, three cells of 2 lanes at 36 km/h (3 vehicles each at jam
// density 150 veh/km), the stop line in the third, one cell beyond it and a destination.
// W/V 0.5. One intersection: stage 1 red for the street, stage 2 green; `rate` vehicles a
// second (0.25: 900 veh/h) arrive for the first `demandEnd` seconds.
struct Street {
    test::TestNetwork net{1, 300};
    int origin = 0, first = 0, second = 0, stop = 0;

    explicit Street(int32_t red, float speed = 36, int32_t saturationFlow = 1800,
                    int32_t demandEnd = 60, float rate = 0.25f) {
        net.scenario.wvRatio = 0.5f;
        net.scenario.jamDensity = 150;
        net.scenario.saturationFlow = saturationFlow;
        origin = net.addCell(CellKind::Origin, 2, speed);
        first = net.addCell(CellKind::Ordinary, 2, speed);
        second = net.addCell(CellKind::Ordinary, 2, speed);
        stop = net.addCell(CellKind::Ordinary, 2, speed);
        const int beyond = net.addCell(CellKind::Ordinary, 2, speed);
        const int end = net.addCell(CellKind::Destination, 2, speed);
        net.link(origin, first);
        net.link(first, second);
        net.link(second, stop);
        net.link(stop, beyond);
        net.link(beyond, end);
        net.scenario.phaseCycle = 1;
        net.addIntersection(1, 0, {red, 300 - red});
        net.addSignal(1, 1, "NY");
        net.gate(stop, 1);
        net.load(origin, rate, 0, demandEnd - 1);
    }
    // TWD (vehicle-seconds) with the approach made of `cells`.
    float delay(std::initializer_list<int> cells) {
        net.scenario.numApproaches = 0;
        net.scenario.approaches[1] = Group{};
        net.addApproach(1.0f, cells);
        BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
        DelayResults results;
        return SimulateNetwork(net.scenario, net.signals, *net.tables, results);
    }
};

TEST(ModellingNotes, DelayCountsQueuesWhereTheyStand) {
    EXPECT_FLOAT_EQ(Street(0).delay({1, 2, 3, 4}), 0.0f);  // free flow adds nothing
    Street street(30);
    const float whole = street.delay({street.origin, street.first, street.second, street.stop});
    EXPECT_NEAR(whole, 118.72f, 0.01f);
    EXPECT_NEAR(street.delay({street.stop}), 67.24f, 0.01f);
}

TEST(ModellingNotes, QueuesDischargeAtTheWaveLimitNotTheSaturationFlow) {
    // Outflow of the stop line 24 s into the green, the queue still there (1800 veh/h).
    const auto discharge = [](float speed, int32_t saturationFlow) {
        Street street(60, speed, saturationFlow, 120, 0.5f);
        street.delay({street.stop});
        const test::RecordedRun run(street.net);
        return run.run->y(street.stop, 85) * 3600.0f / 2.0f;  // veh/h per lane
    };
    EXPECT_NEAR(discharge(36, 1800), 1800.0f, 0.5f);
    EXPECT_NEAR(discharge(36, 1000), 1800.0f, 0.5f);
    EXPECT_NEAR(discharge(50, 1800), 2500.0f, 0.5f);
}

TEST(ModellingNotes, DelayPerVehiclePrintsAsterisksPastItsField) {
    const auto classic = test::ClassicScenario();
    Scenario& s = *classic;
    s.numApproaches = 1;
    s.approaches[1].weight = 1.0f;
    s.endStep = 600;
    DelayResults delay;
    delay.reset(1);
    delay.approachDelaySeconds[1] = 12345.0f;
    delay.approachDelaySteps[1] = 12345.0f;
    ApproachTotals totals{std::vector<float>(2), std::vector<float>(2)};
    totals.approachTotalVehicles[1] = 10.0f;  // e.g. 8 present at the start, 2 arriving
    totals.delayPerVehicle[1] = 1234.5f;
    std::ostringstream report;
    RecordWriter writer(report);
    WriteDelayTable(writer, s, delay, totals);
    EXPECT_NE(report.str().find("       10.00       ******\r\n"), std::string::npos)
        << report.str();
    std::ostringstream table;
    WriteApproachResults(table, s, delay, totals);
    EXPECT_NE(table.str().find("1,1.00,3.4292,10.00,1234.50,F\r\n"), std::string::npos)
        << table.str();
}

TEST(ModellingNotes, AtTimeStepTwoAnOddStageLosesASecondOfGreen) {
    // Green seconds of stage 2 (after a 20 s stage 1) as the run sees them.
    const auto green = [](int32_t stage2, int32_t timeStep) {
        test::TestNetwork net(timeStep, 120);
        net.scenario.phaseCycle = 1;
        net.addIntersection(1, 0, {20, stage2, 120 - 20 - stage2});
        net.addSignal(1, 1, "NYN");
        BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
        int seconds = 0;
        for (int32_t t = 0; t < 120; t += timeStep)
            seconds += SignalStateAt(net.signals.sequences[1], t) * timeStep;
        return seconds;
    };
    EXPECT_EQ(green(24, 1), 20);
    EXPECT_EQ(green(24, 2), 20);
    EXPECT_EQ(green(25, 1), 21);
    EXPECT_EQ(green(25, 2), 20);
}

TEST(ModellingNotes, WarmUpAndWholeCyclesInTheDelayPeriod) {
    // A 60 s cycle (30 s red, 30 s green) under steady 900 veh/h, starting empty.
    const auto delay = [](int32_t start, int32_t end) {
        test::TestNetwork net(1, 900);
        const int origin = net.addCell(CellKind::Origin);
        const int a = net.addCell(CellKind::Ordinary);
        const int b = net.addCell(CellKind::Ordinary);
        const int stop = net.addCell(CellKind::Ordinary);
        const int out = net.addCell(CellKind::Destination);
        net.link(origin, a);
        net.link(a, b);
        net.link(b, stop);
        net.link(stop, out);
        net.scenario.phaseCycle = 15;
        net.addIntersection(1, 0, {30, 30});
        net.addSignal(1, 1, "NY");
        net.gate(stop, 1);
        net.load(origin, 0.25f, 0, 900);
        net.addApproach(1.0f, {origin, a, b, stop});
        net.scenario.startStep = start;
        net.scenario.endStep = end;
        BuildSignalTable(net.scenario, ExistingStagePlan(net.scenario), net.signals);
        DelayResults results;
        return SimulateNetwork(net.scenario, net.signals, *net.tables, results);
    };
    EXPECT_NEAR(delay(0, 599), 1723.96f, 0.01f);
    EXPECT_NEAR(delay(60, 659), 1790.55f, 0.01f);
    EXPECT_NEAR(delay(60, 689), 1937.67f, 0.01f);
}

}  // namespace
}  // namespace talvo
