#pragma once
// Evaluates every individual of a generation, spread over worker threads. Each worker has
// its own cost evaluator, signal tables and decoded plan, and takes one individual at a
// time or, with a batch cost, as many as a batch holds; the delays land in individual
// order, so the caller sees exactly what one thread would have computed.

#include <memory>
#include <vector>

#include "Scenario.h"
#include "optimiser/Chromosome.h"
#include "optimiser/PlanCost.h"
#include "optimiser/PlanDecoder.h"

namespace talvo {

class GenerationEvaluator {
  public:
    // `threadCount` 0 means one worker per processor core.
    GenerationEvaluator(const Scenario& scenario, const PlanCostFactory& makeCost,
                        unsigned threadCount = 0);
    ~GenerationEvaluator();
    GenerationEvaluator(const GenerationEvaluator&) = delete;
    GenerationEvaluator& operator=(const GenerationEvaluator&) = delete;

    // twd[i] := the total weighted delay of population[i].
    void evaluate(const ChromosomeLayout& layout, const std::vector<Individual>& population,
                  std::vector<float>& twd);

    unsigned threadCount() const { return static_cast<unsigned>(workers_.size()); }
    // The first worker's cost evaluator, for single evaluations outside a generation.
    PlanCost& cost() { return *workers_.front()->cost; }

  private:
    struct Worker {
        std::unique_ptr<PlanCost> cost;
        std::unique_ptr<DecodedPlan> plan = std::make_unique<DecodedPlan>();
        std::unique_ptr<SignalTables> tables = std::make_unique<SignalTables>();
    };

    const Scenario& scenario_;
    std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace talvo
