#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "OccupancyRecords.h"
#include "RecordedRunReplay.h"
#include "ResultFiles.h"
#include "Simulation.h"
#include "TestNetworks.h"

namespace talvo {
namespace {

using test::TestNetwork;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

TEST(WriteOccupancyFile, TwoSecondStepsGiveOneLinePerSecondInBlocksOfCells) {
    TestNetwork net(2, 10);
    const int o = net.addCell(CellKind::Origin);
    const int a = net.addCell(CellKind::Ordinary);
    const int b = net.addCell(CellKind::Destination);
    net.link(o, a);
    net.link(a, b);
    net.load(o, 0.5f, 0, 10);
    NetworkStepper stepper(net.scenario, *net.tables, net.signals);
    std::ostringstream out;
    WriteOccupancyFile(out, net.scenario, stepper);
    const std::vector<std::string> lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 4u + 3u * 12u);
    EXPECT_EQ(lines[0], " ");
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], "******** O C C U P A N C Y   A R R A Y *******");
    EXPECT_EQ(lines[3], "Time Step  Cell No.  Vehicles");
    EXPECT_EQ(lines[4], "    0         1           0.00");
    EXPECT_EQ(lines[6], "    2         1           0.50");
    EXPECT_EQ(lines[7], "    3         1           0.50");  // the step's occupancy held
    EXPECT_EQ(lines[16], "    0         2           0.00");
    EXPECT_EQ(lines[39], "   11         3           1.50");
    // One cell per run of the stepper writes the same file.
    std::ostringstream blocks;
    WriteOccupancyFile(blocks, net.scenario, stepper, 7);
    EXPECT_EQ(blocks.str(), out.str());
}

// The occupancy records are built without the edit list, so they are checked against it:
// widened times and cells, halves, signs, overflow and the words for non-numbers, each
// value several times (the cache) and past the records' buffer.
TEST(OccupancyRecords, EqualTheEditListWithWidening) {
    const int32_t times[] = {0, 7, 99999, 100000, 1234567};
    const int32_t cells[] = {1, 999, 99999, 100000};
    const float vehicles[] = {0.0f,  -0.0f,       0.125f, 0.375f,     0.005f,
                              -3.5f, -0.004f,     1e-9f,  1234567.0f, 12345678.0f,
                              1e30f, -1234567.0f, NAN,    INFINITY,   -INFINITY};
    std::ostringstream expected;
    std::ostringstream built;
    RecordWriter writer(expected);
    OccupancyRecords records(built);
    for (int round = 0; round < 300; ++round) {
        for (const int32_t cell : cells) {
            records.startCell(cell);
            for (const int32_t time : times) {
                for (const float n : vehicles) {
                    writer.writeWidening("(I5,5X,I5,5X,F10.2)", {time, cell, n});
                    records.write(time, n);
                }
            }
        }
    }
    records.flush();
    const std::vector<std::string> lines = Lines(built.str());
    const std::vector<std::string> expectedLines = Lines(expected.str());
    ASSERT_EQ(lines.size(), expectedLines.size());
    ASSERT_GT(built.str().size(), size_t(1) << 19);
    for (size_t i = 0; i < lines.size(); ++i)
        ASSERT_EQ(lines[i], expectedLines[i]) << "line " << i;
}

TEST(WritePlotFile, LinesEndWithMinusOneExceptTheLast) {
    TestNetwork net(1, 200);
    for (int i = 0; i < 4; ++i) {
        net.addCell(CellKind::Ordinary);
    }
    net.scenario.numPlotGroups = 1;
    Group& g = net.scenario.plotGroups[1];
    g.plotFlag = 'Y';
    g.plotStart = 100;
    g.plotEnd = 102;
    g.cells[1] = 2;
    g.cells[2] = 4;
    g.cells[3] = 1;
    RunRecording run(4, 1, 201, {1, 2, 4}, RunRecording::kOccupancy);
    run.put(RunRecording::kOccupancy, 2, 100, 1.5f);
    run.put(RunRecording::kOccupancy, 4, 101, 12.25f);
    run.put(RunRecording::kOccupancy, 1, 102, 3.0f);
    std::ostringstream out;
    WritePlotFile(out, net.scenario, run, 1);
    EXPECT_EQ(out.str(),
              "   1.50   0.00   0.00  -1.00\r\n"
              "   0.00  12.25   0.00  -1.00\r\n"
              "   0.00   0.00   3.00\r\n"
              "\r\n\r\n");
}

TEST(WritePlotFile, LongerStepsShowTheStepsOccupancy) {
    TestNetwork net(2, 10);
    net.addCell(CellKind::Ordinary);
    Group& g = net.scenario.plotGroups[1];
    g.plotStart = 3;
    g.plotEnd = 5;
    g.cells[1] = 1;
    RunRecording run(1, 2, 6, {1}, RunRecording::kOccupancy);
    run.put(RunRecording::kOccupancy, 1, 2, 2.0f);
    run.put(RunRecording::kOccupancy, 1, 3, 99.0f);  // off the step grid: never kept
    run.put(RunRecording::kOccupancy, 1, 4, 4.0f);
    std::ostringstream out;
    WritePlotFile(out, net.scenario, run, 1);
    EXPECT_EQ(out.str(), "   2.00  -1.00\r\n   4.00  -1.00\r\n   4.00\r\n\r\n\r\n");
}

TEST(ComputeApproachTotals, CountsPresentVehiclesAndArrivalsAtEntryCells) {
    TestNetwork net(1, 20);
    const int o = net.addCell(CellKind::Origin);
    const int a = net.addCell(CellKind::Ordinary);
    const int b = net.addCell(CellKind::Ordinary);
    const int d = net.addCell(CellKind::Destination);
    net.link(o, a);
    net.link(a, b);
    net.link(b, d);
    net.scenario.startStep = 4;
    net.scenario.endStep = 8;
    const int first = net.addApproach(1.0f, {o, 0, a});  // entered at the origin
    const int second = net.addApproach(1.0f, {b});       // entered from the first
    const int empty = net.addApproach(1.0f, {});
    RunRecording t(net.scenario.numCells, 1, 20, ResultCells(net.scenario),
                   RunRecording::kOccupancy | RunRecording::kInflow);
    t.put(RunRecording::kOccupancy, o, 4, 1.0f);
    t.put(RunRecording::kOccupancy, a, 4, 2.0f);
    t.put(RunRecording::kOccupancy, b, 4, 4.0f);
    for (int s = 0; s < 20; ++s) {
        t.put(RunRecording::kInflow, o, s, 0.5f);    // loading: seconds 5..8 count
        t.put(RunRecording::kInflow, a, s, 100.0f);  // its upstream cell is in the approach
        t.put(RunRecording::kInflow, b, s, 0.25f);   // the second approach's entry cell
    }
    DelayResults delay;
    delay.reset(net.scenario.numApproaches);
    delay.approachDelaySeconds[first] = 10.0f;
    delay.approachDelaySeconds[second] = 10.0f;
    const ApproachTotals totals = test::ComputeApproachTotals(net.scenario, t, delay);
    EXPECT_EQ(totals.approachTotalVehicles[first], 5.0f);  // 1 + 2 + 4 x 0.5
    EXPECT_EQ(totals.delayPerVehicle[first], 2.0f);
    EXPECT_EQ(totals.approachTotalVehicles[second], 5.0f);  // 4 + 4 x 0.25
    EXPECT_EQ(totals.approachTotalVehicles[empty], 0.0f);
    EXPECT_EQ(totals.delayPerVehicle[empty], 0.0f);
}

// Two entry cells are summed one after the other, as a count over the finished run adds
// them: in step order the 1s would be lost beside the large inflow, in cell order they are
// not.
TEST(ComputeApproachTotals, EntryCellsAreSummedCellByCell) {
    TestNetwork net(1, 20);
    const int a = net.addCell(CellKind::Origin);
    const int b = net.addCell(CellKind::Origin);
    net.scenario.startStep = 4;
    net.scenario.endStep = 8;
    const int both = net.addApproach(1.0f, {a, b});
    RunRecording run(net.scenario.numCells, 1, 20, {a, b}, RunRecording::kInflow);
    for (int t = 5; t <= 8; ++t) {
        run.put(RunRecording::kInflow, a, t, 1.0f);
    }
    run.put(RunRecording::kInflow, b, 5, 16777216.0f);  // 2^24: past it only even integers
    DelayResults delay;
    delay.reset(net.scenario.numApproaches);
    const ApproachTotals totals = test::ComputeApproachTotals(net.scenario, run, delay);
    EXPECT_EQ(totals.approachTotalVehicles[both], 16777220.0f);
}

TEST(WriteDelayTable, RowsAndTotalInTheirColumns) {
    TestNetwork net(2, 100);
    net.scenario.startStep = 10;
    net.scenario.endStep = 90;
    net.addApproach(1.0f, {});
    net.addApproach(2.5f, {});
    DelayResults delay;
    delay.reset(net.scenario.numApproaches);
    delay.approachDelaySteps[1] = 900.0f;
    delay.approachDelaySeconds[1] = 1800.0f;
    delay.approachDelaySteps[2] = 3.125f;
    delay.approachDelaySeconds[2] = 6.25f;
    delay.totalWeightedDelay = 1800.0f + 2.5f * 6.25f;
    ApproachTotals totals;
    totals.approachTotalVehicles.assign(3, 0.0f);
    totals.delayPerVehicle.assign(3, 0.0f);
    totals.approachTotalVehicles[1] = 120.0f;
    totals.delayPerVehicle[1] = 15.0f;
    std::ostringstream out;
    RecordWriter writer(out);
    WriteDelayTable(writer, net.scenario, delay, totals);
    EXPECT_EQ(out.str(),
              "DELAY BY APPROACH:\r\n"
              "Delay analysis period (inclusive):    10 sec to   90 sec\r\n"
              " \r\n"
              "Approach   Weight         Delay        Delay          Total        Delay per\r\n"
              "   No.                 (veh-steps)   (veh-hr)         Veh.        Veh.(sec)\r\n"
              "    1        1.00          900.00         0.50        120.00        15.00\r\n"
              "    2        2.50            3.13         0.00          0.00         0.00\r\n"
              " \r\n"
              "Total weighted delay(hr):      0.50\r\n");
}

TEST(WriteExistingPlanSetting, ListsCycleOffsetsAndStages) {
    TestNetwork net;
    net.addIntersection(1, 7, {25, 20});
    net.scenario.networkCycleTime = 45;
    std::ostringstream out;
    RecordWriter writer(out);
    WriteExistingPlanSetting(writer, net.scenario, ExistingStagePlan(net.scenario));
    EXPECT_EQ(out.str(),
              " \r\nOPTIMIZED TIMING PLAN SETTING:\r\n \r\n Network Cycle Time (sec): 45\r\n \r\n"
              " ========================\r\n Intersection: 1\r\n ========================\r\n"
              " \r\n Offset (sec): 7\r\n \r\n"
              "         Stage    Duration (sec)\r\n         -----    --------------\r\n"
              " 1 25\r\n 2 20\r\n\r\n \r\n");
}

}  // namespace
}  // namespace talvo

namespace talvo {
namespace {

TEST(ComputeApproachTotals, LongerStepsCountTheInflowTheRunMoved) {
    test::TestNetwork net(2, 20);
    const int a = net.addCell(CellKind::Ordinary);
    const int b = net.addCell(CellKind::Ordinary);
    net.link(a, b);
    net.scenario.startStep = 4;
    net.scenario.endStep = 10;  // arrival seconds 5, 7, 9: steps at 4, 6, 8
    const int second = net.addApproach(1.0f, {b});
    RunRecording run(net.scenario.numCells, 2, 10, {b}, RunRecording::kInflow);
    for (int t = 0; t < 20; t += 2) {
        run.put(RunRecording::kInflow, b, t, 0.5f);  // the run has inflows at step starts only
    }
    DelayResults delay;
    delay.reset(net.scenario.numApproaches);
    const ApproachTotals totals = test::ComputeApproachTotals(net.scenario, run, delay);
    EXPECT_EQ(totals.approachTotalVehicles[second], 1.5f);
}

}  // namespace
}  // namespace talvo
