#pragma once
// The results of a simulated plan: the plan setting, the delay table and the approach
// totals of the report, the occupancy file and the time-space plot files.

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "ApproachTotals.h"
#include "Delay.h"
#include "RunRecording.h"
#include "Scenario.h"
#include "SignalControl.h"
#include "format/RecordWriter.h"

namespace talvo {

// "OPTIMIZED TIMING PLAN SETTING:" of the existing plan: the network cycle, and per
// intersection its offset and stage durations.
void WriteExistingPlanSetting(RecordWriter& report, const Scenario& scenario,
                              const StagePlan& plan);

// The cells the approach totals and the plot files read, for a RunRecording.
std::vector<int> ResultCells(const Scenario& scenario);

// What the plot files read of a run of `stepper`: the occupancies of the plotted groups'
// cells over the steps from the earliest plotStart to the latest plotEnd.
RunRecording PlotRecording(const Scenario& scenario, const NetworkStepper& stepper);

// "DELAY BY APPROACH:" with one row per approach, and "Total weighted delay(hr):".
void WriteDelayTable(RecordWriter& report, const Scenario& scenario, const DelayResults& delay,
                     const ApproachTotals& totals);

// Four header lines, then cell by cell one line per second from 0 to the end of the last
// step, the occupancy held within each step. The file goes cell by cell while a run goes
// second by second: `stepper` is run again for each block of cells whose occupancies fit
// in `blockValues` (once for every network of the classic sizes).
inline constexpr size_t kOccupancyBlockValues = size_t(1) << 25;  // 128 MiB of floats
void WriteOccupancyFile(std::ostream& out, const Scenario& scenario, NetworkStepper& stepper,
                        size_t blockValues = kOccupancyBlockValues);
void WriteOccupancyFile(const std::string& path, const Scenario& scenario, NetworkStepper& stepper);

// One plot group's occupancies second by second from plotStart to plotEnd. Within a step
// longer than a second the occupancy of the step's start is shown, as in the occupancy
// file.
void WritePlotFile(std::ostream& out, const Scenario& scenario, const RunRecording& run, int g);

// The plot files of groups 1..5 whose plotFlag is "Y"; paths[g] names group g's file.
void WritePlotFiles(const std::array<std::string, kMaxPlotFiles + 1>& paths,
                    const Scenario& scenario, const RunRecording& run);

}  // namespace talvo
