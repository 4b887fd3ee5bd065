#include "optimiser/RefinementMoves.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "SignalControl.h"

namespace talvo {

namespace {

// Coarse steps let the search cross the plateaus that a time step of 2 s leaves between
// neighbouring whole seconds; the single second finishes the job.
constexpr std::array<int32_t, 7> kSteps = {1, 2, 3, 5, 8, 13, 21};

int CyclesOf(const Scenario& scenario, PlanVariant variant) {
    return variant == PlanVariant::FGFC ? 1 : scenario.phaseCycle;
}

int FirstSlot(const Scenario& scenario, int p, int cycle) {
    return (cycle - 1) * scenario.intersections[p].stageCount;
}

bool WithinCycleRange(const Scenario& scenario, int64_t cycle) {
    return cycle >= scenario.minCycleTime && cycle <= scenario.maxCycleTime;
}

// Spreads `delta` seconds over the free stages of one cycle (slots first+1..first+n) in
// proportion to their greens (to what they hold above the minimum green when taking time
// away), the seconds left by rounding going to the largest remainders, the earlier stage
// first. False when the free stages cannot give that much. Writes into `out` when given.
bool Reshare(const Scenario& scenario, int p, int first, int32_t delta,
             const std::vector<int32_t>& slots, std::vector<int32_t>* out) {
    const Intersection& section = scenario.intersections[p];
    const int n = section.stageCount;
    std::array<int64_t, kMaxStages + 1> weight{};
    std::array<int64_t, kMaxStages + 1> share{};
    std::array<int64_t, kMaxStages + 1> remainder{};
    int64_t total = 0;
    int freeCount = 0;
    for (int k = 1; k <= n; ++k) {
        if (section.stageFixed[k] != 0)
            continue;
        const int64_t green = slots[first + k];
        weight[k] = std::max<int64_t>(0, delta > 0 ? green : green - scenario.minGreenTime);
        total += weight[k];
        ++freeCount;
    }
    const int64_t amount = std::abs(int64_t(delta));
    if (freeCount == 0 || (delta < 0 && total < amount))
        return false;
    if (total == 0) {  // only when adding: equal shares
        for (int k = 1; k <= n; ++k)
            weight[k] = section.stageFixed[k] == 0 ? 1 : 0;
        total = freeCount;
    }
    int64_t left = amount;
    for (int k = 1; k <= n; ++k) {
        share[k] = amount * weight[k] / total;
        remainder[k] = amount * weight[k] % total;
        left -= share[k];
    }
    for (; left > 0; --left) {
        int largest = 0;
        for (int k = 1; k <= n; ++k) {
            if (remainder[k] > 0 && (largest == 0 || remainder[k] > remainder[largest]))
                largest = k;
        }
        ++share[largest];
        remainder[largest] = 0;
    }
    if (out != nullptr) {
        const int32_t sign = delta > 0 ? 1 : -1;
        for (int k = 1; k <= n; ++k)
            (*out)[first + k] += sign * static_cast<int32_t>(share[k]);
    }
    return true;
}

int32_t FirstCycleOf(PlanVariant variant, const DecodedPlan& plan, int p) {
    return variant == PlanVariant::VGVC ? plan.cycleOf[p][1] : plan.cycleLength;
}

// Checks `move` against `plan`; when `out` is given (it may be `plan` itself), applies it
// there. Everything is checked before anything is written.
bool Edit(const Scenario& scenario, PlanVariant variant, const PlanMove& move,
          const DecodedPlan& plan, DecodedPlan* out) {
    const int32_t minGreen = scenario.minGreenTime;
    switch (move.kind) {
        case PlanMove::Kind::NetworkCycle: {
            if (variant == PlanVariant::VGVC ||
                !WithinCycleRange(scenario, int64_t(plan.cycleLength) + move.delta))
                return false;
            bool any = false;
            for (int p = 1; p <= scenario.numIntersections; ++p) {
                if (FreeStageCount(scenario, p) == 0)
                    continue;
                for (int c = 1; c <= CyclesOf(scenario, variant); ++c) {
                    if (!Reshare(scenario, p, FirstSlot(scenario, p, c), move.delta,
                                 plan.stages.slotDuration[p], nullptr))
                        return false;
                }
                any = true;
            }
            if (!any || out == nullptr)
                return any;
            for (int p = 1; p <= scenario.numIntersections; ++p) {
                if (FreeStageCount(scenario, p) == 0)
                    continue;
                for (int c = 1; c <= CyclesOf(scenario, variant); ++c) {
                    Reshare(scenario, p, FirstSlot(scenario, p, c), move.delta,
                            out->stages.slotDuration[p], &out->stages.slotDuration[p]);
                }
            }
            out->cycleLength = plan.cycleLength + move.delta;
            out->stages.networkCycleTime = out->cycleLength;
            return true;
        }
        case PlanMove::Kind::IntersectionCycle: {
            const int32_t cycle = plan.cycleOf[move.p][move.cycle] + move.delta;
            const int first = FirstSlot(scenario, move.p, move.cycle);
            if (variant != PlanVariant::VGVC || !WithinCycleRange(scenario, cycle) ||
                !Reshare(scenario, move.p, first, move.delta, plan.stages.slotDuration[move.p],
                         nullptr))
                return false;
            if (out == nullptr)
                return true;
            Reshare(scenario, move.p, first, move.delta, out->stages.slotDuration[move.p],
                    &out->stages.slotDuration[move.p]);
            out->cycleOf[move.p][move.cycle] = cycle;
            // The printed network cycle is that of the first intersection's first cycle.
            if (move.p == 1 && move.cycle == 1) {
                out->cycleLength = cycle;
                out->stages.networkCycleTime = cycle;
            }
            return true;
        }
        case PlanMove::Kind::Offset:
        case PlanMove::Kind::EveryOffset: {
            const bool every = move.kind == PlanMove::Kind::EveryOffset;
            const int first = every ? 1 : move.p;
            const int last = every ? scenario.numIntersections : move.p;
            if (every && last < 2)
                return false;  // the same as the one intersection's offset move
            for (int p = first; p <= last; ++p) {
                const int64_t offset = int64_t(plan.stages.offset[p]) + move.delta;
                // The GA's offsets reach 127; longer cycles may use all of theirs.
                const int64_t ceiling = std::max(127, FirstCycleOf(variant, plan, p) - 1);
                if (offset < 0 || offset > ceiling)
                    return false;
            }
            for (int p = first; out != nullptr && p <= last; ++p) {
                out->stages.offset[p] += move.delta;
                out->stages.slotDuration[p][0] = out->stages.offset[p];
            }
            return true;
        }
        case PlanMove::Kind::StartShift: {
            // Slot `to` is the last free stage; stage 1 must be free as well.
            const auto& slots = plan.stages.slotDuration[move.p];
            const int64_t offset = int64_t(plan.stages.offset[move.p]) + move.delta;
            const int64_t ceiling = std::max(127, plan.cycleLength - 1);
            if (variant != PlanVariant::FGFC || move.to <= 1 || offset < 0 || offset > ceiling ||
                int64_t(slots[1]) - move.delta < minGreen ||
                int64_t(slots[move.to]) + move.delta < minGreen)
                return false;
            if (out != nullptr) {
                out->stages.offset[move.p] = static_cast<int32_t>(offset);
                out->stages.slotDuration[move.p][0] = static_cast<int32_t>(offset);
                out->stages.slotDuration[move.p][1] -= move.delta;
                out->stages.slotDuration[move.p][move.to] += move.delta;
            }
            return true;
        }
        case PlanMove::Kind::Transfer: {
            const auto& slots = plan.stages.slotDuration[move.p];
            if (move.delta <= 0 || int64_t(slots[move.from]) - move.delta < minGreen)
                return false;
            if (out != nullptr) {
                out->stages.slotDuration[move.p][move.from] -= move.delta;
                out->stages.slotDuration[move.p][move.to] += move.delta;
            }
            return true;
        }
    }
    return false;
}

}  // namespace

bool ApplyMove(const Scenario& scenario, PlanVariant variant, const PlanMove& move,
               DecodedPlan& plan) {
    return Edit(scenario, variant, move, plan, &plan);
}

std::vector<PlanMove> Neighbourhood(const Scenario& scenario, PlanVariant variant,
                                    const DecodedPlan& plan) {
    std::vector<PlanMove> moves;
    const auto add = [&](const PlanMove& move) {
        if (Edit(scenario, variant, move, plan, nullptr))
            moves.push_back(move);
    };
    for (const int32_t step : kSteps) {
        for (const int32_t delta : {step, -step}) {
            add({PlanMove::Kind::NetworkCycle, 0, 0, 0, 0, delta});
            add({PlanMove::Kind::EveryOffset, 0, 0, 0, 0, delta});
        }
        for (int p = 1; p <= scenario.numIntersections; ++p) {
            const Intersection& section = scenario.intersections[p];
            int lastFree = 0;
            for (int k = 1; k <= section.stageCount; ++k) {
                if (section.stageFixed[k] == 0)
                    lastFree = k;
            }
            const bool firstFree = section.stageCount >= 1 && section.stageFixed[1] == 0;
            for (const int32_t delta : {step, -step}) {
                add({PlanMove::Kind::Offset, p, 0, 0, 0, delta});
                if (firstFree)
                    add({PlanMove::Kind::StartShift, p, 0, 1, lastFree, delta});
            }
            for (int c = 1; c <= CyclesOf(scenario, variant); ++c) {
                if (variant == PlanVariant::VGVC) {
                    for (const int32_t delta : {step, -step})
                        add({PlanMove::Kind::IntersectionCycle, p, c, 0, 0, delta});
                }
                const int first = FirstSlot(scenario, p, c);
                for (int a = 1; a <= section.stageCount; ++a) {
                    for (int b = 1; b <= section.stageCount; ++b) {
                        if (a != b && section.stageFixed[a] == 0 && section.stageFixed[b] == 0)
                            add({PlanMove::Kind::Transfer, p, c, first + a, first + b, step});
                    }
                }
            }
        }
    }
    return moves;
}

std::optional<std::string> ExistingPlanAsVariant(const Scenario& scenario, PlanVariant variant,
                                                 DecodedPlan& plan) {
    const StagePlan existing = ExistingStagePlan(scenario);
    const int cycles = CyclesOf(scenario, variant);
    plan.sizeFor(scenario);
    plan.stages.variesByCycle = variant != PlanVariant::FGFC;
    plan.cycleLength = scenario.networkCycleTime;
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        const Intersection& section = scenario.intersections[p];
        const std::string where = " of intersection " + std::to_string(p);
        int64_t sum = 0;
        for (int k = 1; k <= section.stageCount; ++k) {
            const int32_t time = existing.slotDuration[p][k];
            const std::string stage =
                "stage " + std::to_string(k) + where + " lasts " + std::to_string(time) + " s";
            if (section.stageFixed[k] != 0 && time != section.stageDuration[k])
                return stage + ", not its fixed " + std::to_string(section.stageDuration[k]) + " s";
            if (section.stageFixed[k] == 0 && time < scenario.minGreenTime)
                return stage + ", less than minGreenTime " + std::to_string(scenario.minGreenTime) +
                       " s";
            sum += time;
            for (int c = 1; c <= cycles; ++c)
                plan.stages.slotDuration[p][FirstSlot(scenario, p, c) + k] = time;
        }
        plan.stages.offset[p] = existing.offset[p];
        plan.stages.slotDuration[p][0] = existing.offset[p];
        if (variant == PlanVariant::VGVC) {
            if (!WithinCycleRange(scenario, sum))
                return "the cycle" + where + " is " + std::to_string(sum) +
                       " s, outside minCycleTime..maxCycleTime";
            for (int c = 1; c <= cycles; ++c)
                plan.cycleOf[p][c] = static_cast<int32_t>(sum);
        } else if (FreeStageCount(scenario, p) > 0 && sum != scenario.networkCycleTime) {
            return "the stages" + where + " add up to " + std::to_string(sum) +
                   " s, not the network cycle " + std::to_string(scenario.networkCycleTime) + " s";
        }
    }
    if (variant == PlanVariant::VGVC) {
        plan.cycleLength =
            scenario.numIntersections >= 1 ? plan.cycleOf[1][1] : scenario.minCycleTime;
    } else if (!WithinCycleRange(scenario, plan.cycleLength)) {
        return "the network cycle " + std::to_string(plan.cycleLength) +
               " s is outside minCycleTime..maxCycleTime";
    }
    plan.stages.networkCycleTime = plan.cycleLength;
    return std::nullopt;
}

}  // namespace talvo
