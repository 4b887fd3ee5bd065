#pragma once
// Signal tables: one switching sequence per signal record, built from a stage plan with
// the fixed clearance shifts, and the state lookup the simulation uses every step.

#include <array>
#include <cstdint>

#include "Scenario.h"

namespace talvo {

struct SignalTables {
    std::array<SwitchingSequence, kMaxSignalNumber + 1> sequences{};  // by record number
};

// Offsets and stage-slot durations of every intersection. A plan that repeats every cycle
// fills slots 1..stageCount(p); one that varies by cycle fills 1..phaseCycle*stageCount(p)
// (slot k is stage ((k-1) mod n)+1 of cycle (k-1) div n + 1).
struct StagePlan {
    bool variesByCycle = false;
    std::array<int32_t, kMaxIntersections + 1> offset{};
    std::array<std::array<int32_t, kMaxIntervals>, kMaxIntersections + 1> slotDuration{};
};

// Lays out every present signal record's sequence from `plan` (offset interval,
// phaseCycle cycles of stages, +1/-3 clearance shifts, end marker).
void BuildSignalTable(const Scenario& scenario, const StagePlan& plan, SignalTables& tables);

// 1 (green) or 0 (red) for the sequence at second t: the state of the first entry whose
// end time lies beyond t.
int32_t SignalStateAt(const SwitchingSequence& sequence, int32_t t);

}  // namespace talvo
