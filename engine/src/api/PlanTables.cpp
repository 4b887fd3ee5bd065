#include "api/PlanTables.h"

namespace talvo {

SignalTables SignalTablesOf(const Scenario& s, const Plan& plan) {
    SignalTables tables;
    tables.sizeFor(s);
    if (plan.isSequences()) {
        for (size_t k = 0; k < plan.sequences.size() && k < tables.sequences.size(); ++k) {
            SwitchingSequence& sequence = tables.sequences[k];
            sequence.resize(int(plan.sequences[k].size()));
            for (size_t i = 0; i < plan.sequences[k].size(); ++i) {
                sequence.signalState[i] = plan.sequences[k][i].first;
                sequence.signalEndTime[i] = plan.sequences[k][i].second;
            }
        }
        return tables;
    }
    StagePlan stages = ExistingStagePlan(s);
    stages.networkCycleTime = plan.cycle;
    for (int p = 1; p <= s.numIntersections; ++p) {
        if (size_t(p) <= plan.offsets.size()) {
            stages.offset[p] = plan.offsets[p - 1];
            stages.slotDuration[p][0] = plan.offsets[p - 1];
        }
        if (size_t(p) <= plan.stageTimes.size()) {
            const auto& times = plan.stageTimes[p - 1];
            for (int k = 1; k <= s.intersections[p].stageCount && size_t(k) <= times.size(); ++k) {
                stages.slotDuration[p][k] = times[k - 1];
            }
        }
    }
    BuildSignalTable(s, stages, tables);
    return tables;
}

Plan PlanOf(const Scenario& s, const SignalTables& tables) {
    Plan plan;
    plan.sequences.resize(tables.sequences.size());
    for (int k : s.signalNumbers) {
        const SwitchingSequence& sequence = tables.sequences[size_t(k)];
        for (int i = 0; i < sequence.size(); ++i) {
            plan.sequences[size_t(k)].emplace_back(sequence.signalState[i],
                                                   sequence.signalEndTime[i]);
        }
    }
    return plan;
}

}  // namespace talvo
