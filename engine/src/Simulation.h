#pragma once
// One CTM run from second 0 to endSimulationStep under the loaded signal tables: the
// simulation step at one lane, filling occupancy, outflow, inflow and delayVehicles for
// every step, and returning the TWD.

#include "Delay.h"
#include "Scenario.h"
#include "SignalControl.h"

namespace talvo {

// Runs every step (four passes over the cells: outflows, delay vehicles, inflows,
// occupancies) with the delay sums. Reads n(c, 0) and the loadings from `tables` and
// overwrites the rest of the step rows; the loadings of the cells no other cell feeds
// stay as they are. Throws EngineError when the scenario cannot be simulated (see
// CheckSimulationInput).
float SimulateNetwork(const Scenario& scenario, const SignalTables& signals, TimeTables& tables,
                      DelayResults& results);

}  // namespace talvo
