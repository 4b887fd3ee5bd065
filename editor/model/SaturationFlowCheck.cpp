#include "model/SaturationFlowCheck.h"

#include <algorithm>
#include <cmath>

namespace talvo {

namespace {

std::string Whole(double value) {
    return std::to_string(static_cast<long long>(std::llround(value)));
}

std::string AtSpeed(double jamDensity, double wvRatio, double speed) {
    return Whole(QueueDischarge(jamDensity, wvRatio, speed)) + " veh/h at " + Whole(speed) +
           " km/h";
}

}  // namespace

double QueueDischarge(double jamDensity, double wvRatio, double speed) {
    return jamDensity * speed * wvRatio / (1.0 + wvRatio);
}

std::optional<std::string> SaturationFlowWarning(double saturationFlow, double jamDensity,
                                                 double wvRatio,
                                                 const std::vector<double>& cellSpeeds) {
    std::vector<double> speeds;
    for (const double speed : cellSpeeds) {
        if (speed > 0)
            speeds.push_back(speed);
    }
    if (speeds.empty() || wvRatio <= 0 || jamDensity <= 0 ||
        saturationFlow < jamDensity * wvRatio / (1.0 + wvRatio))
        return std::nullopt;
    const auto [slowest, fastest] = std::minmax_element(speeds.begin(), speeds.end());
    std::string discharge = AtSpeed(jamDensity, wvRatio, *slowest);
    if (*fastest != *slowest)
        discharge += " to " + AtSpeed(jamDensity, wvRatio, *fastest);
    return "The saturation flow of " + Whole(saturationFlow) +
           " veh/h will not limit the discharge: the model caps a cell's flow at saturation "
           "flow x design speed, far above what jam density and the W/V ratio let a queue "
           "give. Queues will discharge at about " +
           discharge + " per lane (jam density x speed x W/V / (1 + W/V)).";
}

}  // namespace talvo
