#include "optimiser/GenerationEvaluator.h"

#include <algorithm>
#include <thread>

namespace talvo {

namespace {

size_t BatchesOf(size_t individuals, size_t batchSize) {
    return (individuals + batchSize - 1) / batchSize;
}

}  // namespace

GenerationEvaluator::GenerationEvaluator(const Scenario& scenario, const PlanCostFactory& makeCost,
                                         unsigned threadCount)
    : scenario_(scenario) {
    if (threadCount == 0)
        threadCount = std::max(1u, std::thread::hardware_concurrency());
    auto first = std::make_unique<Worker>();
    first->cost = makeCost();
    const PlanBatch* batch = first->cost->batch();
    batchSize_ = batch != nullptr ? size_t(std::max(1, batch->capacity())) : 1;
    workers_.push_back(std::move(first));
    const size_t population = size_t(std::max(scenario.populationSize, 1));
    const size_t wanted = std::min(size_t(threadCount), BatchesOf(population, batchSize_));
    while (workers_.size() < wanted) {
        auto worker = std::make_unique<Worker>();
        worker->cost = makeCost();
        workers_.push_back(std::move(worker));
    }
    pool_ = std::make_unique<WorkerPool>(workers_.size());
}

GenerationEvaluator::~GenerationEvaluator() = default;

void GenerationEvaluator::claimBatches(Worker& worker) {
    PlanBatch* batch = worker.cost->batch();
    const Job& job = job_;
    try {
        for (size_t b = nextBatch_.fetch_add(1); b < batches_.size(); b = nextBatch_.fetch_add(1)) {
            const Batch& claimed = batches_[b];
            if (batch != nullptr)
                batch->start(claimed.count);
            for (int k = 0; k < claimed.count; ++k) {
                const size_t i = claimed.first + size_t(k);
                DecodeIndividual(scenario_, *job.layout, (*job.population)[i], *worker.plan,
                                 *worker.tables);
                if (batch == nullptr) {
                    job.twd[i] = worker.cost->totalWeightedDelay(*worker.tables);
                } else {
                    batch->load(k, *worker.tables);
                }
            }
            if (batch != nullptr)
                batch->evaluate(claimed.count, job.twd + claimed.first);
        }
    } catch (...) {
        worker.failure = std::current_exception();
        nextBatch_ = batches_.size();  // the others stop at their next batch
    }
}

void GenerationEvaluator::evaluate(const ChromosomeLayout& layout,
                                   const std::vector<Individual>& population,
                                   std::vector<float>& twd,
                                   const std::function<void()>& alongside) {
    const size_t size = population.size();
    twd.resize(size);
    if (size == 0)
        return;
    batches_.clear();
    for (size_t first = 0; first < size; first += batchSize_)
        batches_.push_back({first, int(std::min(batchSize_, size - first))});
    nextBatch_ = 0;
    job_ = {&layout, &population, twd.data()};
    for (const auto& worker : workers_)
        worker->failure = nullptr;

    pool_->run(workers_.size(), [&](size_t w) {
        if (alongside && w + 1 == workers_.size())
            alongside();
        claimBatches(*workers_[w]);
    });
    for (const auto& worker : workers_) {
        if (worker->failure)
            std::rethrow_exception(worker->failure);
    }
}

}  // namespace talvo
