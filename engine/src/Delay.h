#pragma once
// Total weighted delay (TWD): the vehicles that stay in the approaches' cells during the
// delay period, summed per approach, converted to vehicle-seconds and weighted.

#include <vector>

#include "FlowNetwork.h"
#include "Scenario.h"
#include "SignalControl.h"

namespace talvo {

struct DelayResults {
    std::vector<float> approachDelaySteps;    // vehicle-steps, 1..numApproaches
    std::vector<float> approachDelaySeconds;  // vehicle-seconds, 1..numApproaches
    float totalWeightedDelay = 0;             // weighted vehicle-seconds

    // Zeros every sum for approaches 1..numApproaches, keeping the storage.
    void reset(int numApproaches) {
        approachDelaySteps.assign(size_t(numApproaches) + 1, 0.0f);
        approachDelaySeconds.assign(size_t(numApproaches) + 1, 0.0f);
        totalWeightedDelay = 0;
    }
};

// The number of delay-period steps summed: (endStep - startStep + timeStep) div timeStep,
// none when the period is empty.
int32_t DelayStepCount(const Scenario& scenario);

// Sums delayVehicles over each approach's cells and the delay period's steps (approach by
// approach, step by step, place by place) and returns the TWD.
float AggregateDelay(const Scenario& scenario, const TimeTables& tables, DelayResults& results);

// What the lean evaluators need of the delay sums: each approach's weight and its cells
// (empty places left out: they add the zero of "no cell", which changes no sum) and the
// step numbers (time / timeStep) of the first and last step the delay period sums.
struct DelayLayout {
    struct Approach {
        float weight = 0;
        int numCells = 0;
        std::vector<int> cells;  // numCells of them
    };
    int numApproaches = 0;
    std::vector<Approach> approaches = std::vector<Approach>(1);  // 1..numApproaches
    int32_t firstStep = 0;
    int32_t lastStep = -1;  // below firstStep when the period is empty
};

// Expects a scenario that passed CheckSimulationInput.
DelayLayout MakeDelayLayout(const Scenario& scenario);

// The TWD of a signal plan without keeping the time tables: one rolling row per table,
// each approach's delay summed while stepping (in the same order as AggregateDelay), and
// the run stopped at the last step the delay period reads. Gives exactly the TWD that
// SimulateNetwork returns. Holds its own working rows, so one evaluator per thread.
class DelayEvaluator {
  public:
    // `inputs` supplies the initial occupancies (second 0) and the loadings of the cells
    // no other cell feeds; it is read, never written, and must outlive the evaluator.
    // SimulateNetwork on the same tables writes none of what is read here, so evaluators
    // on several threads may share them with each other and with a full run.
    // Throws EngineError when the scenario cannot be simulated (see CheckSimulationInput).
    DelayEvaluator(const Scenario& scenario, const TimeTables& inputs);

    float evaluate(const SignalTables& tables);
    float evaluate(const SignalTables& tables, DelayResults& results);

  private:
    const TimeTables& inputs_;
    FlowNetwork network_;
    DelayLayout delay_;
    std::vector<float> occupancyA_, occupancyB_, outflow_, inflow_;  // cells 0..numCells
    std::vector<int32_t> green_;                                     // by record number
};

}  // namespace talvo
