#pragma once
// The cell table reduced to what one simulation step reads, with each cell's outflow and
// inflow case decided once: the cases depend only on types and neighbours, never on the
// traffic, so a run need not classify every cell again in every step.

#include <cstdint>
#include <vector>

#include "EngineError.h"
#include "Scenario.h"

namespace talvo {

// The console line of a run stopped by a diverge cell with a zero split.
inline constexpr const char* kDivergeSplitMessage = "**** Error is diverge split info";

// A diverge cell with a zero split; the message names the cell and its splits. The run
// shows kDivergeSplitMessage on the console before the message and ends with a failure.
class DivergeSplitError : public EngineError {
  public:
    using EngineError::EngineError;
};

// How pass 1 computes a cell's outflow.
enum class OutflowRule : uint8_t {
    Diverge,      // split between to1 and to2 (type "DI", or a cell with split1 set)
    Merge,        // the lower cell of a merging pair: computes its own and its partner's flow
    ByPartner,    // the higher cell of a merging pair: its flow is computed with the partner's
    Ordinary,     // min(sending limit, occupancy, room downstream)
    Destination,  // leaves the network: no outflow
};

// How pass 3 passes a cell's outflow on.
enum class InflowRule : uint8_t {
    Split,    // to1 gets split1 of the outflow, to2 split2
    Merge,    // the merge target gets the outflows of both its feeders
    Forward,  // to1 gets the whole outflow
};

struct FlowCell {
    OutflowRule outflowRule = OutflowRule::Ordinary;
    InflowRule inflowRule = InflowRule::Forward;
    bool destination = false;
    int to1 = 0, to2 = 0;
    int partner = 0;               // Merge: the higher feeder of the same target
    int feeder1 = 0, feeder2 = 0;  // from1 and from2 of to1 (InflowRule::Merge)
    int signalID = 0;              // 0 = not signalised
    float qMax = 0, holdingCapacity = 0;
    float split1 = 0, split2 = 0, priority = 0;
};

struct FlowNetwork {
    int numCells = 0;
    int32_t timeStep = 1;
    int32_t endSimulationStep = 0;
    int32_t stepCount = 0;  // (endSimulationStep + timeStep) div timeStep
    float wvRatio = 0;
    std::vector<FlowCell> cells = std::vector<FlowCell>(1);  // cells[0]: the empty "no cell"
    // Cells whose inflow no other cell writes (origins, cells without feeders): their
    // inflow is the loading prepared with the scenario.
    std::vector<int> inputCells;
    int numInputCells = 0;
    // Signal records that gate at least one cell.
    std::vector<int> usedSignals;
    int numUsedSignals = 0;
    int signalSlots = 1;  // rows of a table indexed by record number
};

// Checks what the simulation relies on and throws EngineError, naming the cell or value,
// for: a diverge cell with a zero split (DivergeSplitError), a diverge
// without a second branch, a merge-typed cell whose downstream cell has a single feeder, a
// merge target whose feeders do not lead into it, a destination with a downstream cell, a
// signalised cell without a signal record, a signal plan longer than a switching sequence,
// a time step below 1, endSimulationStep + timeStep beyond kLastTime, and a delay period whose
// start is not on the step grid or whose end passes endSimulationStep.
void CheckSimulationInput(const Scenario& scenario);

// Checks the scenario (as above) and fills `network`, sizing its tables to the scenario.
void BuildFlowNetwork(const Scenario& scenario, FlowNetwork& network);

}  // namespace talvo
