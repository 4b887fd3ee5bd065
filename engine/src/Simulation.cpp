#include "Simulation.h"

#include "NetworkStepper.h"
#include "RunRecording.h"

namespace talvo {

float SimulateNetwork(const Scenario& scenario, const SignalTables& signals,
                      const TimeTables& inputs, DelayResults& results) {
    NetworkStepper stepper(scenario, inputs, signals);
    results = RunToEnd(stepper, nullptr);
    return results.totalWeightedDelay;
}

}  // namespace talvo
