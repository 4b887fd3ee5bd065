#pragma once
// Turns an individual into a timing plan (offsets, stage-slot durations, cycle lengths)
// and lays out the signal tables of that plan.

#include <cstdint>
#include <vector>

#include "SignalControl.h"
#include "optimiser/Chromosome.h"

namespace talvo {

struct DecodedPlan {
    // FGFC: slots 1..nst repeat every cycle; VGFC, VGVC: slots 1..phaseCycle*nst.
    StagePlan stages;
    // FGFC and VGFC: the one network cycle length.
    int32_t cycleLength = 0;
    // VGVC: the length of cycle c (1..phaseCycle) of intersection p, as cycleOf[p][c].
    std::vector<std::vector<int32_t>> cycleOf;

    // Sizes the plan for the scenario; keeps it when already so.
    void sizeFor(const Scenario& scenario);
};

// The cycle length that a 7-bit value stands for, between minCycleTime and maxCycleTime.
int32_t DecodeCycle(const Scenario& scenario, int32_t value);

// Decodes `individual` (laid out by `layout`) into `plan`. FGFC corrects the stage times
// of each intersection to add up exactly to the cycle; VGFC and VGVC keep the rounding.
void DecodeIndividual(const Scenario& scenario, const ChromosomeLayout& layout,
                      const Individual& individual, DecodedPlan& plan);

// As above, then rewrites `tables` from the decoded plan.
void DecodeIndividual(const Scenario& scenario, const ChromosomeLayout& layout,
                      const Individual& individual, DecodedPlan& plan, SignalTables& tables);

}  // namespace talvo
