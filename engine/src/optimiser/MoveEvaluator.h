#pragma once
// Evaluates the neighbours of one plan, spread over worker threads, each with its own cost
// evaluator (from the factory) and working plan. Neighbours go to the workers in runs of
// one batch of SIMD lanes; each delay lands at its neighbour's index, so the outcome is the
// same for any number of threads and any lane width.

#include <memory>
#include <vector>

#include "Scenario.h"
#include "optimiser/PlanCost.h"
#include "optimiser/RefinementMoves.h"

namespace talvo {

class MoveEvaluator {
  public:
    // `threadCount` 0 means one worker per processor core.
    MoveEvaluator(const Scenario& scenario, PlanVariant variant, const PlanCostFactory& makeCost,
                  unsigned threadCount);
    ~MoveEvaluator();
    MoveEvaluator(const MoveEvaluator&) = delete;
    MoveEvaluator& operator=(const MoveEvaluator&) = delete;

    // twd[i] := the TWD of `base` changed by moves[i], for i < count (count <= moves.size()).
    void evaluate(const DecodedPlan& base, const std::vector<PlanMove>& moves, size_t count,
                  std::vector<float>& twd);
    // The TWD of `plan` itself.
    float evaluate(const DecodedPlan& plan);

  private:
    struct Worker;
    void run(Worker& worker, const DecodedPlan& base, const std::vector<PlanMove>& moves,
             size_t count, std::vector<float>& twd);

    const Scenario& scenario_;
    PlanVariant variant_;
    std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace talvo
