#pragma once
// Bit-string individuals of the optimiser: three segments (cycle, offset and stage bits)
// of 7-bit groups read most significant bit first, laid out by plan variant.

#include <cstdint>
#include <string>
#include <vector>

#include "Scenario.h"

namespace talvo {

enum class PlanVariant { FGFC = 1, VGFC = 2, VGVC = 3 };

// "FGFC", "VGFC" or "VGVC", as in the result file names.
std::string PlanVariantName(PlanVariant variant);

inline constexpr int kBitsPerGroup = 7;  // bitsPerPhase and bitsPerCycle
// Bounds that protect the machine, not the search: each segment, and the genes of a whole
// population (one byte a bit, twice over while breeding).
inline constexpr int kMaxCycleBits = 10000000;
inline constexpr int kMaxOffsetBits = 10000000;
inline constexpr int kMaxStageBits = 10000000;
inline constexpr long long kMaxPopulationBits = 1LL << 30;

struct ChromosomeLayout {
    PlanVariant variant = PlanVariant::FGFC;
    int cycleBits = 0;
    int offsetBits = 0;
    int stageBits = 0;
};

// Stages of intersection p whose duration is optimised.
int FreeStageCount(const Scenario& scenario, int p);
// Free stages of the whole network ("No. of Phases need to optimize").
int FreeStageCount(const Scenario& scenario);

// The segment lengths of `variant` for the scenario. Throws EngineError, naming the
// value, when a segment exceeds its capacity or a cycle-by-cycle plan would not fit the
// signal tables.
ChromosomeLayout MakeLayout(const Scenario& scenario, PlanVariant variant);

struct Individual {
    std::vector<uint8_t> cycle;
    std::vector<uint8_t> offset;
    std::vector<uint8_t> stage;

    explicit Individual(const ChromosomeLayout& layout = {})
        : cycle(layout.cycleBits), offset(layout.offsetBits), stage(layout.stageBits) {}

    bool operator==(const Individual&) const = default;
};

// The value (0..127) of the 7-bit group that starts at bit `first` (0-based).
int32_t ReadGroup(const std::vector<uint8_t>& bits, int first);
// Writes the low 7 bits of `value` (two's complement), most significant first.
void WriteGroup(std::vector<uint8_t>& bits, int first, int32_t value);

}  // namespace talvo
