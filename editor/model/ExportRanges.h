#pragma once
// What the engine takes of the values the export writes: the physical range of every real
// (W/V ratio, densities, flows, lanes, speeds, shares, percentages), the simulation's
// times, and the optimiser's counts. A value outside them would only be refused by the
// engine, after the run was started; the export refuses it first.

#include <optional>
#include <string>

#include "common/ProjectRecords.h"

namespace talvo {

// The message for the first value the engine would refuse, in export order (parameters,
// cells in table order with their demand, the timing plan, nodes, CTM plots), or nothing.
std::optional<std::string> CheckEngineRanges(const Project& project);

}  // namespace talvo
