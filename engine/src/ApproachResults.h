#pragma once
// The results table that a run writes beside its report ("results_exist.csv",
// "results_FGFC.csv", ...): one row per approach with its weight, delay, vehicles, delay
// per vehicle and level of service, for spreadsheets and the Editor's run window. The
// report itself is left as it is.

#include <ostream>
#include <string>

#include "Delay.h"
#include "ResultFiles.h"
#include "Scenario.h"

namespace talvo {

// The level of service of a signalised approach by its control delay per vehicle in
// seconds: A up to 10, B up to 20, C up to 35, D up to 55, E up to 80, F above.
char LevelOfService(double delayPerVehicle);

// The header line, then per approach: number, weight, delay (veh-h), vehicles (those in
// the approach at the period's start and those entering it during the period, as the
// report counts them), delay per vehicle (s) and level of service; the last two empty for
// an approach that no vehicle used. Lines end with CR LF.
void WriteApproachResults(std::ostream& out, const Scenario& scenario, const DelayResults& delay,
                          const ApproachTotals& totals);
void WriteApproachResults(const std::string& path, const Scenario& scenario,
                          const DelayResults& delay, const ApproachTotals& totals);

}  // namespace talvo
