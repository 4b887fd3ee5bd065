#include "optimiser/DelayCosts.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "EngineError.h"
#include "lanes/LaneDelayEvaluator.h"
#include "lanes/LaneKernels.h"

namespace talvo {

namespace {

// The TWD in the lanes of the widest kernel allowed; a batch of fewer plans runs on the
// narrowest kernel that holds them, so that a generation's last, partly filled batch
// costs less. Every width gives each plan the same delays.
class LaneDelay : public PlanCost, public PlanBatch {
  public:
    LaneDelay(const Scenario& scenario, const TimeTables& inputs, int maxLanes)
        : scenario_(scenario), inputs_(inputs), kernels_(OfferedLaneKernels(maxLanes)) {
        evaluators_.resize(kernels_.size());
        current_ = evaluator(0);
    }
    float totalWeightedDelay(const SignalTables& tables) override {
        float twd = 0;
        start(1);
        load(0, tables);
        evaluate(1, &twd);
        return twd;
    }
    PlanBatch* batch() override { return this; }
    int capacity() const override { return kernels_.front().width; }
    void start(int count) override {
        size_t k = 0;
        while (k + 1 < kernels_.size() && kernels_[k + 1].width >= count) {
            ++k;
        }
        current_ = evaluator(k);
    }
    void load(int slot, const SignalTables& tables) override { current_->load(slot, tables); }
    void evaluate(int count, float* twd) override { current_->evaluate(count, twd); }

  private:
    LaneDelayEvaluator* evaluator(size_t k) {
        if (!evaluators_[k]) {
            evaluators_[k] = std::make_unique<LaneDelayEvaluator>(scenario_, inputs_, kernels_[k]);
        }
        return evaluators_[k].get();
    }

    const Scenario& scenario_;
    const TimeTables& inputs_;
    const std::vector<LaneKernel> kernels_;                        // widest first
    std::vector<std::unique_ptr<LaneDelayEvaluator>> evaluators_;  // made when first used
    LaneDelayEvaluator* current_ = nullptr;
};

}  // namespace

int LanesFromEnvironment() {
    const char* value = std::getenv("TALVO_LANES");
    if (value == nullptr || *value == '\0') {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const long lanes = std::strtol(value, &end, 10);
    if (*end != '\0' || lanes < 1) {
        throw EngineError(std::string("TALVO_LANES is \"") + value +
                          "\", expected a whole number of at least 1");
    }
    return errno == ERANGE || lanes > INT_MAX ? INT_MAX : int(lanes);
}

PlanCostFactory DelayCosts(const Scenario& scenario, const TimeTables& inputs, int maxLanes) {
    return [&scenario, &inputs, maxLanes] {
        return std::make_unique<LaneDelay>(scenario, inputs, maxLanes);
    };
}

}  // namespace talvo
