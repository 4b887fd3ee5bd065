#pragma once
// The TWD of a batch of plans at once, one plan per SIMD lane, each lane giving its plan
// exactly the delays it has alone. Holds its own working rows, so one evaluator per thread.

#include <memory>

#include "Delay.h"
#include "Scenario.h"
#include "SignalControl.h"
#include "lanes/LaneKernels.h"

namespace talvo {

class LaneDelayEvaluator {
  public:
    // `inputs` as for DelayEvaluator: read, never written, must outlive the evaluator.
    // Throws EngineError when the scenario cannot be simulated (see CheckSimulationInput).
    LaneDelayEvaluator(const Scenario& scenario, const TimeTables& inputs,
                       const LaneKernel& kernel);
    ~LaneDelayEvaluator();
    LaneDelayEvaluator(const LaneDelayEvaluator&) = delete;
    LaneDelayEvaluator& operator=(const LaneDelayEvaluator&) = delete;

    // Plans per batch.
    int width() const { return kernel_.width; }
    const char* kernelName() const { return kernel_.name; }

    // Takes the plan of `lane` (0..width-1) for the next evaluate; `tables` may change
    // afterwards.
    void load(int lane, const SignalTables& tables);

    // twd[k] := the TWD of the plan loaded into lane k, for k < count (1..width); the
    // other lanes run red and are not reported. With `results`, results[k] gets lane k's
    // approach delays as well.
    void evaluate(int count, float* twd, DelayResults* results = nullptr);

  private:
    LaneKernel kernel_;
    std::unique_ptr<LaneBatch> batch_;
};

// The delays of `lane` from the result rows of the batch's last run.
void LaneDelays(const LaneBatch& batch, int lane, DelayResults& results);

}  // namespace talvo
