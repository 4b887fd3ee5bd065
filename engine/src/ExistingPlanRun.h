#pragma once
// The existing-plan path of a run: the plan file is read, the signal tables are rebuilt
// from the scenario's stage plan, the network is simulated once, and the plan setting, the
// delay table, the simulated plan, the occupancy file and the plot files are written.

#include "run/EngineRun.h"

namespace talvo {

// Throws EngineError when the scenario cannot be simulated or a file cannot be read or
// written; a diverge with a zero split first shows "**** Error is diverge split info".
void RunExistingPlan(EngineRun& run);

}  // namespace talvo
