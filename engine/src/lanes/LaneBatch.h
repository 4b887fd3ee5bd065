#pragma once
// What a lane kernel works on: the network compiled for lanes and the delay sums of the
// scenario, the batch's signal states, and the working rows (one float per lane and
// cell) of one run.

#include "Delay.h"
#include "FlowNetwork.h"
#include "Scenario.h"
#include "lanes/AlignedRows.h"
#include "lanes/LaneProgram.h"
#include "lanes/LaneSignals.h"

namespace talvo {

struct LaneBatch {
    // Throws EngineError when the scenario cannot be simulated (see CheckSimulationInput).
    LaneBatch(const Scenario& scenario, const TimeTables& inputs, int width);

    const int width;
    const TimeTables& inputs;  // occupancies at second 0 and the loadings
    const FlowNetwork network;
    const DelayLayout delay;
    const LaneProgram program;
    LaneSignals signals;
    // Working rows, numCells + 1 each (row 0: the empty "no cell"). The step updates the
    // occupancies in place: a cell's next occupancy reads only its own.
    AlignedRows<float> occupancy, outflow;
    // Results of the last run, one row per approach (1..20) and one for the TWD.
    AlignedRows<float> approachDelaySteps, approachDelaySeconds, totalWeightedDelay;
};

}  // namespace talvo
