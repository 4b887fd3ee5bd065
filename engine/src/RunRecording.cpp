#include "RunRecording.h"

namespace talvo {

RunRecording::RunRecording(const NetworkStepper& stepper, const std::vector<int>& cells,
                           unsigned series)
    : RunRecording(stepper.numCells(), stepper.timeStep(), stepper.stepCount(), cells, series) {}

RunRecording::RunRecording(int numCells, int32_t timeStep, int32_t stepCount,
                           const std::vector<int>& cells, unsigned series)
    : timeStep_(timeStep), stepCount_(stepCount), slotOf_(size_t(numCells) + 1, -1) {
    for (const int c : cells) {
        if (c >= 1 && c <= numCells && slotOf_[size_t(c)] < 0) {
            slotOf_[size_t(c)] = int(cells_.size());
            cells_.push_back(c);
        }
    }
    const size_t width = cells_.size();
    const size_t steps = size_t(stepCount_);
    if (series & kOccupancy) {
        occupancy_.assign(width * (steps + 1), 0.0f);
    }
    if (series & kOutflow) {
        outflow_.assign(width * steps, 0.0f);
    }
    if (series & kInflow) {
        inflow_.assign(width * steps, 0.0f);
    }
    if (series & kDelayVehicles) {
        delayVehicles_.assign(width * steps, 0.0f);
    }
}

void RunRecording::keep(std::vector<float>& series, const float* row, int32_t step) {
    if (series.empty()) {
        return;
    }
    float* out = series.data() + size_t(step) * cells_.size();
    for (const int c : cells_) {
        *out++ = row[c];
    }
}

void RunRecording::record(const NetworkStepper& stepper) {
    const int32_t k = stepper.stepIndex();
    keep(occupancy_, stepper.occupancies(), k);
    if (k > 0) {
        keep(outflow_, stepper.outflows(), k - 1);
        keep(inflow_, stepper.inflows(), k - 1);
        keep(delayVehicles_, stepper.delayVehicles(), k - 1);
    }
}

void RunRecording::put(Series series, int cell, int32_t t, float value) {
    std::vector<float>& values = series == kOccupancy ? occupancy_
                                 : series == kOutflow ? outflow_
                                 : series == kInflow  ? inflow_
                                                      : delayVehicles_;
    const int32_t steps = series == kOccupancy ? stepCount_ + 1 : stepCount_;
    if (values.empty() || cell < 1 || size_t(cell) >= slotOf_.size() || slotOf_[size_t(cell)] < 0 ||
        t < 0 || t % timeStep_ != 0 || t / timeStep_ >= steps) {
        return;
    }
    values[size_t(t / timeStep_) * cells_.size() + size_t(slotOf_[size_t(cell)])] = value;
}

float RunRecording::at(const std::vector<float>& series, int cell, int32_t t, int32_t steps) const {
    if (series.empty() || cell < 0 || size_t(cell) >= slotOf_.size() || slotOf_[size_t(cell)] < 0 ||
        t < 0 || t % timeStep_ != 0 || t / timeStep_ >= steps) {
        return 0.0f;
    }
    return series[size_t(t / timeStep_) * cells_.size() + size_t(slotOf_[size_t(cell)])];
}

DelayResults RunToEnd(NetworkStepper& stepper, RunRecording* recording) {
    stepper.reset();
    if (recording != nullptr) {
        recording->record(stepper);
    }
    while (!stepper.finished()) {
        stepper.step();
        if (recording != nullptr) {
            recording->record(stepper);
        }
    }
    return stepper.delays();
}

}  // namespace talvo
