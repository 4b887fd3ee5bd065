#include "optimiser/Chromosome.h"

#include <algorithm>

#include "EngineError.h"

namespace talvo {

std::string PlanVariantName(PlanVariant variant) {
    switch (variant) {
        case PlanVariant::FGFC:
            return "FGFC";
        case PlanVariant::VGFC:
            return "VGFC";
        case PlanVariant::VGVC:
            return "VGVC";
    }
    return "FGFC";
}

int FreeStageCount(const Scenario& scenario, int p) {
    const Intersection& section = scenario.intersections[p];
    int count = 0;
    for (int k = 1; k <= section.stageCount; ++k) {
        if (section.stageFixed[k] == 0)
            ++count;
    }
    return count;
}

int FreeStageCount(const Scenario& scenario) {
    int count = 0;
    for (int p = 1; p <= scenario.numIntersections; ++p)
        count += FreeStageCount(scenario, p);
    return count;
}

namespace {

void RequireWithin(const std::string& subject, long long value, const std::string& unit,
                   long long capacity, const std::string& remedy) {
    if (value > capacity) {
        throw EngineError(subject + " needs " + std::to_string(value) + " " + unit +
                          ", more than the " + std::to_string(capacity) + " it can hold; " +
                          remedy);
    }
}

}  // namespace

ChromosomeLayout MakeLayout(const Scenario& scenario, PlanVariant variant) {
    const long long intersections = scenario.numIntersections;
    const long long freeStages = FreeStageCount(scenario);
    const long long cycles = scenario.phaseCycle;
    for (int p = 1; p <= scenario.numIntersections; ++p) {
        // Slots 1..phaseCycle*nst plus the closing interval must fit a signal table.
        RequireWithin("The signal table of intersection " + std::to_string(p),
                      cycles * scenario.intersections[p].stageCount,
                      "stage slots (phaseCycle x stages)", kMaxIntervals - 2,
                      "reduce phaseCycle (" + std::to_string(cycles) + ")");
    }

    long long cycleBits = kBitsPerGroup;
    long long stageBits = kBitsPerGroup * freeStages;
    if (variant != PlanVariant::FGFC)
        stageBits *= cycles;
    if (variant == PlanVariant::VGVC)
        cycleBits = kBitsPerGroup * intersections * cycles;
    const long long offsetBits = kBitsPerGroup * intersections;

    const std::string name = PlanVariantName(variant);
    const std::string counts = std::to_string(intersections) + " intersections, " +
                               std::to_string(freeStages) + " optimised stages, phaseCycle " +
                               std::to_string(cycles);
    const std::string chromosome = "The " + name + " chromosome";
    RequireWithin(chromosome, cycleBits, "cycle bits", kMaxCycleBits,
                  "reduce phaseCycle or the intersections (" + counts + ")");
    RequireWithin(chromosome, offsetBits, "offset bits", kMaxOffsetBits,
                  "reduce the intersections (" + counts + ")");
    RequireWithin(chromosome, stageBits, "stage bits", kMaxStageBits,
                  "reduce phaseCycle or the optimised stages (" + counts + ")");
    RequireWithin(
        "The " + name + " population",
        (cycleBits + offsetBits + stageBits) * std::max<long long>(scenario.populationSize, 0),
        "bits (populationSize " + std::to_string(scenario.populationSize) + " x chromosome bits)",
        kMaxPopulationBits, "reduce populationSize or the chromosome (" + counts + ")");

    ChromosomeLayout layout;
    layout.variant = variant;
    layout.cycleBits = static_cast<int>(cycleBits);
    layout.offsetBits = static_cast<int>(offsetBits);
    layout.stageBits = static_cast<int>(stageBits);
    return layout;
}

int32_t ReadGroup(const std::vector<uint8_t>& bits, int first) {
    int32_t value = 0;
    for (int b = 0; b < kBitsPerGroup; ++b)
        value = value * 2 + bits[first + b];
    return value;
}

void WriteGroup(std::vector<uint8_t>& bits, int first, int32_t value) {
    const uint32_t low = static_cast<uint32_t>(value) & 127u;
    for (int b = 0; b < kBitsPerGroup; ++b) {
        bits[first + b] = static_cast<uint8_t>((low >> (kBitsPerGroup - 1 - b)) & 1u);
    }
}

}  // namespace talvo
