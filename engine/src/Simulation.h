#pragma once
// One CTM run from second 0 to endSimulationStep under the loaded signal tables: the
// simulation step at one lane (a NetworkStepper run to its end), returning the TWD.

#include "Delay.h"
#include "Scenario.h"
#include "SignalControl.h"

namespace talvo {

// Runs every step with the delay sums from the occupancies at second 0 and the loadings
// of `inputs`. Throws EngineError when the scenario cannot be simulated (see
// CheckSimulationInput).
float SimulateNetwork(const Scenario& scenario, const SignalTables& signals,
                      const TimeTables& inputs, DelayResults& results);

}  // namespace talvo
