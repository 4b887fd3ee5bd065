#include "lanes/LaneDelayEvaluator.h"

#include <stdexcept>
#include <string>

#include "lanes/LaneBatch.h"

namespace talvo {

LaneDelayEvaluator::LaneDelayEvaluator(const Scenario& scenario, const TimeTables& inputs,
                                       const LaneKernel& kernel)
    : kernel_(kernel), batch_(std::make_unique<LaneBatch>(scenario, inputs, kernel.width)) {}

LaneDelayEvaluator::~LaneDelayEvaluator() = default;

void LaneDelayEvaluator::load(int lane, const SignalTables& tables) {
    if (lane < 0 || lane >= width()) {
        throw std::out_of_range("lane " + std::to_string(lane) + " of a batch of " +
                                std::to_string(width()));
    }
    batch_->signals.load(lane, tables);
}

void LaneDelayEvaluator::evaluate(int count, float* twd, DelayResults* results) {
    if (count < 1 || count > width()) {
        throw std::out_of_range(std::to_string(count) + " plans for a batch of " +
                                std::to_string(width()));
    }
    for (int lane = count; lane < width(); ++lane) {
        batch_->signals.clear(lane);
    }
    kernel_.run(*batch_);
    for (int k = 0; k < count; ++k) {
        twd[k] = batch_->totalWeightedDelay.row(0)[k];
        if (results != nullptr) {
            LaneDelays(*batch_, k, results[k]);
        }
    }
}

void LaneDelays(const LaneBatch& batch, int lane, DelayResults& results) {
    results.reset(batch.delay.numApproaches);
    for (int a = 1; a <= batch.delay.numApproaches; ++a) {
        results.approachDelaySteps[size_t(a)] = batch.approachDelaySteps.row(a)[lane];
        results.approachDelaySeconds[size_t(a)] = batch.approachDelaySeconds.row(a)[lane];
    }
    results.totalWeightedDelay = batch.totalWeightedDelay.row(0)[lane];
}

}  // namespace talvo
