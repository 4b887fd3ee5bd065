#include "SignalControl.h"

#include <algorithm>
#include <string>

#include "EngineError.h"

namespace talvo {

int32_t SequenceEnd(const Scenario& scenario) {
    return std::max<int64_t>(kSequenceEnd, int64_t(scenario.endSimulationStep) + scenario.timeStep);
}

void StagePlan::sizeFor(const Scenario& scenario) {
    const size_t count = size_t(std::max(scenario.numIntersections, 0)) + 1;
    if (offset.size() != count) {
        offset.assign(count, 0);
        slotDuration.assign(count, {});
    }
    for (size_t p = 1; p < count; ++p) {
        const int32_t n = std::max(scenario.intersections[p].stageCount, 0);
        // A plan longer than a sequence holds is refused before it is laid out.
        const int64_t slots = std::min<int64_t>(
            kMaxIntervals,
            std::max<int64_t>(int64_t(n) + 1, SequenceLength(std::max(scenario.phaseCycle, 0), n)));
        if (slotDuration[p].size() != size_t(slots)) {
            slotDuration[p].assign(size_t(slots), 0);
        }
    }
}

StagePlan ExistingStagePlan(const Scenario& scenario) {
    StagePlan plan;
    plan.variesByCycle = false;
    plan.networkCycleTime = scenario.networkCycleTime;
    plan.sizeFor(scenario);
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        const Intersection& node = scenario.intersections[p];
        plan.offset[p] = node.offset;
        plan.slotDuration[p][0] = node.offset;
        for (int k = 1; k <= node.stageCount; ++k) {
            plan.slotDuration[p][k] = node.stageTime[k];
        }
    }
    return plan;
}

int64_t SequenceLength(int32_t phaseCycle, int32_t stageCount) {
    // Entry 0 (red until the offset), the stages of every cycle, the end marker.
    return int64_t(phaseCycle) * stageCount + 2;
}

void CheckSignalPlanCapacity(const Scenario& scenario) {
    if (scenario.phaseCycle < 0) {
        throw EngineError("Number of signal cycles (phaseCycle) " +
                          std::to_string(scenario.phaseCycle) + " is negative");
    }
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        const int32_t n = scenario.intersections[p].stageCount;
        if (n < 0 || n > kMaxStages) {
            throw EngineError("Intersection " + std::to_string(p) + ": stage count " +
                              std::to_string(n) + " is outside 0.." + std::to_string(kMaxStages));
        }
        if (SequenceLength(scenario.phaseCycle, n) > kMaxIntervals) {
            throw EngineError("Intersection " + std::to_string(p) + ": " +
                              std::to_string(scenario.phaseCycle) + " cycles of " +
                              std::to_string(n) + " stages need more than " +
                              std::to_string(kMaxIntervals) +
                              " signal intervals (phaseCycle x stages + 1 must not exceed " +
                              std::to_string(kMaxIntervals - 1) + ")");
        }
    }
    for (const int k : scenario.signalNumbers) {
        const int32_t p = scenario.signals[k].signalIntersection;
        if (p < 1 || p > scenario.numIntersections) {
            throw EngineError("Signal record " + std::to_string(k) + " belongs to intersection " +
                              std::to_string(p) + ", which is not defined");
        }
    }
}

namespace {

bool IsGreen(char flag) {
    return flag == 'Y' || flag == 'y';
}

}  // namespace

void BuildSignalTable(const Scenario& scenario, const StagePlan& plan, SignalTables& tables) {
    CheckSignalPlanCapacity(scenario);
    tables.sizeFor(scenario);
    const int32_t cycles = scenario.phaseCycle;
    const int32_t end = SequenceEnd(scenario);
    for (const int s : scenario.signalNumbers) {
        const SignalRecord& record = scenario.signals[s];
        const int p = record.signalIntersection;
        const int32_t n = scenario.intersections[p].stageCount;
        const int32_t last = cycles * n;  // last stage interval
        SwitchingSequence& seq = tables.sequences[s];
        seq.resize(last + 2);

        for (int32_t k = 0; k <= last; ++k) {
            seq.signalEndTime[k] = 0;
        }
        seq.signalEndTime[last + 1] = end;
        seq.signalState[last + 1] = 0;

        seq.signalState[0] = 0;
        seq.signalEndTime[0] = plan.offset[p];
        for (int32_t k = 1; k <= last; ++k) {
            const int32_t stage = (k - 1) % n + 1;
            const int32_t duration =
                plan.variesByCycle ? plan.slotDuration[p][k] : plan.slotDuration[p][stage];
            seq.signalEndTime[k] = seq.signalEndTime[k - 1] + duration;
            seq.signalState[k] = IsGreen(record.stageGreen[stage]) ? 1 : 0;
        }

        // Clearance: a green starts one second after its stage boundary and ends three
        // seconds before it; the change out of the offset interval is not shifted.
        for (int32_t k = 1; k <= last; ++k) {
            if (seq.signalState[k] == 0 && seq.signalState[k + 1] == 1) {
                seq.signalEndTime[k] += 1;
            } else if (seq.signalState[k] == 1 && seq.signalState[k + 1] == 0) {
                seq.signalEndTime[k] -= 3;
            }
        }
    }
}

int32_t SignalStateAt(const SwitchingSequence& sequence, int32_t t) {
    for (int k = 0; k < sequence.size(); ++k) {
        if (sequence.signalEndTime[k] > t) {
            return sequence.signalState[k];
        }
    }
    return 0;
}

}  // namespace talvo
