#include "ApproachResults.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "run/OutputFile.h"

namespace talvo {

namespace {

// Fixed decimals with a point whatever the locale; -0.00 written as 0.00.
std::string Fixed(double value, int decimals) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, value);
    std::string result(text.data());
    if (result.find_first_not_of("-0.") == std::string::npos && result[0] == '-')
        result.erase(0, 1);
    return result;
}

}  // namespace

char LevelOfService(double delayPerVehicle) {
    constexpr std::array<double, 5> kUpperBounds = {10, 20, 35, 55, 80};
    for (size_t i = 0; i < kUpperBounds.size(); ++i) {
        if (delayPerVehicle <= kUpperBounds[i])
            return static_cast<char>('A' + i);
    }
    return 'F';
}

void WriteApproachResults(std::ostream& out, const Scenario& scenario, const DelayResults& delay,
                          const ApproachTotals& totals) {
    out << "approach,weight,delay_veh_h,vehicles,delay_per_vehicle_s,level_of_service\r\n";
    for (int a = 1; a <= scenario.numApproaches; ++a) {
        const double seconds = delay.approachDelaySeconds[a];
        const double vehicles = totals.approachTotalVehicles[a];
        out << a << ',' << Fixed(scenario.approaches[a].weight, 2) << ','
            << Fixed(seconds / 3600.0, 4) << ',' << Fixed(vehicles, 2) << ',';
        if (vehicles > 0 && std::isfinite(seconds)) {
            const double perVehicle = seconds / vehicles;
            out << Fixed(perVehicle, 2) << ',' << LevelOfService(perVehicle);
        } else {
            out << ',';
        }
        out << "\r\n";
    }
}

void WriteApproachResults(const std::string& path, const Scenario& scenario,
                          const DelayResults& delay, const ApproachTotals& totals) {
    OutputFile file(path);
    WriteApproachResults(file.stream(), scenario, delay, totals);
    file.close();
}

}  // namespace talvo
