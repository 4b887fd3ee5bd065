#pragma once
// The step of a network compiled for the lane kernels: each pass as lists of cells that
// share a rule, with the constants each rule reads gathered beside the cell. Outflows
// read only occupancies and inflows only outflows, so the order in which cells of one
// pass are visited does not matter; where the one-plan step writes a value twice, the
// program keeps the write that comes last there.

#include <vector>

#include "Delay.h"
#include "FlowNetwork.h"

namespace talvo {

struct LaneProgram {
    // y(i) = min(min(send, n(i)), wvRatio * (holding capacity of k - n(k))).
    struct Ordinary {
        int i, k, signal;  // signal 0: not signalised
        float qMax, roomCapacity;
    };
    // y(i) = min(send, n(i)) and the two branches' limits, as DivergeFlow takes them.
    struct Diverge {
        int i, k1, k2, signal;
        float qMax;
        float limit1, capacity1, split1;  // limit: qMax of the branch / split
        float limit2, capacity2, split2;
    };
    // MergeFlows of i and its partner j into k.
    struct Merge {
        int i, j, k, signalI, signalJ;
        float qMaxI, qMaxJ, qMaxK, capacityK, priority;
        bool writesPartner;  // false when the partner's own rule overwrites its outflow
    };
    // The inflow of `cell` as pass 3 assigns it last: y(from) (forward), y(from) * factor
    // (scaled) or y(other) + y(from) (sum); a cell that pass 3 never assigns has its
    // loading (from, other and factor unused).
    struct Inflow {
        int cell, from, other;
        float factor;
    };

    float wvRatio = 0;
    int numCells = 0;
    std::vector<Ordinary> ordinary;
    std::vector<Diverge> diverges;
    std::vector<Merge> merges;
    std::vector<int> destinations;  // outflow 0 throughout
    // Every cell 1..numCells in exactly one of these.
    std::vector<Inflow> loaded, forwarded, scaled, summed;
    // Per approach the cells whose delay vehicles are summed. Destinations are left out:
    // they add 0, and a sum that starts at +0 never becomes -0, so adding 0 changes no bit.
    std::vector<std::vector<int>> approachCells;  // 1..numApproaches
};

LaneProgram CompileLaneProgram(const FlowNetwork& network, const DelayLayout& delay);

}  // namespace talvo
