#pragma once
// The four passes of one simulation step on rows of cell values (index = cell, 0 = no
// cell). Shared by the full run, which keeps every step's rows, and by the delay
// evaluator, which keeps one rolling row per table, so both give the same numbers.

#include <cstdint>
#include <vector>

#include "FlowNetwork.h"
#include "SignalControl.h"

namespace talvo {

// The smaller of the two; an argument that is not a number never wins, so a term
// divided by a zero split does not poison the minimum.
inline float MinOf(float current, float candidate) {
    return candidate < current ? candidate : current;
}

// Outflows of the two cells i < j that feed one merge target: i keeps its priority share
// of the target's receiving capacity, j the rest. si and sj are the sending limits.
inline void MergeFlows(const FlowNetwork& net, int j, float si, float sj, int i, const float* n,
                       float* y) {
    const FlowCell& cell = net.cells[i];
    const FlowCell& target = net.cells[cell.to1];
    float yi = MinOf(si, n[i]);
    const float sendJ = MinOf(sj, n[j]);
    const float room = MinOf(target.qMax, net.wvRatio * (target.holdingCapacity - n[cell.to1]));
    const float p = cell.priority;
    if (yi + sendJ > room) {
        if (room - sendJ > p * room) {
            yi = room - sendJ;
        } else if (yi > p * room) {
            yi = p * room;
        }
    }
    y[i] = yi;
    y[j] = room - yi >= sendJ ? sendJ : room - yi;
}

// Outflow of a diverging cell: limited by each branch's receiving room scaled by its split.
inline float DivergeFlow(const FlowNetwork& net, float s, int i, const float* n) {
    const FlowCell& cell = net.cells[i];
    const FlowCell& k1 = net.cells[cell.to1];
    const FlowCell& k2 = net.cells[cell.to2];
    float flow = MinOf(s, n[i]);
    flow = MinOf(flow, k1.qMax / cell.split1);
    flow = MinOf(flow, net.wvRatio * (k1.holdingCapacity - n[cell.to1]) / cell.split1);
    flow = MinOf(flow, k2.qMax / cell.split2);
    flow = MinOf(flow, net.wvRatio * (k2.holdingCapacity - n[cell.to2]) / cell.split2);
    return flow;
}

// Pass 1: every cell's outflow y from the occupancies n. `green` holds the state (1 or 0)
// of every signal record at the step's start.
inline void ComputeOutflows(const FlowNetwork& net, const int32_t* green, const float* n,
                            float* y) {
    for (int i = 1; i <= net.numCells; ++i) {
        const FlowCell& cell = net.cells[i];
        const float send = cell.signalID != 0 ? float(green[cell.signalID]) * cell.qMax : cell.qMax;
        switch (cell.outflowRule) {
            case OutflowRule::Diverge:
                y[i] = DivergeFlow(net, send, i, n);
                break;
            case OutflowRule::Merge: {
                const FlowCell& partner = net.cells[cell.partner];
                const float partnerSend = partner.signalID != 0
                                              ? float(green[partner.signalID]) * partner.qMax
                                              : partner.qMax;
                MergeFlows(net, cell.partner, send, partnerSend, i, n, y);
                break;
            }
            case OutflowRule::ByPartner:
                break;
            case OutflowRule::Ordinary: {
                const int k = cell.to1;
                const float room = net.wvRatio * (net.cells[k].holdingCapacity - n[k]);
                y[i] = MinOf(MinOf(send, n[i]), room);
                break;
            }
            case OutflowRule::Destination:
                y[i] = 0.0f;
                break;
        }
    }
}

// Pass 2 for one cell: the vehicles that stay in it during the step.
inline float DelayVehicles(const FlowNetwork& net, int i, const float* n, const float* y) {
    return net.cells[i].destination ? 0.0f : n[i] - y[i];
}

// Pass 3: inflows x of the cells downstream (assignments; a merge target is written by
// both its feeders with the same value).
inline void ComputeInflows(const FlowNetwork& net, const float* y, float* x) {
    for (int i = 1; i <= net.numCells; ++i) {
        const FlowCell& cell = net.cells[i];
        if (cell.destination) {
            continue;  // passes nothing on
        }
        switch (cell.inflowRule) {
            case InflowRule::Split:
                x[cell.to1] = y[i] * cell.split1;
                x[cell.to2] = y[i] * cell.split2;
                break;
            case InflowRule::Merge:
                x[cell.to1] = y[cell.feeder2] + y[cell.feeder1];
                break;
            case InflowRule::Forward:
                x[cell.to1] = y[i];
                break;
        }
    }
}

// Pass 4: occupancies at the next step; destinations only accumulate.
inline void UpdateOccupancy(const FlowNetwork& net, const float* n, const float* x, const float* y,
                            float* nNext) {
    for (int i = 1; i <= net.numCells; ++i) {
        nNext[i] = net.cells[i].destination ? n[i] + x[i] : n[i] + x[i] - y[i];
    }
    nNext[0] = 0.0f;
}

// Signal states for successive steps: one position per record that only moves forward,
// giving the same state as a scan from the sequence's start.
class SignalClock {
  public:
    explicit SignalClock(const FlowNetwork& net)
        : net_(net), position_(size_t(net.signalSlots), 0) {}

    void reset() {
        for (int u = 0; u < net_.numUsedSignals; ++u) {
            position_[net_.usedSignals[u]] = 0;
        }
    }

    // Fills green[k] for every record k that gates a cell, at second t (t never decreases
    // between resets).
    void statesAt(const SignalTables& tables, int32_t t, int32_t* green) {
        for (int u = 0; u < net_.numUsedSignals; ++u) {
            const int k = net_.usedSignals[u];
            const SwitchingSequence& seq = tables.sequences[k];
            int m = position_[k];
            while (m < seq.size() && seq.signalEndTime[m] <= t) {
                ++m;
            }
            position_[k] = m;
            green[k] = m < seq.size() ? seq.signalState[m] : 0;
        }
    }

  private:
    const FlowNetwork& net_;
    std::vector<int> position_;  // by record number
};

}  // namespace talvo
