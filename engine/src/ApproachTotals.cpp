#include "ApproachTotals.h"

#include "ResultTimes.h"

namespace talvo {

ApproachCounter::ApproachCounter(const Scenario& s, int32_t stepCount)
    : occupancyStep_(-1),
      inflowReads_(size_t(std::max<int32_t>(stepCount, 0)), 0),
      approaches_(size_t(s.numApproaches) + 1) {
    const int32_t ts = std::max<int32_t>(s.timeStep, 1);
    if (s.startStep >= 0 && s.startStep % ts == 0 && s.startStep / ts <= stepCount) {
        occupancyStep_ = s.startStep / ts;
    }
    for (int32_t t = s.startStep + 1; t <= s.endStep; t += ts) {
        const int32_t source = StepStartOf(s, t);
        if (source >= 0 && source % ts == 0 && source / ts < stepCount) {
            ++inflowReads_[size_t(source / ts)];
        }
    }
    for (int a = 1; a <= s.numApproaches; ++a) {
        const Group& group = s.approaches[a];
        Approach& approach = approaches_[size_t(a)];
        const auto inApproach = [&](int cell) {
            if (cell == 0) {
                return false;
            }
            for (int m = 1; m <= s.maxGroupCells; ++m) {
                if (group.cells[m] == cell) {
                    return true;
                }
            }
            return false;
        };
        for (int m = 1; m <= s.maxGroupCells; ++m) {
            const int c = group.cells[m];
            if (c >= 1 && c <= s.numCells) {
                approach.cells.push_back(c);
            }
        }
        for (int m = 1; m <= s.maxGroupCells; ++m) {
            const int c = group.cells[m];
            if (c == 0 || inApproach(s.cells[c].from1) || inApproach(s.cells[c].from2)) {
                continue;
            }
            approach.entries.push_back(c);
        }
        if (approach.entries.size() > 1) {
            approach.later.resize(approach.entries.size() - 1);
        }
    }
}

void ApproachCounter::record(const NetworkStepper& stepper) {
    const int32_t k = stepper.stepIndex();
    take(k, stepper.occupancies(), k > 0 ? stepper.inflows() : nullptr);
}

void ApproachCounter::take(int32_t k, const float* occupancies, const float* previousInflows) {
    // Adding a zero leaves a sum that started at +0 as it is, so the values never read
    // (cells outside the network, seconds off the step grid) are simply left out.
    if (k == occupancyStep_) {
        for (Approach& approach : approaches_) {
            for (const int c : approach.cells) {
                approach.total += occupancies[c];
            }
        }
    }
    if (previousInflows == nullptr || k < 1 || size_t(k - 1) >= inflowReads_.size()) {
        return;
    }
    const uint8_t reads = inflowReads_[size_t(k - 1)];
    for (uint8_t r = 0; r < reads; ++r) {
        for (Approach& approach : approaches_) {
            if (approach.entries.empty()) {
                continue;
            }
            approach.total += previousInflows[approach.entries.front()];
            for (size_t e = 1; e < approach.entries.size(); ++e) {
                approach.later[e - 1].push_back(previousInflows[approach.entries[e]]);
            }
        }
    }
}

ApproachTotals ApproachCounter::totals(const DelayResults& delay) const {
    ApproachTotals totals;
    totals.approachTotalVehicles.assign(approaches_.size(), 0.0f);
    totals.delayPerVehicle.assign(approaches_.size(), 0.0f);
    for (size_t a = 1; a < approaches_.size(); ++a) {
        float total = approaches_[a].total;
        for (const std::vector<float>& inflows : approaches_[a].later) {
            for (const float x : inflows) {
                total += x;
            }
        }
        totals.approachTotalVehicles[a] = total;
        totals.delayPerVehicle[a] = total != 0.0f ? delay.approachDelaySeconds[a] / total : 0.0f;
    }
    return totals;
}

}  // namespace talvo
