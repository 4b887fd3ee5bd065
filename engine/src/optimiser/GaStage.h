#pragma once
// One GA stage: random first population, seeds, generations until the limit or the stall
// count is reached, with the best plan kept in the state shared by all stages.

#include <functional>
#include <memory>
#include <vector>

#include "Scenario.h"
#include "optimiser/BestPlan.h"
#include "optimiser/Chromosome.h"
#include "optimiser/GaOutput.h"
#include "optimiser/GenerationEvaluator.h"
#include "optimiser/UniformRandom.h"

namespace talvo {

// What the stages of one run share: the random state, the largest delay carried from one
// generation to the next, and the best plan so far.
struct GaState {
    UniformRandom random;
    float genMax = 0;
    std::unique_ptr<BestPlan> best = std::make_unique<BestPlan>();
};

// Puts the stage's seeds into the freshly drawn population (may leave it as it is).
using SeedPopulation = std::function<void(std::vector<Individual>& population)>;

struct StageResult {
    int generations = 0;  // generations run
};

// Runs the stage of `layout.variant`: initialisation, seeding, the generation loop with its
// console lines and report rows, and the closing best-delay and run-time lines.
// `alongsideFirst`, when given, runs beside the first generation's evaluation (see
// GenerationEvaluator::evaluate), before its console line.
StageResult RunGaStage(const Scenario& scenario, const ChromosomeLayout& layout,
                       GenerationEvaluator& evaluator, GaState& state, const SeedPopulation& seed,
                       const GaOutput& output, const std::function<void()>& alongsideFirst = {});

}  // namespace talvo
