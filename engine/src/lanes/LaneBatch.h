#pragma once
// What a lane kernel works on: the network compiled for lanes and the delay sums of the
// scenario, the batch's signal states, and the working rows (one float per lane and
// cell) of one run.

#include <cstdint>

#include "Delay.h"
#include "FlowNetwork.h"
#include "Scenario.h"
#include "lanes/AlignedRows.h"
#include "lanes/LaneProgram.h"
#include "lanes/LaneSignals.h"

namespace talvo {

// How far a batch runs: to the last step the delay period sums (the optimiser's
// evaluations), or every step to endSimulationStep (the full run, one lane, step by step).
enum class Horizon { DelayPeriod, WholeRun };

struct LaneBatch {
    // Throws EngineError when the scenario cannot be simulated (see CheckSimulationInput).
    LaneBatch(const Scenario& scenario, const TimeTables& inputs, int width,
              Horizon horizon = Horizon::DelayPeriod);

    const int width;
    const TimeTables& inputs;  // occupancies at second 0 and the loadings
    const FlowNetwork network;
    const DelayLayout delay;
    const LaneProgram program;
    const int32_t lastStep;  // the run's last step (time / timeStep)
    LaneSignals signals;
    // Working rows, numCells + 1 each (row 0: the empty "no cell"). The step updates the
    // occupancies in place: a cell's next occupancy reads only its own.
    AlignedRows<float> occupancy, outflow;
    // What a whole run keeps of each step besides: inflows and delay vehicles (one row
    // when the batch runs the delay period only).
    AlignedRows<float> inflow, delayVehicles;
    // Results of the last run, one row per approach (1..numApproaches) and one for the TWD.
    AlignedRows<float> approachDelaySteps, approachDelaySeconds, totalWeightedDelay;
};

}  // namespace talvo
