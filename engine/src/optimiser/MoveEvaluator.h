#pragma once
// Evaluates the neighbours of one plan, spread over the threads of a worker pool, each with
// its own cost evaluator (from the factory) and working plan. Neighbours go to the workers in runs
// of one batch of SIMD lanes; each delay lands at its neighbour's index, so the outcome is the same
// for any number of threads and any lane width.

#include <memory>
#include <vector>

#include "Scenario.h"
#include "optimiser/PlanCost.h"
#include "optimiser/RefinementMoves.h"
#include "optimiser/WorkerPool.h"

namespace talvo {

class MoveEvaluator {
  public:
    // On the threads of `pool` (the optimisation's), which must outlive the evaluator.
    MoveEvaluator(const Scenario& scenario, PlanVariant variant, const PlanCostFactory& makeCost,
                  WorkerPool& pool);
    // On a pool of its own of `threadCount` threads, 0 meaning one per processor core.
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
    MoveEvaluator(const Scenario& scenario, PlanVariant variant, const PlanCostFactory& makeCost,
                  std::unique_ptr<WorkerPool> pool);
    void run(Worker& worker, const DecodedPlan& base, const std::vector<PlanMove>& moves,
             size_t count, std::vector<float>& twd);

    const Scenario& scenario_;
    PlanVariant variant_;
    std::unique_ptr<WorkerPool> ownPool_;  // when not given one
    WorkerPool& pool_;
    std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace talvo
