#pragma once
// The approaches' delay per vehicle and level of service, as the engine writes them into
// the results table beside its report, for the run window's summary.

#include <filesystem>
#include <string>
#include <vector>

namespace talvo {

struct ApproachLevel {
    int approach = 0;
    std::string delayHours;  // vehicle hours as written
    std::string vehicles;
    std::string delayPerVehicle;  // seconds as written, empty for an approach nobody used
    std::string level;            // "A".."F", empty likewise
};

// "results_X.csv" beside the report "output_X.out".
std::filesystem::path ApproachResultsOf(const std::filesystem::path& report);

// The rows of a results table; nothing when the file is missing or its header is not the
// engine's (a run of an engine that writes none). Rows that do not parse are left out.
std::vector<ApproachLevel> ReadApproachLevels(const std::filesystem::path& table);

// One approach in the existing plan's run and in the optimised one.
struct ApproachComparison {
    ApproachLevel existing;  // empty figures where the existing run has no such approach
    ApproachLevel result;
};
// The approaches of the result in its order, each beside the existing run's.
std::vector<ApproachComparison> CompareApproaches(const std::vector<ApproachLevel>& existing,
                                                  const std::vector<ApproachLevel>& result);
// "comparison_X.csv" beside the report "output_X.out".
std::filesystem::path ComparisonTableOf(const std::filesystem::path& report);
// The comparison as a table with a header, the variant ("FGFC") naming its columns.
std::string ComparisonCsv(const std::vector<ApproachComparison>& rows, const std::string& variant);

}  // namespace talvo
