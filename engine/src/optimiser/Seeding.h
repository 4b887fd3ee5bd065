#pragma once
// Seeds of the first population of each stage: the existing plan and its Webster-cycle
// version for FGFC, the best plan of the stage before for VGFC and VGVC.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Scenario.h"
#include "optimiser/BestPlan.h"
#include "optimiser/Chromosome.h"

namespace talvo {

// The Webster cycle of the network from the movement volumes of a simulation of the
// existing plan (WebsterVolumes::volumes), limited to maxCycleTime.
int32_t WebsterCycle(const Scenario& scenario, const std::vector<float>& volumes);

// Encodes the existing plan (offsets, stage times) rescaled to `cycle` into `individual`
// (FGFC layout). Returns the reason when the seed cannot be formed (a formula would
// divide by zero); `individual` is then left as it was.
std::optional<std::string> EncodeExistingPlan(const Scenario& scenario, int32_t cycle,
                                              const ChromosomeLayout& layout,
                                              Individual& individual);

// The first VGFC individual from the FGFC best chromosome: cycle and offset bits copied,
// each intersection's weight groups repeated once per cycle.
Individual SeedFromFgfc(const Scenario& scenario, const ChromosomeLayout& vgfcLayout,
                        const Individual& fgfcBest);

// The first VGVC individual from the VGFC best chromosome: its cycle group copied into
// every (intersection, cycle) group, offset and stage bits copied.
Individual SeedFromVgfc(const ChromosomeLayout& vgvcLayout, const Individual& vgfcBest);

// Carries the best record into the next stage's layout: FGFC stage times repeated in every
// cycle for VGFC; the one cycle length as every intersection's cycle for VGVC. The record's
// chromosome becomes `seed` (the next stage's first individual).
void CarryBestInto(const Scenario& scenario, PlanVariant next, const Individual& seed,
                   BestPlan& best);

}  // namespace talvo
