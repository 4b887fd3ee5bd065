#include "optimiser/WebsterVolumes.h"

#include <algorithm>

namespace talvo {

WebsterVolumes::WebsterVolumes(const Scenario& scenario, const TimeTables& tables, int32_t timeStep,
                               int32_t stepCount, size_t storedValues)
    : scenario_(scenario),
      tables_(tables),
      timeStep_(std::max<int32_t>(timeStep, 1)),
      stepCount_(stepCount),
      lastSecond_(std::min(scenario.endSimulationStep, tables.lastTime())),
      readSteps_(lastSecond_ < 0 ? 0
                                 : size_t(std::max<int32_t>(
                                       0, std::min(stepCount_, lastSecond_ / timeStep_ + 1)))),
      storedValues_(storedValues),
      movements_(scenario.signalNumbers.size()) {
    for (size_t m = 0; m < movements_.size(); ++m) {
        for (int c = 1; c <= scenario.numCells; ++c) {
            if (scenario.cells[c].signalID == scenario.signalNumbers[m]) {
                movements_[m].cells.push_back(c);
            }
        }
    }
    beginPass();
}

void WebsterVolumes::beginPass() {
    running_.assign(movements_.size(), 0);
    kept_.clear();
    nextSecond_ = 0;
    size_t room = storedValues_;
    for (size_t m = 0; m < movements_.size(); ++m) {
        const Movement& movement = movements_[m];
        if (movement.next >= movement.cells.size()) {
            continue;
        }
        running_[m] = movement.cells[movement.next];
        for (size_t i = movement.next + 1; i < movement.cells.size() && readSteps_ <= room; ++i) {
            room -= readSteps_;
            kept_.push_back({m, movement.cells[i], {}});
            kept_.back().steps.reserve(readSteps_);
        }
    }
}

float WebsterVolumes::term(int cell, int32_t t, float inflow) const {
    const bool fromRun = scenario_.timeStep <= 1 || t % scenario_.timeStep == 0;
    return (fromRun ? inflow : tables_.x(cell, t)) / scenario_.cells[cell].laneNum;
}

void WebsterVolumes::record(const NetworkStepper& stepper) {
    const int32_t k = stepper.stepIndex();
    if (k > 0) {
        take(k, stepper.inflows());
    }
}

void WebsterVolumes::take(int32_t k, const float* previousInflows) {
    if (k < 1 || k > stepCount_) {
        return;
    }
    const int32_t start = (k - 1) * timeStep_;
    // The seconds before the step start are no step start of the run: inflow 0.
    for (; nextSecond_ <= lastSecond_ && nextSecond_ <= start; ++nextSecond_) {
        const int32_t t = nextSecond_;
        for (size_t m = 0; m < running_.size(); ++m) {
            const int c = running_[m];
            if (c != 0) {
                movements_[m].volume += term(c, t, t == start ? previousInflows[c] : 0.0f);
            }
        }
    }
    if (size_t(k - 1) < readSteps_) {
        for (Kept& kept : kept_) {
            kept.steps.push_back(previousInflows[kept.cell]);
        }
    }
}

bool WebsterVolumes::finishPass() {
    for (size_t m = 0; m < running_.size(); ++m) {
        const int c = running_[m];
        if (c == 0) {
            continue;
        }
        for (int32_t t = nextSecond_; t <= lastSecond_; ++t) {
            movements_[m].volume += term(c, t, 0.0f);
        }
        ++movements_[m].next;
    }
    for (const Kept& kept : kept_) {
        float& volume = movements_[kept.movement].volume;
        for (int32_t t = 0; t <= lastSecond_; ++t) {
            const size_t step = size_t(t / timeStep_);
            const bool stepStart = t % timeStep_ == 0 && step < kept.steps.size();
            volume += term(kept.cell, t, stepStart ? kept.steps[step] : 0.0f);
        }
        ++movements_[kept.movement].next;
    }
    const bool more = std::any_of(movements_.begin(), movements_.end(),
                                  [](const Movement& m) { return m.next < m.cells.size(); });
    if (more) {
        beginPass();
    } else {
        running_.clear();
        kept_.clear();
    }
    return more;
}

std::vector<float> WebsterVolumes::volumes() const {
    std::vector<float> volumes;
    volumes.reserve(movements_.size());
    for (const Movement& movement : movements_) {
        volumes.push_back(movement.volume);
    }
    return volumes;
}

}  // namespace talvo
