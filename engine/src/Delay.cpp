#include "Delay.h"

#include <utility>

#include "FlowStep.h"

namespace talvo {

int32_t DelayStepCount(const Scenario& s) {
    if (s.timeStep < 1) {
        return 0;
    }
    const int32_t count = (s.endStep - s.startStep + s.timeStep) / s.timeStep;
    return count > 0 ? count : 0;
}

float AggregateDelay(const Scenario& s, const TimeTables& tables, DelayResults& results) {
    results.reset(s.numApproaches);
    const int32_t count = DelayStepCount(s);
    float total = 0.0f;
    for (int a = 1; a <= s.numApproaches; ++a) {
        const Group& approach = s.approaches[a];
        float sum = 0.0f;
        for (int32_t step = 0; step < count; ++step) {
            const int32_t t = s.startStep + step * s.timeStep;
            for (int m = 1; m <= s.maxGroupCells; ++m) {
                sum += tables.D(approach.cells[m], t);
            }
        }
        results.approachDelaySteps[a] = sum;
        results.approachDelaySeconds[a] = sum * float(s.timeStep);
        total += approach.weight * results.approachDelaySeconds[a];
    }
    results.totalWeightedDelay = total;
    return total;
}

DelayLayout MakeDelayLayout(const Scenario& s) {
    DelayLayout layout;
    layout.numApproaches = s.numApproaches;
    layout.approaches.resize(size_t(s.numApproaches) + 1);
    for (int a = 1; a <= s.numApproaches; ++a) {
        DelayLayout::Approach& approach = layout.approaches[a];
        approach.weight = s.approaches[a].weight;
        for (int m = 1; m <= s.maxGroupCells; ++m) {
            const int c = s.approaches[a].cells[m];
            if (c != 0) {
                approach.cells.push_back(c);
                ++approach.numCells;
            }
        }
    }
    layout.firstStep = s.startStep / s.timeStep;
    layout.lastStep = layout.firstStep + DelayStepCount(s) - 1;
    return layout;
}

DelayEvaluator::DelayEvaluator(const Scenario& s, const TimeTables& inputs) : inputs_(inputs) {
    BuildFlowNetwork(s, network_);
    delay_ = MakeDelayLayout(s);
    const size_t row = size_t(network_.numCells) + 1;
    occupancyA_.assign(row, 0.0f);
    occupancyB_.assign(row, 0.0f);
    outflow_.assign(row, 0.0f);
    inflow_.assign(row, 0.0f);
    green_.assign(size_t(network_.signalSlots), 0);
}

float DelayEvaluator::evaluate(const SignalTables& tables) {
    DelayResults results;
    return evaluate(tables, results);
}

float DelayEvaluator::evaluate(const SignalTables& tables, DelayResults& results) {
    results.reset(delay_.numApproaches);
    const FlowNetwork& net = network_;
    const int32_t dt = net.timeStep;
    float* n = occupancyA_.data();
    float* next = occupancyB_.data();
    for (int i = 0; i <= net.numCells; ++i) {
        n[i] = inputs_.n(i, 0);
    }
    n[0] = 0.0f;
    outflow_[0] = 0.0f;

    SignalClock clock(net);
    clock.reset();
    for (int32_t step = 0; step <= delay_.lastStep; ++step) {
        const int32_t t = step * dt;
        for (int u = 0; u < net.numInputCells; ++u) {
            const int c = net.inputCells[u];
            inflow_[c] = inputs_.x(c, t);
        }
        clock.statesAt(tables, t, green_.data());
        ComputeOutflows(net, green_.data(), n, outflow_.data());
        if (step >= delay_.firstStep) {
            for (int a = 1; a <= delay_.numApproaches; ++a) {
                const DelayLayout::Approach& approach = delay_.approaches[a];
                float sum = results.approachDelaySteps[a];
                for (int m = 0; m < approach.numCells; ++m) {
                    sum += DelayVehicles(net, approach.cells[m], n, outflow_.data());
                }
                results.approachDelaySteps[a] = sum;
            }
        }
        if (step == delay_.lastStep) {
            break;  // nothing later is summed
        }
        ComputeInflows(net, outflow_.data(), inflow_.data());
        UpdateOccupancy(net, n, inflow_.data(), outflow_.data(), next);
        std::swap(n, next);
    }

    float total = 0.0f;
    for (int a = 1; a <= delay_.numApproaches; ++a) {
        results.approachDelaySeconds[a] = results.approachDelaySteps[a] * float(dt);
        total += delay_.approaches[a].weight * results.approachDelaySeconds[a];
    }
    results.totalWeightedDelay = total;
    return total;
}

}  // namespace talvo
