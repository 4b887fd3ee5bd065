#pragma once
// Timing plan files: per signal record its number, then (state, end time) pairs up to the
// closing pair whose end time is 10000 or more. The editor writes "plan.tpl"; the engine
// writes its plan files in fixed columns, "(I5)" and "(I3,3X,I6)".

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>

#include "Scenario.h"
#include "SignalControl.h"

namespace talvo {

// Reads one sequence for each signal record of the scenario. The number at the head of a
// sequence decides which record it belongs to. Values are separated by blanks, tabs or
// commas; each read begins on a new line and may run on over the following lines.
// Throws EngineError (naming `fileName`, the line and the value) on a value that is not a
// whole number, a state other than 0 or 1, a record number that is not in the scenario or
// comes twice, more than 301 entries in a sequence, or a file that ends early.
void ReadTimingPlan(std::istream& in, const std::string& fileName, const Scenario& scenario,
                    SignalTables& tables);
void ReadTimingPlanFile(const std::string& path, const Scenario& scenario, SignalTables& tables);

// The last second an engine plan file covers: 1000, or the end of a longer run so that
// its plan is not cut off.
int32_t PlanFileHorizon(const Scenario& scenario);

// Writes the sequences of the present signal records in ascending order of their numbers,
// cut at `horizon` and closed by (0, 10000). Lines end with CR LF.
void WriteTimingPlan(std::ostream& out, const Scenario& scenario, const SignalTables& tables,
                     int32_t horizon);
void WriteTimingPlanFile(const std::string& path, const Scenario& scenario,
                         const SignalTables& tables, int32_t horizon);

}  // namespace talvo
