#pragma once
// The network simulated one time step at a time under a signal plan, for the full run and
// for controllers outside the engine: it holds only the state of the current second (each
// cell's occupancy, the flows of the step just done, the delay summed so far), so its
// memory grows with the cells and not with the length of the run. Each step is the lane
// kernel at one lane, the same code the optimiser evaluates plans with.

#include <cstdint>
#include <memory>

#include "Delay.h"
#include "Scenario.h"
#include "SignalControl.h"
#include "lanes/LaneSignals.h"

namespace talvo {

struct LaneBatch;

class NetworkStepper {
  public:
    // `scenario` and `inputs` (occupancies at second 0, loadings) are read, never written,
    // and must outlive the stepper; `plan` is copied. Starts at second 0 (see reset).
    // Throws EngineError when the scenario cannot be simulated (see CheckSimulationInput).
    NetworkStepper(const Scenario& scenario, const TimeTables& inputs, const SignalTables& plan);
    ~NetworkStepper();
    NetworkStepper(const NetworkStepper&) = delete;
    NetworkStepper& operator=(const NetworkStepper&) = delete;

    // Back to second 0: the initial occupancies, no flows, no delay, every signal record
    // following the plan again.
    void reset();
    // Runs the step that starts at time(): afterwards occupancies() hold the vehicles at
    // its end and outflows() / inflows() what moved during it. Throws std::logic_error
    // once finished().
    void step();
    // Whether the run's last step (the one that holds endSimulationStep) is done.
    bool finished() const;

    // The second the occupancies stand at: stepIndex() x timeStep.
    int32_t time() const;
    // Steps done since reset, and in a whole run.
    int32_t stepIndex() const { return step_; }
    int32_t stepCount() const;
    int32_t timeStep() const;
    int numCells() const;

    // Per cell 1..numCells (index 0: the empty "no cell", always 0), numCells() + 1
    // contiguous values, valid until the next step or reset: the vehicles in each cell
    // now, and the vehicles that left / entered each cell during the last step (0 before
    // the first).
    const float* occupancies() const;
    const float* outflows() const;
    const float* inflows() const;
    // The vehicles that stayed in each cell during the last step: what it adds to the delay
    // of an approach the cell belongs to (0 for destinations and before the first step).
    const float* delayVehicles() const;

    // Signal states (1 green, 0 red) the next step runs under, by record number
    // 0..numSignalSlots()-1, contiguous. Records that gate no cell read 0.
    const float* signalStates() const;
    int numSignalSlots() const;
    // Makes signal record `record` green or red from the next step on, or lets it follow
    // the plan again, until changed or reset. A record that gates no cell is ignored.
    void overrideSignal(int record, SignalOverride mode);

    // Each approach's delay and the TWD from the steps of the delay period done so far; at
    // the end of the run, the delays SimulateNetwork gives.
    DelayResults delays() const;

  private:
    std::unique_ptr<LaneBatch> batch_;
    int32_t step_ = 0;
};

}  // namespace talvo
