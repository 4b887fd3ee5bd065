#pragma once
// Evaluates every individual of a generation, spread over a pool of worker threads that
// lives as long as the evaluator (one optimisation). Each worker has its own cost
// evaluator, signal tables and decoded plan, and takes one individual at a time or, with
// a batch cost, a batch at a time; the delays land in individual order, so the caller
// sees exactly what one thread would have computed.

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "Scenario.h"
#include "optimiser/Chromosome.h"
#include "optimiser/PlanCost.h"
#include "optimiser/PlanDecoder.h"
#include "optimiser/WorkerPool.h"

namespace talvo {

class GenerationEvaluator {
  public:
    // `threadCount` 0 means one worker per processor core. No more workers are made than
    // a population of the scenario's size has batches, since the others would only wait.
    GenerationEvaluator(const Scenario& scenario, const PlanCostFactory& makeCost,
                        unsigned threadCount = 0);
    ~GenerationEvaluator();
    GenerationEvaluator(const GenerationEvaluator&) = delete;
    GenerationEvaluator& operator=(const GenerationEvaluator&) = delete;

    // twd[i] := the total weighted delay of population[i]. `alongside`, when given, runs
    // on the last worker before it takes its first batch, while the others go on with the
    // batches: other work of the search that need not wait for a round of its own.
    void evaluate(const ChromosomeLayout& layout, const std::vector<Individual>& population,
                  std::vector<float>& twd, const std::function<void()>& alongside = {});

    unsigned threadCount() const { return static_cast<unsigned>(workers_.size()); }
    // The evaluating threads, threadCount() of them, for the other searches of the same
    // optimisation.
    WorkerPool& pool() { return *pool_; }
    // The first worker's cost evaluator, for single evaluations outside a generation.
    PlanCost& cost() { return *workers_.front()->cost; }

  private:
    struct Worker {
        std::unique_ptr<PlanCost> cost;
        std::unique_ptr<DecodedPlan> plan = std::make_unique<DecodedPlan>();
        std::unique_ptr<SignalTables> tables = std::make_unique<SignalTables>();
        std::exception_ptr failure;
    };
    struct Batch {
        size_t first = 0;
        int count = 0;
    };
    // What one generation's evaluation hands the workers.
    struct Job {
        const ChromosomeLayout* layout = nullptr;
        const std::vector<Individual>* population = nullptr;
        float* twd = nullptr;
    };

    void claimBatches(Worker& worker);

    const Scenario& scenario_;
    std::vector<std::unique_ptr<Worker>> workers_;
    size_t batchSize_ = 1;

    std::vector<Batch> batches_;
    std::atomic<size_t> nextBatch_{0};
    Job job_;
    std::unique_ptr<WorkerPool> pool_;  // last, so that its threads stop first
};

}  // namespace talvo
