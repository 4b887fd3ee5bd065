#pragma once
// The movement volumes the Webster cycle reads, summed while the existing plan's run goes,
// so that the seed keeps a few numbers per signalised cell instead of its inflow series.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "RunRecording.h"
#include "Scenario.h"

namespace talvo {

// Per movement s of scenario.signalNumbers: the sum over its cells c (signalID s, in index
// order) of the sum over seconds 0..endSimulationStep (within the loadings' seconds) of
// the inflow of c in that second over laneNum(c). A step start has the step's inflow; a
// second within a longer step only its loading.
//
// The sums are taken in the order of a sum over the finished run (each cell's seconds in
// turn, cell after cell), so that their rounding does not depend on when the values
// arrive. A run sums one cell of each movement as it goes and keeps the step inflows of
// the movement's next cells, as many as `storedValues` floats hold in all; a movement with
// more cells than that needs further runs (passes) of the same plan, each going on from
// where the last one stopped. Networks whose movements have one cell each take one pass.
class WebsterVolumes : public StepRecorder {
  public:
    static constexpr size_t kStoredValues = size_t(1) << 24;  // 64 MB of inflows

    // For runs of `stepCount` steps of `timeStep` seconds; `scenario` and `tables` must
    // outlive this.
    WebsterVolumes(const Scenario& scenario, const TimeTables& tables, int32_t timeStep,
                   int32_t stepCount, size_t storedValues = kStoredValues);

    void record(const NetworkStepper& stepper) override;
    // The inflows during step k - 1, per cell 1..numCells. Steps come in order from 1.
    void take(int32_t k, const float* previousInflows);

    // Ends a pass once its run has taken every step. True when another run is needed.
    bool finishPass();
    // The volumes once every pass is finished, one per entry of scenario.signalNumbers.
    std::vector<float> volumes() const;

  private:
    struct Movement {
        std::vector<int> cells;  // in index order
        size_t next = 0;         // cells before it are summed into volume
        float volume = 0.0f;
    };
    struct Kept {
        size_t movement;
        int cell;
        std::vector<float> steps;  // its inflow per step read
    };

    void beginPass();
    // The term of `cell` in second t, `inflow` being the run's inflow in that second.
    float term(int cell, int32_t t, float inflow) const;

    const Scenario& scenario_;
    const TimeTables& tables_;
    int32_t timeStep_, stepCount_;
    int32_t lastSecond_;
    size_t readSteps_;  // steps whose inflow is read
    size_t storedValues_;
    std::vector<Movement> movements_;
    // This pass: per movement its cell summed as the run goes (0: none), then the kept ones.
    std::vector<int> running_;
    int32_t nextSecond_ = 0;  // the running sums hold the seconds before it
    std::vector<Kept> kept_;  // in movement and cell order
};

}  // namespace talvo
