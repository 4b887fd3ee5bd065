#include "Simulation.h"

#include "FlowStep.h"

namespace talvo {

float SimulateNetwork(const FlowNetwork& network, const Scenario& scenario,
                      const SignalTables& signals, TimeTables& tables, DelayResults& results) {
    SignalClock clock(network);
    clock.reset();
    std::vector<int32_t> green(size_t(network.signalSlots), 0);
    const int32_t dt = network.timeStep;
    for (int32_t step = 0; step < network.stepCount; ++step) {
        const int32_t t = step * dt;
        const float* n = tables.occupancyRow(t);
        float* y = tables.outflowRow(t);
        float* x = tables.inflowRow(t);
        float* delay = tables.delayRow(t);
        clock.statesAt(signals, t, green.data());
        ComputeOutflows(network, green.data(), n, y);
        delay[0] = 0.0f;
        for (int i = 1; i <= network.numCells; ++i) {
            delay[i] = DelayVehicles(network, i, n, y);
        }
        ComputeInflows(network, y, x);
        UpdateOccupancy(network, n, x, y, tables.occupancyRow(t + dt));
    }
    return AggregateDelay(scenario, tables, results);
}

float SimulateNetwork(const Scenario& scenario, const SignalTables& signals, TimeTables& tables,
                      DelayResults& results) {
    FlowNetwork network;
    BuildFlowNetwork(scenario, network);
    return SimulateNetwork(network, scenario, signals, tables, results);
}

}  // namespace talvo
