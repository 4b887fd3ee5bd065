#pragma once
// The engine's scenario input ("input.fin") and existing timing plan ("plan.tpl") as the
// export writes them from the network. Neither changes the model.

#include <string>
#include <utility>
#include <vector>

#include "common/ProjectRecords.h"

namespace talvo {

// Sections A to F: parameters, cells street by street, demand, timing, approaches and
// plot groups; tab-separated, CR LF line ends.
std::string FormatScenario(const Project& project);

// For each signal movement assigned to a node, in ascending order: its number, then
// state/time pairs from the node's stage plan, closed by a pair with time 10000.
std::string FormatPlan(const Project& project);

// The existing plan of signal movement k from the stage plan of the node that runs it:
// (state, end time) pairs, state 1 green and 0 red, the closing pair (at 10000) last.
std::vector<std::pair<int, int>> ExistingPlanSequence(const GlobalParameters& params,
                                                      const NodeRecord& node, int movementID);

}  // namespace talvo
