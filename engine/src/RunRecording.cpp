#include "RunRecording.h"

#include <algorithm>

namespace talvo {

RunRecording::RunRecording(const NetworkStepper& stepper, const std::vector<int>& cells,
                           unsigned series, int32_t firstStep, int32_t lastStep)
    : RunRecording(stepper.numCells(), stepper.timeStep(), stepper.stepCount(), cells, series,
                   firstStep, lastStep) {}

RunRecording::RunRecording(int numCells, int32_t timeStep, int32_t stepCount,
                           const std::vector<int>& cells, unsigned series, int32_t firstStep,
                           int32_t lastStep)
    : timeStep_(timeStep),
      stepCount_(stepCount),
      firstStep_(std::max<int32_t>(firstStep, 0)),
      lastStep_(std::min(lastStep, stepCount)),
      slotOf_(size_t(numCells) + 1, -1) {
    for (const int c : cells) {
        if (c >= 1 && c <= numCells && slotOf_[size_t(c)] < 0) {
            slotOf_[size_t(c)] = int(cells_.size());
            cells_.push_back(c);
        }
    }
    const size_t width = cells_.size();
    // Steps of the window within a series of `steps` steps.
    const auto rows = [this](int32_t steps) {
        return size_t(std::max<int32_t>(0, std::min(lastStep_, steps - 1) - firstStep_ + 1));
    };
    if (series & kOccupancy) {
        occupancy_.assign(width * rows(stepCount_ + 1), 0.0f);
    }
    if (series & kOutflow) {
        outflow_.assign(width * rows(stepCount_), 0.0f);
    }
    if (series & kInflow) {
        inflow_.assign(width * rows(stepCount_), 0.0f);
    }
    if (series & kDelayVehicles) {
        delayVehicles_.assign(width * rows(stepCount_), 0.0f);
    }
}

void RunRecording::keep(std::vector<float>& series, const float* row, int32_t step, int32_t steps) {
    if (series.empty() || step < firstStep_ || step > lastStep_ || step >= steps) {
        return;
    }
    float* out = series.data() + size_t(step - firstStep_) * cells_.size();
    for (const int c : cells_) {
        *out++ = row[c];
    }
}

void RunRecording::record(const NetworkStepper& stepper) {
    const int32_t k = stepper.stepIndex();
    keep(occupancy_, stepper.occupancies(), k, stepCount_ + 1);
    if (k > 0) {
        keep(outflow_, stepper.outflows(), k - 1, stepCount_);
        keep(inflow_, stepper.inflows(), k - 1, stepCount_);
        keep(delayVehicles_, stepper.delayVehicles(), k - 1, stepCount_);
    }
}

long RunRecording::slot(const std::vector<float>& series, int cell, int32_t t,
                        int32_t steps) const {
    if (series.empty() || cell < 0 || size_t(cell) >= slotOf_.size() || slotOf_[size_t(cell)] < 0 ||
        t < 0 || t % timeStep_ != 0 || t / timeStep_ >= steps) {
        return -1;
    }
    const int32_t step = t / timeStep_;
    if (step < firstStep_ || step > lastStep_) {
        return -1;
    }
    return long(size_t(step - firstStep_) * cells_.size() + size_t(slotOf_[size_t(cell)]));
}

void RunRecording::put(Series series, int cell, int32_t t, float value) {
    std::vector<float>& values = series == kOccupancy ? occupancy_
                                 : series == kOutflow ? outflow_
                                 : series == kInflow  ? inflow_
                                                      : delayVehicles_;
    const int32_t steps = series == kOccupancy ? stepCount_ + 1 : stepCount_;
    const long place = slot(values, cell, t, steps);
    if (place >= 0) {
        values[size_t(place)] = value;
    }
}

void RunRecording::occupancies(int cell, std::vector<float>& values) const {
    values.assign(size_t(stepCount_) + 1, 0.0f);
    if (occupancy_.empty() || cell < 0 || size_t(cell) >= slotOf_.size() ||
        slotOf_[size_t(cell)] < 0) {
        return;
    }
    const size_t width = cells_.size();
    const float* value = occupancy_.data() + size_t(slotOf_[size_t(cell)]);
    for (int32_t k = firstStep_; k <= std::min(lastStep_, stepCount_); ++k, value += width) {
        values[size_t(k)] = *value;
    }
}

float RunRecording::at(const std::vector<float>& series, int cell, int32_t t, int32_t steps) const {
    const long place = slot(series, cell, t, steps);
    return place >= 0 ? series[size_t(place)] : 0.0f;
}

DelayResults RunToEnd(NetworkStepper& stepper, const std::vector<StepRecorder*>& recorders) {
    const auto recordAll = [&] {
        for (StepRecorder* recorder : recorders) {
            if (recorder != nullptr) {
                recorder->record(stepper);
            }
        }
    };
    stepper.reset();
    recordAll();
    while (!stepper.finished()) {
        stepper.step();
        recordAll();
    }
    return stepper.delays();
}

DelayResults RunToEnd(NetworkStepper& stepper, StepRecorder* recorder) {
    return RunToEnd(stepper, std::vector<StepRecorder*>{recorder});
}

}  // namespace talvo
