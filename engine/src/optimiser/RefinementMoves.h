#pragma once
// The neighbourhood of the local search that refines a plan: changes of whole seconds to
// one variable of the plan (the network cycle, one intersection's cycle, one offset or all
// of them together, or green moved between two free stages of one cycle), each kept within the
// variant's rules: cycles between minCycleTime and maxCycleTime, free stages at least minGreenTime
// long, fixed stages as the scenario fixes them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Scenario.h"
#include "optimiser/Chromosome.h"
#include "optimiser/PlanDecoder.h"

namespace talvo {

struct PlanMove {
    enum class Kind {
        NetworkCycle,       // FGFC, VGFC: the one cycle, every free stage re-shared
        IntersectionCycle,  // VGVC: cycle `cycle` of intersection `p`, its stages re-shared
        Offset,             // the offset of `p`
        EveryOffset,        // every offset together: the whole plan against the demand
        Transfer,           // `delta` seconds of green from slot `from` to slot `to` of `p`
        StartShift,         // FGFC: the start of stage 1 of `p` by `delta`, the other
                            // boundaries kept (offset, first and last free stage change)
    };
    Kind kind = Kind::Offset;
    int p = 0;
    int cycle = 0;
    int from = 0;
    int to = 0;
    int32_t delta = 0;
};

// Every move that keeps `plan` within the rules, in a fixed order (step size, then cycle,
// offsets and transfers, intersection by intersection).
std::vector<PlanMove> Neighbourhood(const Scenario& scenario, PlanVariant variant,
                                    const DecodedPlan& plan);

// Applies `move` to `plan`. False, with `plan` unchanged, when the move would break a rule.
bool ApplyMove(const Scenario& scenario, PlanVariant variant, const PlanMove& move,
               DecodedPlan& plan);

// The existing plan of the scenario (offsets and stage times) in the layout of `variant`:
// its stage times repeated in every cycle where the variant varies them. The reason when
// the existing plan breaks a rule of the variant.
std::optional<std::string> ExistingPlanAsVariant(const Scenario& scenario, PlanVariant variant,
                                                 DecodedPlan& plan);

}  // namespace talvo
