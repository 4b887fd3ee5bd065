#pragma once
// Signal tables: one switching sequence per signal record, built from a stage plan with
// the fixed clearance shifts, and the state lookup the simulation uses every step.

#include <cstdint>
#include <vector>

#include "Scenario.h"

namespace talvo {

struct SignalTables {
    std::vector<SwitchingSequence> sequences;  // by record number, 0..highest record number

    // Sizes the table for the scenario's record numbers; keeps it when already so.
    void sizeFor(const Scenario& scenario) {
        if (sequences.size() != size_t(scenario.signalSlots())) {
            sequences.resize(size_t(scenario.signalSlots()));
        }
    }
};

// The end time of the closing entry of every switching sequence of the scenario:
// kSequenceEnd while the run ends by it, else the run's last occupancy (the second after
// the last step's start, the last second whose state is looked up).
int32_t SequenceEnd(const Scenario& scenario);

// Offsets and stage-slot durations of every intersection. A plan that repeats every cycle
// fills slots 1..stageCount(p); one that varies by cycle fills 1..phaseCycle*stageCount(p)
// (slot k is stage ((k-1) mod n)+1 of cycle (k-1) div n + 1). Slot 0 holds the offset, as
// the reports print it, and networkCycleTime the cycle they print.
struct StagePlan {
    bool variesByCycle = false;
    int32_t networkCycleTime = 0;
    std::vector<int32_t> offset;                     // 0..numIntersections
    std::vector<std::vector<int32_t>> slotDuration;  // [p][slot], slots of SlotCount(p)

    // Sizes the plan for the scenario (every slot a plan of either kind can fill); keeps
    // it when already so, so that a plan decoded per evaluation allocates once.
    void sizeFor(const Scenario& scenario);
};

// The existing plan of the scenario: its offsets, stage times and network cycle.
StagePlan ExistingStagePlan(const Scenario& scenario);

// Number of entries (the end marker included) that a sequence of `phaseCycle` cycles of
// `stageCount` stages needs; it must not pass kMaxIntervals.
int64_t SequenceLength(int32_t phaseCycle, int32_t stageCount);

// Throws EngineError when an intersection's plan would not fit into a switching sequence
// or a signal record names an intersection that does not exist.
void CheckSignalPlanCapacity(const Scenario& scenario);

// Lays out every present signal record's sequence from `plan` (offset interval,
// phaseCycle cycles of stages, +1/-3 clearance shifts, end marker).
void BuildSignalTable(const Scenario& scenario, const StagePlan& plan, SignalTables& tables);

// 1 (green) or 0 (red) for the sequence at second t: the state of the first entry whose
// end time lies beyond t. A sequence without such an entry is red.
int32_t SignalStateAt(const SwitchingSequence& sequence, int32_t t);

}  // namespace talvo
