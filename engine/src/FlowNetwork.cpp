#include "FlowNetwork.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "EngineError.h"
#include "SignalControl.h"

namespace talvo {

namespace {

std::string CellLabel(const Scenario& scenario, int i) {
    std::string name = scenario.cells[i].cellName;
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return "cell " + std::to_string(i) + " (" + name + ")";
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') {
        text[0] = char(text[0] - 'a' + 'A');
    }
    return text;
}

std::string Number(float value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", double(value));
    return buffer;
}

bool IsMergeTyped(CellKind kind) {
    return kind == CellKind::Merge || kind == CellKind::MergeAtSignal;
}

// The higher feeder of i's downstream cell, or 0 when i is the higher one (or has none).
int MergePartner(const Scenario& s, int i) {
    const Cell& target = s.cells[s.cells[i].to1];
    if (target.from1 > i) {
        return target.from1;
    }
    if (target.from2 > i) {
        return target.from2;
    }
    return 0;
}

void CheckTimes(const Scenario& s) {
    if (s.timeStep < 1) {
        throw EngineError("Time step " + std::to_string(s.timeStep) + " must be at least 1 second");
    }
    if (s.endSimulationStep < 0) {
        throw EngineError("End simulation step " + std::to_string(s.endSimulationStep) +
                          " is negative");
    }
    if (int64_t(s.endSimulationStep) + s.timeStep > kLastTime) {
        throw EngineError("End simulation step " + std::to_string(s.endSimulationStep) +
                          " plus time step " + std::to_string(s.timeStep) + " passes " +
                          std::to_string(kLastTime) + ", the last second the time tables hold");
    }
    if (s.startStep < 0 || s.startStep % s.timeStep != 0) {
        throw EngineError("Delay period start " + std::to_string(s.startStep) +
                          " is not on the step grid (a multiple of the time step " +
                          std::to_string(s.timeStep) + ")");
    }
    if (s.endStep > s.endSimulationStep) {
        throw EngineError("Delay period end " + std::to_string(s.endStep) +
                          " passes the end simulation step " + std::to_string(s.endSimulationStep));
    }
}

void CheckCounts(const Scenario& s) {
    if (s.numCells < 1 || s.numCells > kMaxCells) {
        throw EngineError("Number of cells " + std::to_string(s.numCells) + " is outside 1.." +
                          std::to_string(kMaxCells));
    }
    if (s.numApproaches < 0 || s.numApproaches > kMaxGroups) {
        throw EngineError("Number of approaches " + std::to_string(s.numApproaches) +
                          " is outside 0.." + std::to_string(kMaxGroups));
    }
    if (s.maxGroupCells < 0 || s.maxGroupCells > kMaxGroupCells) {
        throw EngineError("Cells per approach " + std::to_string(s.maxGroupCells) +
                          " is outside 0.." + std::to_string(kMaxGroupCells));
    }
    // A scenario built in code must have sized its tables as the reader does.
    bool sized = s.cells.size() > size_t(s.numCells) &&
                 s.approaches.size() > size_t(s.numApproaches) &&
                 s.intersections.size() > size_t(std::max(s.numIntersections, 0));
    for (int a = 1; sized && a <= s.numApproaches; ++a) {
        sized = s.approaches[a].cells.size() > size_t(s.maxGroupCells);
    }
    if (!sized) {
        throw EngineError("The scenario's tables are not sized for its counts");
    }
    for (int a = 1; a <= s.numApproaches; ++a) {
        for (int m = 1; m <= s.maxGroupCells; ++m) {
            const int c = s.approaches[a].cells[m];
            if (c < 0 || c > s.numCells) {
                throw EngineError("Approach " + std::to_string(a) + " names cell " +
                                  std::to_string(c) + ", which does not exist");
            }
        }
    }
    for (int i = 1; i <= s.numCells; ++i) {
        const Cell& c = s.cells[i];
        for (const int n : {c.from1, c.from2, c.to1, c.to2}) {
            if (n < 0 || n > s.numCells) {
                throw EngineError(Capitalised(CellLabel(s, i)) + " has neighbour " +
                                  std::to_string(n) + ", which does not exist");
            }
        }
    }
}

void CheckCell(const Scenario& s, int i) {
    const Cell& c = s.cells[i];
    const std::string label = Capitalised(CellLabel(s, i));
    if (c.kind == CellKind::Destination) {
        if (c.to1 != 0 || c.to2 != 0) {
            throw EngineError("Destination " + CellLabel(s, i) + " has a downstream cell (" +
                              CellLabel(s, c.to1 != 0 ? c.to1 : c.to2) + ")");
        }
        return;
    }
    if (c.kind == CellKind::Diverge) {
        if (c.split1 == 0.0f || c.split2 == 0.0f) {
            throw DivergeSplitError(label + " is a diverge (type DI) with a split of 0: Spt1 " +
                                    Number(c.split1) + ", Spt2 " + Number(c.split2));
        }
    }
    if (IsMergeTyped(c.kind)) {
        const Cell& target = s.cells[c.to1];
        if (c.to1 == 0 || target.from1 == 0 || target.from2 == 0) {
            throw EngineError(label + " is a merge (type " + c.cellType + ") but its downstream " +
                              (c.to1 == 0 ? std::string("cell is missing")
                                          : CellLabel(s, c.to1) + " has a single feeder"));
        }
    }
    if (c.isSignalised()) {
        if (!s.hasSignal(c.signalID)) {
            throw EngineError(label + " is signalised by signal record " +
                              std::to_string(c.signalID) + ", which the scenario does not define");
        }
    }
}

void CheckMergeTargets(const Scenario& s) {
    // Every cell must be listed upstream of the cells it leads into: a third cell merging
    // into a cell that lists only two would take its place in their merge.
    for (int i = 1; i <= s.numCells; ++i) {
        for (const int d : {s.cells[i].to1, s.cells[i].to2}) {
            if (d != 0 && s.cells[d].from1 != i && s.cells[d].from2 != i) {
                throw EngineError(Capitalised(CellLabel(s, i)) + " leads into " + CellLabel(s, d) +
                                  ", which does not list it as an upstream cell (Fr1, Fr2)");
            }
        }
    }
    for (int k = 1; k <= s.numCells; ++k) {
        const Cell& target = s.cells[k];
        if (target.from2 == 0) {
            continue;
        }
        if (target.from1 == 0 || target.from1 == target.from2) {
            throw EngineError(Capitalised(CellLabel(s, k)) +
                              " needs two different upstream cells to be a merge");
        }
        for (const int feeder : {target.from1, target.from2}) {
            if (s.cells[feeder].to1 != k) {
                throw EngineError(Capitalised(CellLabel(s, k)) + " merges " +
                                  CellLabel(s, target.from1) + " and " +
                                  CellLabel(s, target.from2) + ", but " + CellLabel(s, feeder) +
                                  " does not lead into it (To1)");
            }
        }
    }
}

}  // namespace

void CheckSimulationInput(const Scenario& scenario) {
    FlowNetwork network;
    BuildFlowNetwork(scenario, network);
}

void BuildFlowNetwork(const Scenario& s, FlowNetwork& net) {
    CheckTimes(s);
    CheckCounts(s);
    for (int i = 1; i <= s.numCells; ++i) {
        CheckCell(s, i);
    }
    CheckMergeTargets(s);
    CheckSignalPlanCapacity(s);

    net = FlowNetwork{};
    net.numCells = s.numCells;
    net.timeStep = s.timeStep;
    net.endSimulationStep = s.endSimulationStep;
    net.stepCount = (s.endSimulationStep + s.timeStep) / s.timeStep;
    net.wvRatio = s.wvRatio;

    net.cells.resize(size_t(s.numCells) + 1);
    net.signalSlots = s.signalSlots();
    std::vector<bool> outflowComputed(size_t(s.numCells) + 1, false);
    std::vector<bool> inflowWritten(size_t(s.numCells) + 1, false);
    std::vector<bool> signalUsed(size_t(s.signalSlots()), false);
    for (int i = 1; i <= s.numCells; ++i) {
        const Cell& c = s.cells[i];
        FlowCell& f = net.cells[i];
        f.to1 = c.to1;
        f.to2 = c.to2;
        f.qMax = c.qMax;
        f.holdingCapacity = c.holdingCapacity;
        f.split1 = c.split1;
        f.split2 = c.split2;
        f.priority = c.priority;
        f.feeder1 = s.cells[c.to1].from1;
        f.feeder2 = s.cells[c.to1].from2;
        f.signalID = c.isSignalised() ? c.signalID : 0;
        if (f.signalID != 0 && !signalUsed[f.signalID]) {
            signalUsed[f.signalID] = true;
        }
        f.destination = c.kind == CellKind::Destination;

        // Outflow: the first case that applies, in the order diverge, merge-typed, fed
        // into a merge, split set, otherwise ordinary.
        const bool feedsMerge = s.cells[c.to1].from2 != 0;
        if (f.destination) {
            f.outflowRule = OutflowRule::Destination;
        } else if (c.kind == CellKind::Diverge) {
            f.outflowRule = OutflowRule::Diverge;
        } else if (c.kind == CellKind::Merge || feedsMerge) {
            f.partner = MergePartner(s, i);
            f.outflowRule = f.partner != 0 ? OutflowRule::Merge : OutflowRule::ByPartner;
        } else if (c.split1 != 0.0f) {
            f.outflowRule = OutflowRule::Diverge;
        } else {
            f.outflowRule = OutflowRule::Ordinary;
        }
        if (f.outflowRule == OutflowRule::Diverge && (c.to1 == 0 || c.to2 == 0)) {
            throw EngineError(Capitalised(CellLabel(s, i)) + " diverges but has no " +
                              (c.to1 == 0 ? "first (To1)" : "second (To2)") + " downstream cell");
        }
        if (f.outflowRule == OutflowRule::Merge) {
            outflowComputed[f.partner] = true;
        }
        if (f.outflowRule != OutflowRule::ByPartner) {
            outflowComputed[i] = true;
        }

        // Inflow: diverge, merge-typed, fed into a merge, split set, otherwise forward.
        if (c.kind == CellKind::Diverge) {
            f.inflowRule = InflowRule::Split;
        } else if (IsMergeTyped(c.kind) || feedsMerge) {
            f.inflowRule = InflowRule::Merge;
        } else if (c.split1 != 0.0f) {
            f.inflowRule = InflowRule::Split;
        } else {
            f.inflowRule = InflowRule::Forward;
        }
        if (!f.destination) {
            inflowWritten[c.to1] = true;
            if (f.inflowRule == InflowRule::Split) {
                inflowWritten[c.to2] = true;
            }
        }
    }
    for (int i = 1; i <= s.numCells; ++i) {
        if (!outflowComputed[i]) {
            throw EngineError("The outflow of " + CellLabel(s, i) +
                              " is never computed: it feeds a merge with no partner cell");
        }
        if (!inflowWritten[i]) {
            net.inputCells.push_back(i);
            ++net.numInputCells;
        }
    }
    for (int k = 1; k < s.signalSlots(); ++k) {
        if (signalUsed[size_t(k)]) {
            net.usedSignals.push_back(k);
            ++net.numUsedSignals;
        }
    }
}

}  // namespace talvo
