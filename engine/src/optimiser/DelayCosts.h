#pragma once
// The optimiser's cost: the TWD of each plan from the lean delay evaluation, a batch of
// plans in the SIMD lanes of the widest kernel allowed (one lane: one plan at a time).

#include "Scenario.h"
#include "optimiser/PlanCost.h"

namespace talvo {

// The lane width the environment asks for through TALVO_LANES: 0 when unset or empty (the
// widest the processor offers), otherwise a whole number of at least 1. Throws EngineError
// naming the value for anything else.
int LanesFromEnvironment();

// Costs on `scenario`, reading the initial occupancies and loadings from `inputs` (both
// must outlive the costs). `maxLanes` 1 evaluates one plan at a time; 0 uses the widest
// lane kernel, other values the widest of at most that many lanes (one at a time when
// there is none that narrow). Throws EngineError when a cost is made for a scenario that
// cannot be simulated.
PlanCostFactory DelayCosts(const Scenario& scenario, const TimeTables& inputs, int maxLanes);

}  // namespace talvo
