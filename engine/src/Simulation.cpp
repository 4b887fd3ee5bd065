#include "Simulation.h"

#include <algorithm>

#include "NetworkStepper.h"

namespace talvo {

float SimulateNetwork(const Scenario& scenario, const SignalTables& signals, TimeTables& tables,
                      DelayResults& results) {
    NetworkStepper stepper(scenario, tables, signals);
    const size_t row = size_t(stepper.numCells()) + 1;
    while (!stepper.finished()) {
        const int32_t t = stepper.time();
        stepper.step();
        std::copy(stepper.outflows(), stepper.outflows() + row, tables.outflowRow(t));
        std::copy(stepper.delayVehicles(), stepper.delayVehicles() + row, tables.delayRow(t));
        // A loaded cell's inflow is its loading, as the table holds it already.
        std::copy(stepper.inflows(), stepper.inflows() + row, tables.inflowRow(t));
        std::copy(stepper.occupancies(), stepper.occupancies() + row,
                  tables.occupancyRow(stepper.time()));
    }
    results = stepper.delays();
    return results.totalWeightedDelay;
}

}  // namespace talvo
