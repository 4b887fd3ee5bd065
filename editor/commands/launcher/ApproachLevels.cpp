#include "ApproachLevels.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace talvo {

namespace {

constexpr const char* kHeader =
    "approach,weight,delay_veh_h,vehicles,delay_per_vehicle_s,level_of_service";

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    if (!line.empty() && line.back() == ',')
        fields.emplace_back();
    return fields;
}

void DropCarriageReturn(std::string& line) {
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
}

}  // namespace

std::filesystem::path ApproachResultsOf(const std::filesystem::path& report) {
    std::string name = report.stem().string();
    if (name.rfind("output_", 0) == 0)
        name.erase(0, 7);
    return report.parent_path() / ("results_" + name + ".csv");
}

std::vector<ApproachLevel> ReadApproachLevels(const std::filesystem::path& table) {
    std::vector<ApproachLevel> levels;
    std::ifstream in(table, std::ios::binary);
    std::string line;
    if (!std::getline(in, line))
        return levels;
    DropCarriageReturn(line);
    if (line != kHeader)
        return levels;
    while (std::getline(in, line)) {
        DropCarriageReturn(line);
        const std::vector<std::string> fields = Fields(line);
        ApproachLevel level;
        const std::string& number = fields.empty() ? line : fields[0];
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), level.approach);
        if (fields.size() != 6 || error != std::errc() || end != number.data() + number.size())
            continue;
        level.delayHours = fields[2];
        level.vehicles = fields[3];
        level.delayPerVehicle = fields[4];
        level.level = fields[5];
        levels.push_back(level);
    }
    return levels;
}

std::vector<ApproachComparison> CompareApproaches(const std::vector<ApproachLevel>& existing,
                                                  const std::vector<ApproachLevel>& result) {
    std::vector<ApproachComparison> rows;
    for (const ApproachLevel& level : result) {
        const auto same = std::find_if(existing.begin(), existing.end(),
                                       [&](const auto& e) { return e.approach == level.approach; });
        ApproachLevel before{level.approach, {}, {}, {}, {}};
        rows.push_back({same != existing.end() ? *same : before, level});
    }
    return rows;
}

std::filesystem::path ComparisonTableOf(const std::filesystem::path& report) {
    std::string name = report.stem().string();
    if (name.rfind("output_", 0) == 0)
        name.erase(0, 7);
    return report.parent_path() / ("comparison_" + name + ".csv");
}

std::string ComparisonCsv(const std::vector<ApproachComparison>& rows, const std::string& variant) {
    const std::string v = "_" + variant;
    std::string text = "approach,delay_veh_h_exist,delay_veh_h" + v +
                       ",delay_per_vehicle_s_exist,delay_per_vehicle_s" + v +
                       ",vehicles_exist,vehicles" + v + "\r\n";
    for (const ApproachComparison& row : rows) {
        text += std::to_string(row.result.approach) + "," + row.existing.delayHours + "," +
                row.result.delayHours + "," + row.existing.delayPerVehicle + "," +
                row.result.delayPerVehicle + "," + row.existing.vehicles + "," +
                row.result.vehicles + "\r\n";
    }
    return text;
}

}  // namespace talvo
