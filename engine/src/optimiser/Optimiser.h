#pragma once
// The optimisation path of a run: the GA stages FGFC, then VGFC and VGVC as far as the
// requested variant, each ending with a simulation of its best plan, and the reports and
// result files of the requested variant.

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
// per processor core; the outcome is the same for any number.
OptimisationSummary RunOptimisation(EngineRun& run, unsigned threads = 0);

}  // namespace talvo
