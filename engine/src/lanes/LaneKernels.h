#pragma once
// The simulation step, compiled once per instruction set through Highway's foreach_target
// and chosen at run time by Highway's own dispatch. Each instruction set offers the step at
// its full vector width and capped to narrower widths down to one lane, so that the
// optimiser's batches, the one-plan evaluation and the full run are the same code.

#include <cstdint>
#include <vector>

#include "lanes/LaneBatch.h"

namespace talvo {

struct LaneKernel {
    const char* name = "";  // instruction set
    int width = 0;          // plans per batch
    // Runs every lane of `batch` (of this width) from second 0 to the last delay step and
    // leaves each lane's delays in the batch's result rows.
    void (*run)(LaneBatch& batch) = nullptr;
};

// The kernel of the best instruction set this processor runs, at the widest width of at
// most `maxWidth` lanes (0: no limit). One lane is always on offer.
LaneKernel WidestLaneKernel(int maxWidth = 0);

// The kernels of that instruction set of at most `maxWidth` lanes (0: no limit), widest
// first, down to one lane.
std::vector<LaneKernel> OfferedLaneKernels(int maxWidth = 0);

// For tests and benchmarks: the kernels of every instruction set this processor runs, at
// every width each offers, widest first. Lists them by narrowing Highway's choice of
// target in turn (and restores it), so call it while no other thread evaluates.
std::vector<LaneKernel> AvailableLaneKernels();

// The full run of one plan, step by step: `batch` of one lane over its whole horizon
// (Horizon::WholeRun), throws std::logic_error otherwise.
// Back to second 0 with no delay summed, the signals at their state of second 0.
void StartLaneRun(LaneBatch& batch);
// The step that starts at `step` x timeStep (steps in order from 0 after a start): leaves
// its outflows, inflows and delay vehicles and the occupancies at its end in the batch's
// rows, and the signals at their state for the next step.
void StepLaneRun(LaneBatch& batch, int32_t step);
// The result rows from the delays summed so far.
void FinishLaneRun(LaneBatch& batch);

}  // namespace talvo
