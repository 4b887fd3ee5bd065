#pragma once
// The optimisation path of a run: the GA stages FGFC, then VGFC and VGVC as far as the
// requested variant, each ending with a simulation of its best plan, and the reports and
// result files of the requested variant.

#include "optimiser/Refinement.h"
#include "run/EngineRun.h"

namespace talvo {

// Throws EngineError, naming the value, when the GA parameters or the chromosome
// segments of the stages to run are out of range; nothing has been searched then.
void CheckOptimisationInput(const Scenario& scenario);

struct OptimisationSummary {
    long long evaluations = 0;  // plans simulated by the searches
    float bestTwd = 0;
};

// Runs the optimisation on the scenario of `run`. `threads` evaluating threads, 0 for one
// per processor core; plans evaluated in batches of at most `maxLanes` SIMD lanes (1: one
// plan at a time, 0: the widest the processor offers). The outcome is the same for any
// number of threads and lanes. With `refine.refine` the last stage's best plan is refined
// (Refinement.h) before its final simulation; without it nothing of the run changes.
// `seed` is the random source's first state (1..2^31 - 2; 1 is the engine's own).
OptimisationSummary RunOptimisation(EngineRun& run, unsigned threads, int maxLanes,
                                    const RefineOptions& refine = {}, int32_t seed = 1);

// As above with the lanes that the environment variable TALVO_LANES asks for (unset: the
// widest; 1 forces the one-plan evaluator, for comparison and debugging).
OptimisationSummary RunOptimisation(EngineRun& run, unsigned threads = 0,
                                    const RefineOptions& refine = {});

}  // namespace talvo
