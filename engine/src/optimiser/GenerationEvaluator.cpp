#include "optimiser/GenerationEvaluator.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace talvo {

GenerationEvaluator::GenerationEvaluator(const Scenario& scenario, const PlanCostFactory& makeCost,
                                         unsigned threadCount)
    : scenario_(scenario) {
    if (threadCount == 0)
        threadCount = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned w = 0; w < threadCount; ++w) {
        auto worker = std::make_unique<Worker>();
        worker->cost = makeCost();
        workers_.push_back(std::move(worker));
    }
}

GenerationEvaluator::~GenerationEvaluator() = default;

void GenerationEvaluator::evaluate(const ChromosomeLayout& layout,
                                   const std::vector<Individual>& population,
                                   std::vector<float>& twd) {
    const size_t size = population.size();
    twd.resize(size);
    std::atomic<size_t> nextIndividual{0};
    const size_t workerCount = std::min(workers_.size(), size);
    std::vector<std::exception_ptr> failure(workerCount);

    auto work = [&](size_t w) {
        Worker& worker = *workers_[w];
        PlanBatch* batch = worker.cost->batch();
        // A batch cost takes as many individuals at a time as it has slots.
        const size_t claim = batch != nullptr ? size_t(batch->capacity()) : 1;
        try {
            for (size_t first = nextIndividual.fetch_add(claim); first < size;
                 first = nextIndividual.fetch_add(claim)) {
                const size_t count = std::min(claim, size - first);
                for (size_t k = 0; k < count; ++k) {
                    DecodeIndividual(scenario_, layout, population[first + k], *worker.plan,
                                     *worker.tables);
                    if (batch == nullptr) {
                        twd[first] = worker.cost->totalWeightedDelay(*worker.tables);
                    } else {
                        batch->load(int(k), *worker.tables);
                    }
                }
                if (batch != nullptr) {
                    batch->evaluate(int(count), &twd[first]);
                }
            }
        } catch (...) {
            failure[w] = std::current_exception();
            nextIndividual = size;  // the others stop at their next individual
        }
    };

    std::vector<std::thread> helpers;
    for (size_t w = 1; w < workerCount; ++w)
        helpers.emplace_back(work, w);
    if (workerCount > 0)
        work(0);
    for (std::thread& helper : helpers)
        helper.join();
    for (const std::exception_ptr& error : failure) {
        if (error)
            std::rethrow_exception(error);
    }
}

}  // namespace talvo
