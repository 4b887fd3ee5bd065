#pragma once
// What a finished run left in its run directory for the user: the report, the plan and
// occupancy files that Display plays, the plot files, and the total weighted delay of the
// result beside the existing plan's.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "RunProgress.h"

namespace talvo {

struct RunResultFiles {
    std::filesystem::path report;                  // "output_exist.out" or the variant's report
    std::filesystem::path plan;                    // the simulated or optimised switching sequences
    std::filesystem::path occupancy;               // and its occupancy file
    std::vector<std::filesystem::path> plotFiles;  // the plot files that exist, in order
};

// The files a run of `expectation` writes into `runDir` (plot files only when present).
RunResultFiles ResultFilesOf(const std::filesystem::path& runDir,
                             const RunExpectation& expectation);

// "Total weighted delay(hr):" of a report: its last such line (an optimisation report's is
// the final simulation of the best plan). Nothing when the file or the line is missing.
std::optional<double> ReadTotalWeightedDelayHours(const std::filesystem::path& report);

struct DelayComparison {
    double resultHours = 0;
    std::optional<double> existingHours;
    // (result - existing) / existing in percent; nothing without a non-zero existing figure.
    std::optional<double> differencePercent() const;
};

// One line of the run's summary of total weighted delay: "FGFC plan" "1.77 h", "Existing
// plan" "1.92 h", "Difference" "-7.8 % (less delay than the existing plan)". `variant`
// is empty for a simulation of the existing plan, which has a line of its own only.
struct SummaryRow {
    std::string label;
    std::string value;
};
std::vector<SummaryRow> SummaryRows(const std::string& variant, const DelayComparison& comparison);

// The existing plan of an optimisation run, to be simulated on its own for the comparison:
// copies "plan.tpl" and "input.fin" of `runDir` into `into`, with the scenario's first line
// (the optimisation flag) set to "N". Returns the error message when a file cannot be
// read or written.
std::optional<std::string> WriteExistingPlanScenario(const std::filesystem::path& runDir,
                                                     const std::filesystem::path& into);

}  // namespace talvo
