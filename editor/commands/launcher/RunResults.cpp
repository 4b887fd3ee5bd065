#include "RunResults.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "ProgramFiles.h"

namespace talvo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTotalLabel = "Total weighted delay(hr):";

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::optional<std::string> ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

RunResultFiles ResultFilesOf(const fs::path& runDir, const RunExpectation& expectation) {
    RunResultFiles files;
    if (expectation.optimising) {
        const int strategy = expectation.controlStrategy;
        const std::string variant = strategy == 1 ? "FGFC" : strategy == 2 ? "VGFC" : "VGVC";
        files.report = runDir / ("output_" + variant + ".out");
        files.plan = runDir / ("opt_" + variant + "_plan.tpl");
        files.occupancy = runDir / ("occu_" + variant + ".occ");
    } else {
        files.report = runDir / "output_exist.out";
        files.plan = runDir / "opt_exist_plan.tpl";
        files.occupancy = runDir / "occu_exist.occ";
    }
    for (int group = 1; group <= 5; ++group) {
        const fs::path plot = runDir / ("ctmplot_" + std::to_string(group) + ".plt");
        std::error_code ec;
        if (fs::is_regular_file(plot, ec)) {
            files.plotFiles.push_back(plot);
        }
    }
    return files;
}

std::optional<double> ReadTotalWeightedDelayHours(const fs::path& report) {
    std::ifstream in(report, std::ios::binary);
    std::optional<double> hours;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(kTotalLabel, 0) != 0) {
            continue;
        }
        std::istringstream value(line.substr(std::string(kTotalLabel).size()));
        double read = 0;
        // A value too wide for its field is written as asterisks: no figure then.
        hours = value >> read ? std::optional<double>(read) : std::nullopt;
    }
    return hours;
}

std::optional<double> DelayComparison::differencePercent() const {
    if (!existingHours || *existingHours == 0) {
        return std::nullopt;
    }
    return (resultHours - *existingHours) / *existingHours * 100.0;
}

std::vector<SummaryRow> SummaryRows(const std::string& variant, const DelayComparison& comparison) {
    if (variant.empty()) {
        return {{"Existing plan", Fixed(comparison.resultHours, 2) + " h"}};
    }
    std::vector<SummaryRow> rows{{variant + " plan", Fixed(comparison.resultHours, 2) + " h"}};
    if (!comparison.existingHours) {
        rows.push_back({"Existing plan", "not known (its simulation failed)"});
        return rows;
    }
    rows.push_back({"Existing plan", Fixed(*comparison.existingHours, 2) + " h"});
    if (const auto percent = comparison.differencePercent()) {
        const std::string rounded = Fixed(*percent, 1);
        const bool same = rounded == "0.0" || rounded == "-0.0";
        const std::string value = same ? "0.0" : (*percent > 0 ? "+" : "") + rounded;
        const char* verdict = same           ? "the same delay as"
                              : *percent < 0 ? "less delay than"
                                             : "more delay than";
        rows.push_back({"Difference", value + " % (" + verdict + " the existing plan)"});
    }
    return rows;
}

std::optional<std::string> WriteExistingPlanScenario(const fs::path& runDir, const fs::path& into) {
    const auto scenario = ReadWhole(runDir / "input.fin");
    const auto plan = ReadWhole(runDir / "plan.tpl");
    if (!scenario || !plan) {
        return "The run's input files in '" + runDir.string() + "' cannot be read.";
    }
    // The first line holds the optimisation flag alone; its line end is kept.
    const size_t lineEnd = scenario->find_first_of("\r\n");
    const std::string rest = lineEnd == std::string::npos ? "" : scenario->substr(lineEnd);
    if (auto error = WriteFileWhole(into / "input.fin", "N" + rest)) {
        return error;
    }
    return WriteFileWhole(into / "plan.tpl", *plan);
}

}  // namespace talvo
