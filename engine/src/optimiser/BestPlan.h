#pragma once
// The best plan found so far, kept across the FGFC, VGFC and VGVC stages.

#include "SignalControl.h"
#include "optimiser/Chromosome.h"
#include "optimiser/PlanDecoder.h"

namespace talvo {

inline constexpr float kNoBestYet = 10000000.0f;

struct BestPlan {
    float twd = kNoBestYet;
    bool found = false;                       // a plan has been saved
    PlanVariant variant = PlanVariant::FGFC;  // layout of `chromosome` and `plan`
    Individual chromosome;
    DecodedPlan plan;
    SignalTables tables;
};

}  // namespace talvo
