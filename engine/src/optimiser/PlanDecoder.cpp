#include "optimiser/PlanDecoder.h"

#include <algorithm>
#include <cmath>

namespace talvo {

namespace {

// Half away from zero, as the plan arithmetic rounds its real quotients.
int32_t RoundQuotient(int64_t numerator, int64_t denominator) {
    return static_cast<int32_t>(
        std::lround(static_cast<double>(numerator) / static_cast<double>(denominator)));
}

// Shares `freeTime` out among the free stages of one cycle of intersection p, whose
// slots are first+1..first+nst, reading the weights from `stageBits` at `nextBit`.
void ShareCycle(const Scenario& scenario, int p, int first, int32_t freeTime,
                const std::vector<uint8_t>& stageBits, int& nextBit, StagePlan& stages) {
    const Intersection& section = scenario.intersections[p];
    const int stageCount = section.stageCount;
    // The weights are read twice, for their sum and then stage by stage, so that a
    // decode allocates nothing.
    const int firstBit = nextBit;
    int64_t weightSum = 0;
    int freeCount = 0;
    for (int k = 1; k <= stageCount; ++k) {
        if (section.stageFixed[k] != 0)
            continue;
        weightSum += ReadGroup(stageBits, nextBit);
        nextBit += kBitsPerGroup;
        ++freeCount;
    }
    int weightBit = firstBit;
    for (int k = 1; k <= stageCount; ++k) {
        int32_t& duration = stages.slotDuration[p][first + k];
        if (section.stageFixed[k] != 0) {
            duration = section.stageDuration[k];
            continue;
        }
        const int32_t weight = ReadGroup(stageBits, weightBit);
        weightBit += kBitsPerGroup;
        if (weightSum == 0) {
            duration = scenario.minGreenTime + RoundQuotient(freeTime, freeCount);
        } else {
            duration = scenario.minGreenTime +
                       RoundQuotient(static_cast<int64_t>(freeTime) * weight, weightSum);
        }
    }
}

// Adds what the stage times of p miss of (or exceed) the cycle to its first free stage.
void CorrectToCycle(const Scenario& scenario, int p, int32_t cycle, StagePlan& stages) {
    const Intersection& section = scenario.intersections[p];
    int32_t sum = 0;
    int firstFree = 0;
    for (int k = 1; k <= section.stageCount; ++k) {
        sum += stages.slotDuration[p][k];
        if (firstFree == 0 && section.stageFixed[k] == 0)
            firstFree = k;
    }
    if (firstFree != 0 && sum != cycle)
        stages.slotDuration[p][firstFree] += cycle - sum;
}

}  // namespace

void DecodedPlan::sizeFor(const Scenario& scenario) {
    stages.sizeFor(scenario);
    const size_t count = size_t(std::max(scenario.numIntersections, 0)) + 1;
    const size_t cycles = size_t(std::max(scenario.phaseCycle, 0)) + 1;
    if (cycleOf.size() != count || (count > 1 && cycleOf[1].size() != cycles)) {
        cycleOf.assign(count, std::vector<int32_t>(cycles, 0));
    }
}

int32_t DecodeCycle(const Scenario& scenario, int32_t value) {
    const int32_t range = scenario.maxCycleTime - scenario.minCycleTime;
    const int32_t cycle = scenario.minCycleTime + range * value / 127;
    return std::min(cycle, scenario.maxCycleTime);
}

void DecodeIndividual(const Scenario& scenario, const ChromosomeLayout& layout,
                      const Individual& individual, DecodedPlan& plan) {
    plan.sizeFor(scenario);
    const PlanVariant variant = layout.variant;
    const int cycles = variant == PlanVariant::FGFC ? 1 : scenario.phaseCycle;
    plan.stages.variesByCycle = variant != PlanVariant::FGFC;
    // VGVC holds its lengths per intersection and cycle; without intersections it has no
    // cycle bits at all.
    plan.cycleLength = layout.cycleBits >= kBitsPerGroup
                           ? DecodeCycle(scenario, ReadGroup(individual.cycle, 0))
                           : scenario.minCycleTime;
    plan.stages.networkCycleTime = plan.cycleLength;

    int nextStageBit = 0;
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        const Intersection& section = scenario.intersections[p];
        const int32_t minimumCycle = section.stageDuration[0];
        plan.stages.offset[p] = ReadGroup(individual.offset, (p - 1) * kBitsPerGroup);
        plan.stages.slotDuration[p][0] = plan.stages.offset[p];
        for (int c = 1; c <= cycles; ++c) {
            int32_t cycle = plan.cycleLength;
            if (variant == PlanVariant::VGVC) {
                const int group = (p - 1) * scenario.phaseCycle + (c - 1);
                cycle = DecodeCycle(scenario, ReadGroup(individual.cycle, group * kBitsPerGroup));
                plan.cycleOf[p][c] = cycle;
            }
            ShareCycle(scenario, p, (c - 1) * section.stageCount, cycle - minimumCycle,
                       individual.stage, nextStageBit, plan.stages);
        }
        if (variant == PlanVariant::FGFC)
            CorrectToCycle(scenario, p, plan.cycleLength, plan.stages);
    }
}

void DecodeIndividual(const Scenario& scenario, const ChromosomeLayout& layout,
                      const Individual& individual, DecodedPlan& plan, SignalTables& tables) {
    DecodeIndividual(scenario, layout, individual, plan);
    BuildSignalTable(scenario, plan.stages, tables);
}

}  // namespace talvo
