#pragma once
// What a full run keeps of the cells a result reads: their occupancy, outflow, inflow and
// delay vehicles at every step of a window, taken from a NetworkStepper. Its memory grows
// with the chosen cells times the window's steps, so that results read over time (plot
// groups, a block of the occupancy file) need no table of every cell.

#include <cstdint>
#include <limits>
#include <vector>

#include "NetworkStepper.h"

namespace talvo {

// Something that takes what a run shows after its reset and after each of its steps.
class StepRecorder {
  public:
    virtual ~StepRecorder() = default;
    virtual void record(const NetworkStepper& stepper) = 0;
};

class RunRecording : public StepRecorder {
  public:
    enum Series : unsigned { kOccupancy = 1, kOutflow = 2, kInflow = 4, kDelayVehicles = 8 };

    // Keeps `series` (a set of Series) of `cells` (indices 1..numCells; others and repeats
    // are left out) for the steps firstStep..lastStep (default: every step) of a run of
    // `stepper`'s shape.
    RunRecording(const NetworkStepper& stepper, const std::vector<int>& cells, unsigned series,
                 int32_t firstStep = 0, int32_t lastStep = std::numeric_limits<int32_t>::max());
    // The same for a run of `numCells` cells and `stepCount` steps of `timeStep` seconds,
    // to be filled with put (results from values made up rather than simulated).
    RunRecording(int numCells, int32_t timeStep, int32_t stepCount, const std::vector<int>& cells,
                 unsigned series, int32_t firstStep = 0,
                 int32_t lastStep = std::numeric_limits<int32_t>::max());

    // Takes what the stepper shows now: call after its reset and after each of its steps.
    void record(const NetworkStepper& stepper) override;
    // Sets one value of a kept series, cell and step start; others are ignored.
    void put(Series series, int cell, int32_t t, float value);

    // Values at second t as the run gives them at step starts: the occupancy at a step's
    // start (or the run's end), the flows during the step that starts at t. 0 for a second
    // that is no step start of the window, a cell not kept, or a series not kept.
    float n(int cell, int32_t t) const { return at(occupancy_, cell, t, stepCount_ + 1); }
    float y(int cell, int32_t t) const { return at(outflow_, cell, t, stepCount_); }
    float x(int cell, int32_t t) const { return at(inflow_, cell, t, stepCount_); }
    float D(int cell, int32_t t) const { return at(delayVehicles_, cell, t, stepCount_); }

    // values[k] := n(cell, k x timeStep) for k = 0..stepCount: a cell's whole series at
    // once, for readers of every step.
    void occupancies(int cell, std::vector<float>& values) const;

    int numCells() const { return int(slotOf_.size()) - 1; }
    int32_t timeStep() const { return timeStep_; }
    int32_t stepCount() const { return stepCount_; }

  private:
    // The place of a cell's value at second t, or -1 when it is not kept.
    long slot(const std::vector<float>& series, int cell, int32_t t, int32_t steps) const;
    float at(const std::vector<float>& series, int cell, int32_t t, int32_t steps) const;
    void keep(std::vector<float>& series, const float* row, int32_t step, int32_t steps);

    int32_t timeStep_;
    int32_t stepCount_;
    int32_t firstStep_, lastStep_;  // the window, within 0..stepCount_
    std::vector<int> cells_;        // kept, in slot order
    std::vector<int> slotOf_;       // per cell 0..numCells, -1: not kept
    // Step-major: slot + (step - firstStep_) x cells_.size().
    std::vector<float> occupancy_, outflow_, inflow_, delayVehicles_;
};

// Runs `stepper` from second 0 to its end, recording each step into the recorders given
// (null ones left out), and returns the delays of the run.
DelayResults RunToEnd(NetworkStepper& stepper, const std::vector<StepRecorder*>& recorders);
DelayResults RunToEnd(NetworkStepper& stepper, StepRecorder* recorder);

}  // namespace talvo
