#include "ExistingPlanRun.h"

#include <memory>
#include <string>

#include "ApproachResults.h"
#include "Delay.h"
#include "FlowNetwork.h"
#include "ResultFiles.h"
#include "SignalControl.h"
#include "Simulation.h"
#include "TimingPlanFile.h"
#include "format/RecordWriter.h"
#include "run/Console.h"
#include "run/ScenarioErrors.h"

namespace talvo {

void RunExistingPlan(EngineRun& run) {
    const Scenario& s = run.scenario;
    // The plan file must be present and whole, although the stage plan replaces it.
    auto signals = std::make_unique<SignalTables>();
    ReadTimingPlanFile(run.files.planTpl, s, *signals);
    auto plan = std::make_unique<StagePlan>();
    InScenario(run, [&] {
        *plan = ExistingStagePlan(s);
        BuildSignalTable(s, *plan, *signals);
    });

    RecordWriter& report = run.existWriter;
    WriteExistingPlanSetting(report, s, *plan);

    // What the simulation cannot take (a zero diverge split among them) stops the run here,
    // with everything before the simulation written.
    InScenario(run, [&] { CheckSimulationInput(s); });

    DelayResults delay;
    SimulateNetwork(s, *signals, run.tables, delay);
    ConsoleLine(run.console, "Finished CTM Simulation...  Simulation end time step " +
                                 std::to_string(s.endSimulationStep));
    ConsoleLine(run.console, "Calculating total vehicles on each approach...");

    const ApproachTotals totals = ComputeApproachTotals(s, run.tables, delay);
    report.write("(' ')");
    report.write("(' ')");
    WriteTimingPlanFile(run.files.optExistPlan, s, *signals, PlanFileHorizon(s));
    WriteDelayTable(report, s, delay, totals);
    WriteApproachResults(run.files.resultsExist, s, delay, totals);
    WriteOccupancyFile(run.files.occuExist, s, run.tables);
    WritePlotFiles(run.files.ctmplot, s, run.tables);
}

}  // namespace talvo
