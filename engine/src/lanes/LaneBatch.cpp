#include "lanes/LaneBatch.h"

namespace talvo {

namespace {

FlowNetwork BuiltNetwork(const Scenario& scenario) {
    FlowNetwork network;
    BuildFlowNetwork(scenario, network);
    return network;
}

}  // namespace

LaneBatch::LaneBatch(const Scenario& scenario, const TimeTables& inputs, int width, Horizon horizon)
    : width(width),
      inputs(inputs),
      network(BuiltNetwork(scenario)),
      delay(MakeDelayLayout(scenario)),
      program(CompileLaneProgram(network, delay)),
      lastStep(horizon == Horizon::WholeRun ? network.stepCount - 1 : delay.lastStep),
      signals(network, width, lastStep * network.timeStep),
      occupancy(network.numCells + 1, width),
      outflow(network.numCells + 1, width),
      inflow(horizon == Horizon::WholeRun ? network.numCells + 1 : 1, width),
      delayVehicles(horizon == Horizon::WholeRun ? network.numCells + 1 : 1, width),
      approachDelaySteps(delay.numApproaches + 1, width),
      approachDelaySeconds(delay.numApproaches + 1, width),
      totalWeightedDelay(1, width) {}

}  // namespace talvo
