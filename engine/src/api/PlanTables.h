#pragma once
// A library plan as the engine's signal tables, and back.
#include "SignalControl.h"
#include "talvo/Engine.h"

namespace talvo {

// Stage times laid out as the scenario's stage plan would be (offsets, stage durations,
// clearance shifts); sequences taken as they stand.
SignalTables SignalTablesOf(const Scenario& scenario, const Plan& plan);
Plan PlanOf(const Scenario& scenario, const SignalTables& tables);

}  // namespace talvo
