#include "NetworkStepper.h"

#include <algorithm>
#include <stdexcept>

#include "lanes/LaneBatch.h"
#include "lanes/LaneDelayEvaluator.h"
#include "lanes/LaneKernels.h"

namespace talvo {

NetworkStepper::NetworkStepper(const Scenario& scenario, const TimeTables& inputs,
                               const SignalTables& plan)
    : batch_(std::make_unique<LaneBatch>(scenario, inputs, 1, Horizon::WholeRun)) {
    batch_->signals.load(0, plan);
    reset();
}

NetworkStepper::~NetworkStepper() = default;

void NetworkStepper::reset() {
    StartLaneRun(*batch_);
    const size_t row = size_t(numCells()) + 1;
    std::fill(batch_->outflow.row(0), batch_->outflow.row(0) + row, 0.0f);
    std::fill(batch_->inflow.row(0), batch_->inflow.row(0) + row, 0.0f);
    std::fill(batch_->delayVehicles.row(0), batch_->delayVehicles.row(0) + row, 0.0f);
    step_ = 0;
}

void NetworkStepper::step() {
    if (finished()) {
        throw std::logic_error("the run's last step is done");
    }
    StepLaneRun(*batch_, step_);
    ++step_;
}

bool NetworkStepper::finished() const {
    return step_ >= stepCount();
}

int32_t NetworkStepper::time() const {
    return step_ * batch_->network.timeStep;
}

int32_t NetworkStepper::stepCount() const {
    return batch_->network.stepCount;
}

int32_t NetworkStepper::timeStep() const {
    return batch_->network.timeStep;
}

int NetworkStepper::numCells() const {
    return batch_->network.numCells;
}

const float* NetworkStepper::occupancies() const {
    return batch_->occupancy.row(0);
}

const float* NetworkStepper::outflows() const {
    return batch_->outflow.row(0);
}

const float* NetworkStepper::inflows() const {
    return batch_->inflow.row(0);
}

const float* NetworkStepper::delayVehicles() const {
    return batch_->delayVehicles.row(0);
}

const float* NetworkStepper::signalStates() const {
    return batch_->signals.greenRow(0);
}

int NetworkStepper::numSignalSlots() const {
    return batch_->signals.numSlots();
}

void NetworkStepper::overrideSignal(int record, SignalOverride mode) {
    batch_->signals.override(record, mode);
}

DelayResults NetworkStepper::delays() const {
    FinishLaneRun(*batch_);
    DelayResults results;
    LaneDelays(*batch_, 0, results);
    return results;
}

}  // namespace talvo
