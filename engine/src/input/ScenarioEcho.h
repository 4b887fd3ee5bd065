#pragma once
// The scenario echo at the top of every run report: what was read and what the engine
// derived from it, section by section, written as soon as each section is complete.

#include "Scenario.h"
#include "format/RecordWriter.h"

namespace talvo {

void WriteEchoTitle(RecordWriter& out);
void WriteGlobalParameters(RecordWriter& out, const Scenario& scenario);
void WriteEnteredCells(RecordWriter& out, const Scenario& scenario);
void WriteCalculatedCells(RecordWriter& out, const Scenario& scenario, const TimeTables& tables);
void WriteDemandHeading(RecordWriter& out, const Scenario& scenario);
void WriteLoading(RecordWriter& out, const Loading& loading);
void WriteDemandEnd(RecordWriter& out);
void WriteTimingPlanSection(RecordWriter& out, const Scenario& scenario);
void WriteApproachHeading(RecordWriter& out, const Scenario& scenario);
void WriteApproach(RecordWriter& out, const Scenario& scenario, int a);
void WritePlotGroup(RecordWriter& out, const Scenario& scenario, int g);

}  // namespace talvo
