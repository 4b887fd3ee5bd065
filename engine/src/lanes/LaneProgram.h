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
    std::vector<int> staying;       // every other cell: its vehicles may stay and delay
    // Every cell 1..numCells in exactly one of these.
    std::vector<Inflow> loaded, forwarded, scaled, summed;
    // The delay vehicles the approaches sum, four approaches at a time so that their sums
    // advance side by side (in registers) while each adds in its own order. A shorter
    // approach, and the fourth of three, is filled up with cell 0, whose delay is 0 - 0;
    // destinations count as cell 0 as well, as they add 0. A sum starts at +0 and adding
    // +0 never makes it -0, so these terms change no bit of it.
    static constexpr int kDelaySums = 4;
    struct DelayGroup {
        int approach[kDelaySums];  // 0: no approach (its sum is not read)
        std::vector<int> cells;    // kDelaySums per row, one row per place of the approaches
    };
    std::vector<DelayGroup> delayGroups;
};

LaneProgram CompileLaneProgram(const FlowNetwork& network, const DelayLayout& delay);

}  // namespace talvo
