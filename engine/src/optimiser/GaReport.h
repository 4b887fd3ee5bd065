#pragma once
// The sections that only optimisation reports have: heading and GA parameters before the
// search, and the optimised timing plan after the final simulation. (The search rows and
// the run time are written by the GA stage as it goes.)

#include "Scenario.h"
#include "format/RecordWriter.h"
#include "optimiser/Chromosome.h"
#include "optimiser/PlanDecoder.h"

namespace talvo {

// Heading, GA parameters, output banner and the search table's header.
void WriteGaReportHeader(RecordWriter& report, const Scenario& scenario, PlanVariant variant);

// "OPTIMIZED TIMING PLAN SETTING:" with the cycle, and per intersection its offset and the
// stage table of the variant.
void WriteOptimisedPlan(RecordWriter& report, const Scenario& scenario, PlanVariant variant,
                        const DecodedPlan& plan);

}  // namespace talvo
