#include "Delay.h"

#include "lanes/LaneDelayEvaluator.h"
#include "lanes/LaneKernels.h"

namespace talvo {

int32_t DelayStepCount(const Scenario& s) {
    if (s.timeStep < 1) {
        return 0;
    }
    const int32_t count = (s.endStep - s.startStep + s.timeStep) / s.timeStep;
    return count > 0 ? count : 0;
}

DelayLayout MakeDelayLayout(const Scenario& s) {
    DelayLayout layout;
    layout.numApproaches = s.numApproaches;
    layout.approaches.resize(size_t(s.numApproaches) + 1);
    for (int a = 1; a <= s.numApproaches; ++a) {
        DelayLayout::Approach& approach = layout.approaches[size_t(a)];
        approach.weight = s.approaches[a].weight;
        for (int m = 1; m <= s.maxGroupCells; ++m) {
            const int c = s.approaches[a].cells[m];
            if (c != 0) {
                approach.cells.push_back(c);
            }
        }
    }
    layout.firstStep = s.startStep / s.timeStep;
    layout.lastStep = layout.firstStep + DelayStepCount(s) - 1;
    return layout;
}

DelayEvaluator::DelayEvaluator(const Scenario& s, const TimeTables& inputs)
    : lane_(std::make_unique<LaneDelayEvaluator>(s, inputs, WidestLaneKernel(1))) {}

DelayEvaluator::~DelayEvaluator() = default;

float DelayEvaluator::evaluate(const SignalTables& tables) {
    DelayResults results;
    return evaluate(tables, results);
}

float DelayEvaluator::evaluate(const SignalTables& tables, DelayResults& results) {
    lane_->load(0, tables);
    float twd = 0;
    lane_->evaluate(1, &twd, &results);
    return twd;
}

}  // namespace talvo
