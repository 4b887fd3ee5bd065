#pragma once
// The vehicles of each approach over the delay period, counted while a run goes, so that
// a day-long run keeps a few numbers per approach instead of its cells' series.

#include <cstdint>
#include <vector>

#include "Delay.h"
#include "RunRecording.h"
#include "Scenario.h"

namespace talvo {

struct ApproachTotals {
    std::vector<float> approachTotalVehicles;  // 1..numApproaches
    std::vector<float> delayPerVehicle;        // seconds, 1..numApproaches
};

// Per approach: the vehicles in its cells at startStep plus those entering its entry cells
// (cells none of whose upstream cells belong to the approach) during the delay period.
// With steps longer than a second, an arrival second counts the inflow of the step that
// holds it, the one the run moved. The sums are taken in the order of a count over the
// finished run (cells in the approach's order, each entry cell's seconds in turn), so
// that their rounding does not depend on when the values arrive: the first entry cell of
// an approach is summed as the run goes, each further one keeps its inflows of the delay
// period until the end.
class ApproachCounter : public StepRecorder {
  public:
    // For a run of `stepCount` steps of the scenario's timeStep.
    ApproachCounter(const Scenario& scenario, int32_t stepCount);

    void record(const NetworkStepper& stepper) override;
    // Step k's values, per cell 1..numCells: the occupancies at its start (k = stepCount:
    // the run's end) and the inflows during step k - 1 (none for k = 0). Steps come in
    // order from 0.
    void take(int32_t k, const float* occupancies, const float* previousInflows);

    // The totals once every step is taken, and the delay per vehicle of `delay`.
    ApproachTotals totals(const DelayResults& delay) const;

  private:
    struct Approach {
        std::vector<int> cells;                 // counted at startStep, in order
        std::vector<int> entries;               // entry cells, in order
        float total = 0.0f;                     // the sum so far
        std::vector<std::vector<float>> later;  // inflows of entries[1..] on read steps
    };

    int32_t occupancyStep_;             // step of startStep's occupancies, -1: none read
    std::vector<uint8_t> inflowReads_;  // per step: times its inflow is read
    std::vector<Approach> approaches_;  // 1..numApproaches
};

}  // namespace talvo
