#include "ExistingPlanRun.h"

#include <memory>
#include <string>

#include "ApproachResults.h"
#include "ApproachTotals.h"
#include "Delay.h"
#include "FlowNetwork.h"
#include "NetworkStepper.h"
#include "ResultFiles.h"
#include "RunRecording.h"
#include "SignalControl.h"
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

    NetworkStepper stepper(s, run.tables, *signals);
    ApproachCounter counter(s, stepper.stepCount());
    RunRecording plots = PlotRecording(s, stepper);
    const DelayResults delay = RunToEnd(stepper, {&counter, &plots});
    ConsoleLine(run.console, "Finished CTM Simulation...  Simulation end time step " +
                                 std::to_string(s.endSimulationStep));
    ConsoleLine(run.console, "Calculating total vehicles on each approach...");

    const ApproachTotals totals = counter.totals(delay);
    report.write("(' ')");
    report.write("(' ')");
    WriteTimingPlanFile(run.files.optExistPlan, s, *signals, PlanFileHorizon(s));
    WriteDelayTable(report, s, delay, totals);
    WriteApproachResults(run.files.resultsExist, s, delay, totals);
    WriteOccupancyFile(run.files.occuExist, s, stepper);
    WritePlotFiles(run.files.ctmplot, s, plots);
}

}  // namespace talvo
