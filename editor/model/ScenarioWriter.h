#pragma once
// The engine's scenario input ("input.fin") and existing timing plan ("plan.tpl") as the
// export writes them from the network. Neither changes the model.

#include <string>

#include "common/ProjectRecords.h"

namespace talvo {

// Sections A to F: parameters, cells street by street, demand, timing, approaches and
// plot groups; tab-separated, CR LF line ends.
std::string FormatScenario(const Project& project);

// For each signal movement assigned to a node, in ascending order: its number, then
// state/time pairs from the node's stage plan, closed by a pair with time 10000.
std::string FormatPlan(const Project& project);

}  // namespace talvo
