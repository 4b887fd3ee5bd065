#pragma once
// Refinement after the GA (opt-in): a deterministic local search over the plan's own
// variables in whole seconds (see RefinementMoves.h), from the GA's best plan and from the
// existing plan. Each round evaluates the whole neighbourhood and takes its best neighbour
// when that improves on the plan (the first such neighbour on ties); the search stops when
// none improves or the evaluation budget is spent. The better of the two results is kept,
// so the refined plan is never worse than either start.

#include <climits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "Scenario.h"
#include "format/RecordWriter.h"
#include "optimiser/BestPlan.h"
#include "optimiser/MoveEvaluator.h"
#include "optimiser/PlanCost.h"
#include "optimiser/WorkerPool.h"

namespace talvo {

struct RefineOptions {
    bool refine = false;
    long long budget = 0;  // plans to evaluate at most; 0: RefinementBudget()
};

// The budget when none is given: as many plans again as half the GA evaluated, at least
// enough for a few rounds on a small network.
long long RefinementBudget(long long gaEvaluations);

struct LocalSearchResult {
    float startTwd = 0;
    float twd = 0;
    long long evaluations = 0;
    int moves = 0;  // neighbours taken
    std::unique_ptr<DecodedPlan> plan;
};

// Improves `start` (of TWD `startTwd`) until no neighbour improves or `budget` plans
// have been evaluated.
LocalSearchResult LocalSearch(const Scenario& scenario, PlanVariant variant,
                              MoveEvaluator& evaluator, const DecodedPlan& start, float startTwd,
                              long long budget);

struct RefinementResult {
    LocalSearchResult fromGa;
    std::optional<LocalSearchResult> fromExisting;
    std::string existingSkipped;  // why the existing plan was not a start, if it was not
    bool existingChosen = false;
    long long evaluations = 0;  // both searches and the existing plan's own evaluation

    const LocalSearchResult& chosen() const { return existingChosen ? *fromExisting : fromGa; }
};

// Half the budget for the search from the GA's plan; the rest, and what it leaves, for the
// one from the existing plan.
RefinementResult RefinePlan(const Scenario& scenario, PlanVariant variant, MoveEvaluator& evaluator,
                            const DecodedPlan& gaPlan, float gaTwd, long long budget);

// The report's refinement section: each start with its TWD before and after and its
// evaluations, the start whose result was kept, and the evaluations in all.
void WriteRefinementSection(RecordWriter& report, const RefinementResult& result);

// Refines `best` in place (plan, signal tables, TWD) on the threads of `pool`, showing the
// outcome on the console and, when given, in the report. Returns the plans evaluated.
long long RefineBestPlan(const Scenario& scenario, const PlanCostFactory& makeCost,
                         WorkerPool& pool, long long budget, BestPlan& best, std::ostream& console,
                         RecordWriter* report);

}  // namespace talvo
