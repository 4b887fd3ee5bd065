#pragma once
// Whether the entered saturation flow can limit a queue's discharge. The engine caps a
// cell's outflow at saturation flow x design speed (km/h) x lanes x turn factor per hour,
// while a standing queue leaves at most at jam density x design speed x w/(1+w) per lane
// (w the wave-speed ratio): the cap binds only when the saturation flow lies below
// jam density x w/(1+w), whatever the speeds.

#include <optional>
#include <string>
#include <vector>

namespace talvo {

// A queue's discharge in veh/h per lane at `speed` km/h.
double QueueDischarge(double jamDensity, double wvRatio, double speed);

// The warning to show when the saturation flow cannot bind on cells of the given design
// speeds, naming the discharge the model gives at the slowest and the fastest of them;
// nothing when it can bind, or without cells.
std::optional<std::string> SaturationFlowWarning(double saturationFlow, double jamDensity,
                                                 double wvRatio,
                                                 const std::vector<double>& cellSpeeds);

}  // namespace talvo
