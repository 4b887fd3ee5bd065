#include "ResultFiles.h"

#include <algorithm>

#include "OccupancyRecords.h"
#include "ResultTimes.h"
#include "run/OutputFile.h"

namespace talvo {

namespace {

void Blank(RecordWriter& out) {
    out.write("(' ')");
}

}  // namespace

void WriteExistingPlanSetting(RecordWriter& report, const Scenario& s, const StagePlan& plan) {
    Blank(report);
    report.write("('OPTIMIZED TIMING PLAN SETTING:')");
    Blank(report);
    report.writeText("Network Cycle Time (sec):", {plan.networkCycleTime});
    Blank(report);
    for (int p = 1; p <= s.numIntersections; ++p) {
        report.writeText("========================");
        report.writeText("Intersection:", {int32_t(p)});
        report.writeText("========================");
        Blank(report);
        report.writeText("Offset (sec):", {plan.offset[p]});
        Blank(report);
        report.writeText("        Stage    Duration (sec)");
        report.writeText("        -----    --------------");
        for (int k = 1; k <= s.intersections[p].stageCount; ++k) {
            report.writeListDirected({int32_t(k), plan.slotDuration[p][k]});
        }
        report.writeListDirected();
    }
    Blank(report);
}

std::vector<int> ResultCells(const Scenario& s) {
    std::vector<int> cells;
    for (int a = 1; a <= s.numApproaches; ++a) {
        cells.insert(cells.end(), s.approaches[a].cells.begin(), s.approaches[a].cells.end());
    }
    for (int g = 1; g <= kMaxPlotFiles && g <= s.numPlotGroups; ++g) {
        if (s.plotGroups[g].plotFlag == 'Y') {
            cells.insert(cells.end(), s.plotGroups[g].cells.begin(), s.plotGroups[g].cells.end());
        }
    }
    return cells;
}

RunRecording PlotRecording(const Scenario& s, const NetworkStepper& stepper) {
    std::vector<int> cells;
    // The first and last step a plot reads (none when they cross).
    int32_t first = stepper.stepCount() + 1, last = -1;
    const int32_t ts = std::max<int32_t>(s.timeStep, 1);
    for (int g = 1; g <= kMaxPlotFiles && g <= s.numPlotGroups; ++g) {
        const Group& group = s.plotGroups[g];
        if (group.plotFlag != 'Y') {
            continue;
        }
        cells.insert(cells.end(), group.cells.begin(), group.cells.end());
        if (group.plotStart <= group.plotEnd) {
            first = std::min(first, std::max<int32_t>(0, StepStartOf(s, group.plotStart)) / ts);
            last = std::max(last, StepStartOf(s, group.plotEnd) / ts);
        }
    }
    return RunRecording(stepper, cells, RunRecording::kOccupancy, first, last);
}

void WriteDelayTable(RecordWriter& report, const Scenario& s, const DelayResults& delay,
                     const ApproachTotals& totals) {
    report.write("('DELAY BY APPROACH:')");
    report.writeWidening("('Delay analysis period (inclusive): ',I5,' sec to',I5,' sec')",
                         {s.startStep, s.endStep});
    Blank(report);
    report.write("('Approach',3X,'Weight',9X,'Delay',8X,'Delay',10X,'Total',8X,'Delay per')");
    report.write("(3X,'No.',17X,'(veh-steps)',3X,'(veh-hr)',9X,'Veh.',8X,'Veh.(sec)')");
    for (int a = 1; a <= s.numApproaches; ++a) {
        report.writeWidening("(I5,5X,F7.2,5X,F11.2,2X,F11.2,3X,F11.2,7X,F6.2)",
                             {int32_t(a), s.approaches[a].weight, delay.approachDelaySteps[a],
                              delay.approachDelaySeconds[a] / 3600.0f,
                              totals.approachTotalVehicles[a], totals.delayPerVehicle[a]});
    }
    Blank(report);
    report.write("('Total weighted delay(hr):',F10.2)", {delay.totalWeightedDelay / 3600.0f});
}

void WriteOccupancyFile(std::ostream& out, const Scenario& s, NetworkStepper& stepper,
                        size_t blockValues) {
    RecordWriter writer(out);
    Blank(writer);
    Blank(writer);
    writer.write("('******** O C C U P A N C Y   A R R A Y *******')");
    writer.write("('Time Step',2X,'Cell No.',2X,'Vehicles')");
    const size_t perCell = size_t(stepper.stepCount()) + 1;
    const int block = int(std::max<size_t>(1, blockValues / perCell));
    for (int first = 1; first <= s.numCells; first += block) {
        const int last = std::min(s.numCells, first + block - 1);
        std::vector<int> cells;
        for (int c = first; c <= last; ++c) {
            cells.push_back(c);
        }
        RunRecording run(stepper, cells, RunRecording::kOccupancy);
        RunToEnd(stepper, &run);
        WriteOccupancyRecords(out, s, run, cells);
    }
}

void WriteOccupancyFile(const std::string& path, const Scenario& s, NetworkStepper& stepper) {
    OutputFile out(path);
    WriteOccupancyFile(out.stream(), s, stepper);
    out.close();
}

void WritePlotFile(std::ostream& out, const Scenario& s, const RunRecording& run, int g) {
    RecordWriter writer(out);
    const Group& group = s.plotGroups[g];
    int count = 0;
    for (size_t m = 1; m < group.cells.size(); ++m) {
        if (group.cells[m] != 0) {
            ++count;
        }
    }
    // Rows of the classic 50 cells keep their lists; a wider group gets lists as wide.
    const auto list = [](int values) {
        return std::string("(").append(std::to_string(values)).append("F7.2)");
    };
    const std::string row = list(std::max(count, 50) + 1);
    const std::string lastRow = list(std::max(count, 50));
    FormatValues values;
    values.reserve(size_t(count) + 1);
    for (int32_t t = group.plotStart; t <= group.plotEnd; ++t) {
        const int32_t source = StepStartOf(s, t);
        values.clear();
        for (int m = 1; m <= count; ++m) {
            values.emplace_back(run.n(group.cells[m], source));
        }
        if (t < group.plotEnd) {
            values.emplace_back(-1.0f);
            writer.write(row, values);
        } else {
            writer.write(lastRow, values);
        }
    }
    writer.writeListDirected();
    writer.writeListDirected();
}

void WritePlotFiles(const std::array<std::string, kMaxPlotFiles + 1>& paths, const Scenario& s,
                    const RunRecording& run) {
    for (int g = 1; g <= kMaxPlotFiles && g <= s.numPlotGroups; ++g) {
        if (s.plotGroups[g].plotFlag != 'Y') {
            continue;
        }
        OutputFile out(paths[g]);
        WritePlotFile(out.stream(), s, run, g);
        out.close();
    }
}

}  // namespace talvo
