#pragma once
// Total weighted delay (TWD): the vehicles that stay in the approaches' cells during the
// delay period, summed per approach, converted to vehicle-seconds and weighted. The sums
// are formed by the simulation step itself (lanes/LaneKernels.cpp).

#include <array>
#include <memory>
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

// What the delay sums read: each approach's weight and its cells (empty places left out:
// they add the zero of "no cell", which changes no sum) and the step numbers
// (time / timeStep) of the first and last step the delay period sums. Each approach sums
// step by step, place by place.
struct DelayLayout {
    struct Approach {
        float weight = 0;
        std::vector<int> cells;
    };
    int numApproaches = 0;
    std::vector<Approach> approaches;  // 1..numApproaches (0 unused)
    int32_t firstStep = 0;
    int32_t lastStep = -1;  // below firstStep when the period is empty
};

// Expects a scenario that passed CheckSimulationInput.
DelayLayout MakeDelayLayout(const Scenario& scenario);

class LaneDelayEvaluator;

// The TWD of one signal plan without keeping the time tables: the simulation step at one
// lane, stopped at the last step the delay period reads. Gives exactly the TWD that
// SimulateNetwork returns. Holds its own working rows, so one evaluator per thread.
class DelayEvaluator {
  public:
    // `inputs` supplies the initial occupancies (second 0) and the loadings of the cells
    // no other cell feeds; it is read, never written, and must outlive the evaluator.
    // SimulateNetwork on the same tables writes none of what is read here, so evaluators
    // on several threads may share them with each other and with a full run.
    // Throws EngineError when the scenario cannot be simulated (see CheckSimulationInput).
    DelayEvaluator(const Scenario& scenario, const TimeTables& inputs);
    ~DelayEvaluator();
    DelayEvaluator(const DelayEvaluator&) = delete;
    DelayEvaluator& operator=(const DelayEvaluator&) = delete;

    float evaluate(const SignalTables& tables);
    float evaluate(const SignalTables& tables, DelayResults& results);

  private:
    std::unique_ptr<LaneDelayEvaluator> lane_;
};

}  // namespace talvo
