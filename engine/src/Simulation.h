#pragma once
// One CTM run from second 0 to endSimulationStep under the loaded signal tables: fills
// occupancy, outflow, inflow and delayVehicles for every step and returns the TWD.

#include "Delay.h"
#include "FlowNetwork.h"
#include "Scenario.h"
#include "SignalControl.h"

namespace talvo {

// Runs every step (four passes over the cells: outflows, delay vehicles, inflows,
// occupancies), then the delay aggregation. Reads n(c, 0) and the loadings from `tables`
// and overwrites the rest of the step rows. Allocates nothing.
float SimulateNetwork(const FlowNetwork& network, const Scenario& scenario,
                      const SignalTables& signals, TimeTables& tables, DelayResults& results);

// As above, checking the scenario first (throws EngineError, see CheckSimulationInput).
float SimulateNetwork(const Scenario& scenario, const SignalTables& signals, TimeTables& tables,
                      DelayResults& results);

}  // namespace talvo
