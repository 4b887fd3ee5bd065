#include "optimiser/MoveEvaluator.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

#include "SignalControl.h"

namespace talvo {

struct MoveEvaluator::Worker {
    std::unique_ptr<PlanCost> cost;
    std::unique_ptr<DecodedPlan> plan = std::make_unique<DecodedPlan>();
    std::unique_ptr<SignalTables> tables = std::make_unique<SignalTables>();
    std::atomic<size_t>* next = nullptr;
};

MoveEvaluator::MoveEvaluator(const Scenario& scenario, PlanVariant variant,
                             const PlanCostFactory& makeCost, WorkerPool& pool)
    : scenario_(scenario), variant_(variant), pool_(pool) {
    for (size_t i = 0; i < pool_.size(); ++i) {
        auto worker = std::make_unique<Worker>();
        worker->cost = makeCost();
        workers_.push_back(std::move(worker));
    }
}

namespace {

unsigned ThreadsOrCores(unsigned threadCount) {
    return threadCount != 0 ? threadCount : std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

MoveEvaluator::MoveEvaluator(const Scenario& scenario, PlanVariant variant,
                             const PlanCostFactory& makeCost, unsigned threadCount)
    : MoveEvaluator(scenario, variant, makeCost,
                    std::make_unique<WorkerPool>(ThreadsOrCores(threadCount))) {}

MoveEvaluator::MoveEvaluator(const Scenario& scenario, PlanVariant variant,
                             const PlanCostFactory& makeCost, std::unique_ptr<WorkerPool> pool)
    : MoveEvaluator(scenario, variant, makeCost, *pool) {
    ownPool_ = std::move(pool);
}

MoveEvaluator::~MoveEvaluator() = default;

float MoveEvaluator::evaluate(const DecodedPlan& plan) {
    Worker& worker = *workers_.front();
    BuildSignalTable(scenario_, plan.stages, *worker.tables);
    return worker.cost->totalWeightedDelay(*worker.tables);
}

void MoveEvaluator::run(Worker& worker, const DecodedPlan& base, const std::vector<PlanMove>& moves,
                        size_t count, std::vector<float>& twd) {
    PlanBatch* batch = worker.cost->batch();
    const size_t width = batch != nullptr ? static_cast<size_t>(batch->capacity()) : 1;
    for (;;) {
        const size_t first = worker.next->fetch_add(width);
        if (first >= count)
            return;
        const size_t last = std::min(count, first + width);
        if (batch != nullptr)
            batch->start(static_cast<int>(last - first));
        for (size_t i = first; i < last; ++i) {
            *worker.plan = base;
            ApplyMove(scenario_, variant_, moves[i], *worker.plan);
            BuildSignalTable(scenario_, worker.plan->stages, *worker.tables);
            if (batch != nullptr)
                batch->load(static_cast<int>(i - first), *worker.tables);
            else
                twd[i] = worker.cost->totalWeightedDelay(*worker.tables);
        }
        if (batch != nullptr)
            batch->evaluate(static_cast<int>(last - first), &twd[first]);
    }
}

void MoveEvaluator::evaluate(const DecodedPlan& base, const std::vector<PlanMove>& moves,
                             size_t count, std::vector<float>& twd) {
    count = std::min(count, moves.size());
    twd.assign(count, 0.0f);
    std::atomic<size_t> next{0};
    for (auto& worker : workers_)
        worker->next = &next;
    // No more threads than runs of work: a small neighbourhood stays on this thread.
    const PlanBatch* batch = workers_.front()->cost->batch();
    const size_t width = batch != nullptr ? static_cast<size_t>(batch->capacity()) : 1;
    const size_t runs = (count + width - 1) / width;
    const size_t helpers = std::min(workers_.size(), std::max<size_t>(runs, 1)) - 1;
    std::vector<std::exception_ptr> failures(helpers + 1);
    pool_.run(helpers + 1, [&](size_t w) {
        try {
            run(*workers_[w], base, moves, count, twd);
        } catch (...) {
            failures[w] = std::current_exception();
        }
    });
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

}  // namespace talvo
