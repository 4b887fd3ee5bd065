#include "Simulation.h"

#include <algorithm>

#include "lanes/LaneBatch.h"
#include "lanes/LaneDelayEvaluator.h"
#include "lanes/LaneKernels.h"

namespace talvo {

namespace {

// Keeps every step's rows in the time tables.
class TableRecorder : public StepObserver {
  public:
    TableRecorder(const LaneProgram& program, TimeTables& tables)
        : program_(program), tables_(tables) {}

    void stepStarted(int32_t t, const float* n, const float* y, const float* d) override {
        if (t > 0) {  // second 0 is the input
            std::copy(n, n + program_.numCells + 1, tables_.occupancyRow(t));
        }
        std::copy(y, y + program_.numCells + 1, tables_.outflowRow(t));
        std::copy(d, d + program_.numCells + 1, tables_.delayRow(t));
    }

    void inflowsFound(int32_t t, const float* x) override {
        // The loaded cells' inflows are the input itself.
        float* row = tables_.inflowRow(t);
        for (const auto* list : {&program_.forwarded, &program_.scaled, &program_.summed}) {
            for (const LaneProgram::Inflow& f : *list) {
                row[f.cell] = x[f.cell];
            }
        }
    }

    void runEnded(int32_t t, const float* n) override {
        std::copy(n, n + program_.numCells + 1, tables_.occupancyRow(t));
    }

  private:
    const LaneProgram& program_;
    TimeTables& tables_;
};

}  // namespace

float SimulateNetwork(const Scenario& scenario, const SignalTables& signals, TimeTables& tables,
                      DelayResults& results) {
    LaneBatch batch(scenario, tables, 1, Horizon::WholeRun);
    batch.signals.load(0, signals);
    TableRecorder recorder(batch.program, tables);
    RunObservedLane(batch, recorder);
    LaneDelays(batch, 0, results);
    return results.totalWeightedDelay;
}

}  // namespace talvo
