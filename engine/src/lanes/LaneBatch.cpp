#include "lanes/LaneBatch.h"

namespace talvo {

namespace {

FlowNetwork BuiltNetwork(const Scenario& scenario) {
    FlowNetwork network;
    BuildFlowNetwork(scenario, network);
    return network;
}

}  // namespace

LaneBatch::LaneBatch(const Scenario& scenario, const TimeTables& inputs, int width)
    : width(width),
      inputs(inputs),
      network(BuiltNetwork(scenario)),
      delay(MakeDelayLayout(scenario)),
      program(CompileLaneProgram(network, delay)),
      signals(network, width, delay.lastStep * network.timeStep),
      occupancy(network.numCells + 1, width),
      outflow(network.numCells + 1, width),
      approachDelaySteps(delay.numApproaches + 1, width),
      approachDelaySeconds(delay.numApproaches + 1, width),
      totalWeightedDelay(1, width) {}

}  // namespace talvo
