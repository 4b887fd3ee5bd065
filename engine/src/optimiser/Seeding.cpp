#include "optimiser/Seeding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace talvo {

namespace {

int32_t FixedDurationSum(const Scenario& scenario, int p) {
    const Intersection& section = scenario.intersections[p];
    int32_t sum = 0;
    for (int k = 1; k <= section.stageCount; ++k) {
        if (section.stageFixed[k] != 0)
            sum += section.stageDuration[k];
    }
    return sum;
}

}  // namespace

int32_t WebsterCycle(const Scenario& scenario, const std::vector<float>& volumes) {
    const double capacityPerMovement =
        static_cast<double>(scenario.endSimulationStep) * scenario.saturationFlow / 3600.0;
    std::vector<float> flowRatio(scenario.intersections.size(), 0.0f);
    for (size_t m = 0; m < scenario.signalNumbers.size() && m < volumes.size(); ++m) {
        const int p = scenario.signals[scenario.signalNumbers[m]].signalIntersection;
        if (p >= 1 && size_t(p) < flowRatio.size()) {
            flowRatio[size_t(p)] += static_cast<float>(volumes[m] / capacityPerMovement);
        }
    }

    int32_t cycle = 0;
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        const int32_t lost =
            FixedDurationSum(scenario, p) + scenario.lostTime * FreeStageCount(scenario, p);
        const double value = (1.5 * lost + 5.0) / (1.0 - static_cast<double>(flowRatio[p]));
        // Saturated intersections (flow ratio 1 or more) give no positive cycle.
        if (!(value >= static_cast<double>(cycle) + 1.0))
            continue;
        cycle = value >= std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                             : static_cast<int32_t>(value);
    }
    return std::min(cycle, scenario.maxCycleTime);
}

std::optional<std::string> EncodeExistingPlan(const Scenario& scenario, int32_t cycle,
                                              const ChromosomeLayout& layout,
                                              Individual& individual) {
    const int64_t cycleRange = int64_t(scenario.maxCycleTime) - scenario.minCycleTime;
    if (cycleRange == 0) {
        return "maxCycleTime equals minCycleTime (" + std::to_string(scenario.minCycleTime) + ")";
    }
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        if (FreeStageCount(scenario, p) > 0 && cycle == FixedDurationSum(scenario, p)) {
            return "cycle " + std::to_string(cycle) +
                   " equals the fixed stage durations of intersection " + std::to_string(p);
        }
    }

    Individual seeded = individual;
    WriteGroup(seeded.cycle, 0,
               static_cast<int32_t>(127 * (int64_t(cycle) - scenario.minCycleTime) / cycleRange));
    int nextStageBit = 0;
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        const Intersection& section = scenario.intersections[p];
        WriteGroup(seeded.offset, (p - 1) * kBitsPerGroup, section.offset);
        const int64_t spare = int64_t(cycle) - section.stageDuration[0];
        const int64_t span = int64_t(cycle) - FixedDurationSum(scenario, p);
        for (int k = 1; k <= section.stageCount; ++k) {
            if (section.stageFixed[k] != 0)
                continue;
            const int64_t weight =
                (int64_t(section.stageTime[k]) - scenario.minGreenTime) * spare / span;
            if (nextStageBit + kBitsPerGroup <= layout.stageBits) {
                WriteGroup(seeded.stage, nextStageBit, static_cast<int32_t>(weight));
            }
            nextStageBit += kBitsPerGroup;
        }
    }
    individual = std::move(seeded);
    return std::nullopt;
}

Individual SeedFromFgfc(const Scenario& scenario, const ChromosomeLayout& vgfcLayout,
                        const Individual& fgfcBest) {
    Individual seed(vgfcLayout);
    std::copy(fgfcBest.cycle.begin(), fgfcBest.cycle.end(), seed.cycle.begin());
    std::copy(fgfcBest.offset.begin(), fgfcBest.offset.end(), seed.offset.begin());
    int from = 0;
    int to = 0;
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        const int groupBits = FreeStageCount(scenario, p) * kBitsPerGroup;
        for (int c = 1; c <= scenario.phaseCycle; ++c) {
            std::copy(fgfcBest.stage.begin() + from, fgfcBest.stage.begin() + from + groupBits,
                      seed.stage.begin() + to);
            to += groupBits;
        }
        from += groupBits;
    }
    return seed;
}

Individual SeedFromVgfc(const ChromosomeLayout& vgvcLayout, const Individual& vgfcBest) {
    Individual seed(vgvcLayout);
    for (int first = 0; first + kBitsPerGroup <= vgvcLayout.cycleBits; first += kBitsPerGroup) {
        std::copy(vgfcBest.cycle.begin(), vgfcBest.cycle.begin() + kBitsPerGroup,
                  seed.cycle.begin() + first);
    }
    seed.offset = vgfcBest.offset;
    seed.stage = vgfcBest.stage;
    return seed;
}

void CarryBestInto(const Scenario& scenario, PlanVariant next, const Individual& seed,
                   BestPlan& best) {
    DecodedPlan& plan = best.plan;
    plan.sizeFor(scenario);
    if (next == PlanVariant::VGFC) {
        for (int p = 1; p <= scenario.numIntersections; ++p) {
            const int stageCount = scenario.intersections[p].stageCount;
            // Later cycles first, so that cycle 1 still reads the unrepeated durations.
            for (int c = scenario.phaseCycle; c >= 1; --c) {
                for (int k = 1; k <= stageCount; ++k) {
                    plan.stages.slotDuration[p][(c - 1) * stageCount + k] =
                        plan.stages.slotDuration[p][k];
                }
            }
        }
        plan.stages.variesByCycle = true;
    } else if (next == PlanVariant::VGVC) {
        for (int p = 1; p <= scenario.numIntersections; ++p) {
            for (int c = 1; c <= scenario.phaseCycle; ++c)
                plan.cycleOf[p][c] = plan.cycleLength;
        }
    }
    best.variant = next;
    best.chromosome = seed;
}

}  // namespace talvo
