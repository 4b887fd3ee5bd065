#include "optimiser/Optimiser.h"

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ApproachResults.h"
#include "Delay.h"
#include "EngineError.h"
#include "FlowNetwork.h"
#include "NetworkStepper.h"
#include "ResultFiles.h"
#include "RunRecording.h"
#include "TimingPlanFile.h"
#include "optimiser/Breeding.h"
#include "optimiser/DelayCosts.h"
#include "optimiser/GaReport.h"
#include "optimiser/GaStage.h"
#include "optimiser/Seeding.h"
#include "optimiser/WebsterVolumes.h"
#include "run/Console.h"
#include "run/ScenarioErrors.h"

namespace talvo {

namespace {

// Populations beyond this would only exhaust memory; no search needs them.
constexpr int32_t kMaxPopulation = 10000;
// A plan that only ties the best resets the stall count, so a search may run all its
// generations: this many keeps a run within days, and its rows within their I5 columns.
constexpr int32_t kMaxGenerations = 99999;

std::optional<PlanVariant> ReportedVariant(int32_t controlStrategy) {
    switch (controlStrategy) {
        case 1:
            return PlanVariant::FGFC;
        case 2:
            return PlanVariant::VGFC;
        case 3:
            return PlanVariant::VGVC;
        default:
            return std::nullopt;
    }
}

// FGFC always; VGFC and VGVC as far as the requested variant.
std::vector<PlanVariant> StageChain(int32_t controlStrategy) {
    std::vector<PlanVariant> chain{PlanVariant::FGFC};
    if (controlStrategy == 2 || controlStrategy == 3)
        chain.push_back(PlanVariant::VGFC);
    if (controlStrategy == 3)
        chain.push_back(PlanVariant::VGVC);
    return chain;
}

void RequireAtLeast(const char* name, int32_t value, int32_t least) {
    if (value < least) {
        throw EngineError(std::string(name) + " is " + std::to_string(value) +
                          ", expected at least " + std::to_string(least) +
                          " for an optimisation run");
    }
}

void ShowSkippedSeed(std::ostream& console, const char* seed, const std::string& reason) {
    ConsoleLine(console, std::string(seed) + " seed skipped: " + reason);
}

// The existing plan as the first individual and, with initialSeed, its Webster-cycle
// version as the second.
void SeedFromExistingPlan(EngineRun& run, const ChromosomeLayout& layout,
                          std::vector<Individual>& population) {
    const Scenario& scenario = run.scenario;
    if (scenario.adaptWebster != 'Y')
        return;
    auto existing = std::make_unique<SignalTables>();
    ReadTimingPlanFile(run.files.planTpl, scenario, *existing);

    const bool webster = scenario.initialSeed == 'Y';
    int32_t websterCycle = 0;
    if (webster) {
        NetworkStepper stepper(scenario, run.tables, *existing);
        WebsterVolumes volumes(scenario, run.tables, stepper.timeStep(), stepper.stepCount());
        do {
            RunToEnd(stepper, &volumes);
        } while (volumes.finishPass());
        websterCycle = WebsterCycle(scenario, volumes.volumes());
    }
    if (auto reason =
            EncodeExistingPlan(scenario, scenario.networkCycleTime, layout, population[0])) {
        ShowSkippedSeed(run.console, "Existing-plan", *reason);
    }
    if (webster) {
        if (auto reason = EncodeExistingPlan(scenario, websterCycle, layout, population[1])) {
            ShowSkippedSeed(run.console, "Webster", *reason);
        }
    }
}

SeedPopulation MakeSeeding(EngineRun& run, const ChromosomeLayout& layout, BestPlan& best) {
    const Scenario& scenario = run.scenario;
    switch (layout.variant) {
        case PlanVariant::FGFC:
            return [&run, layout](std::vector<Individual>& population) {
                SeedFromExistingPlan(run, layout, population);
            };
        case PlanVariant::VGFC:
            return [&scenario, &best, layout](std::vector<Individual>& population) {
                population[0] = SeedFromFgfc(scenario, layout, best.chromosome);
                CarryBestInto(scenario, PlanVariant::VGFC, population[0], best);
            };
        case PlanVariant::VGVC:
            return [&scenario, &best, layout](std::vector<Individual>& population) {
                population[0] = SeedFromVgfc(layout, best.chromosome);
                CarryBestInto(scenario, PlanVariant::VGVC, population[0], best);
            };
    }
    return nullptr;
}

// The best plan's run, kept for its result files.
struct SimulatedPlan {
    std::unique_ptr<NetworkStepper> stepper;
    std::unique_ptr<ApproachCounter> counter;
    std::unique_ptr<RunRecording> plots;
};

// The run of `best`'s tables, made ready: the plan is copied, so it may change before the
// run is made.
SimulatedPlan PrepareBestPlanRun(EngineRun& run, const BestPlan& best) {
    SimulatedPlan simulated;
    simulated.stepper = std::make_unique<NetworkStepper>(run.scenario, run.tables, best.tables);
    simulated.counter =
        std::make_unique<ApproachCounter>(run.scenario, simulated.stepper->stepCount());
    simulated.plots =
        std::make_unique<RunRecording>(PlotRecording(run.scenario, *simulated.stepper));
    return simulated;
}

void RunBestPlan(EngineRun& run, SimulatedPlan& simulated, DelayResults& results) {
    ConsoleLine(run.console, "Simulating Best Plan");
    results = RunToEnd(*simulated.stepper, {simulated.counter.get(), simulated.plots.get()});
    ConsoleLine(run.console, "Finished CTM Simulation...  Simulation end time step " +
                                 std::to_string(run.scenario.endSimulationStep));
    ConsoleLine(run.console, "Calculating total vehicles on each approach...");
}

SimulatedPlan SimulateBestPlan(EngineRun& run, const BestPlan& best, DelayResults& results) {
    SimulatedPlan simulated = PrepareBestPlanRun(run, best);
    RunBestPlan(run, simulated, results);
    return simulated;
}

// The run of the best plan of a stage that is not reported, which no file shows: made
// ready now and run beside the next stage's first generation, on a worker that would
// otherwise wait for the batches.
std::function<void()> BestPlanRunBeside(EngineRun& run, const BestPlan& best) {
    auto simulated = std::make_shared<SimulatedPlan>(PrepareBestPlanRun(run, best));
    return [&run, simulated] {
        DelayResults results;
        RunBestPlan(run, *simulated, results);
    };
}

// The plan, the report's tables and the approach results of the reported plan.
void WriteVariantTables(EngineRun& run, RecordWriter& report, const BestPlan& best,
                        const DelayResults& results, const SimulatedPlan& simulated) {
    const Scenario& scenario = run.scenario;
    const int32_t strategy = scenario.controlStrategy;
    const ApproachTotals totals = simulated.counter->totals(results);
    report.write("(' ')");
    report.write("(' ')");
    WriteTimingPlanFile(run.files.variantPlan(strategy), scenario, best.tables,
                        PlanFileHorizon(scenario));
    WriteOptimisedPlan(report, scenario, best.variant, best.plan);
    WriteDelayTable(report, scenario, results, totals);
    WriteApproachResults(run.files.variantResults(strategy), scenario, results, totals);
}

// The reported plan's run and result files. The occupancy file, by far the largest, comes
// from a run of its own on a second worker while the first simulates the plan for the
// other files and writes them. A failure is reported as the files come: plan, report,
// approach results, occupancy, plots.
void SimulateAndWriteVariant(EngineRun& run, RecordWriter& report, const BestPlan& best,
                             DelayResults& results, WorkerPool& pool) {
    const Scenario& scenario = run.scenario;
    const auto writeOccupancy = [&](NetworkStepper& stepper) {
        WriteOccupancyFile(run.files.variantOccupancy(scenario.controlStrategy), scenario, stepper);
    };
    if (pool.size() < 2) {
        const SimulatedPlan simulated = SimulateBestPlan(run, best, results);
        WriteVariantTables(run, report, best, results, simulated);
        writeOccupancy(*simulated.stepper);
        WritePlotFiles(run.files.ctmplot, scenario, *simulated.plots);
        return;
    }
    std::exception_ptr tablesFailure, occupancyFailure, plotsFailure;
    pool.run(2, [&](size_t w) {
        if (w == 1) {
            try {
                NetworkStepper own(scenario, run.tables, best.tables);
                writeOccupancy(own);
            } catch (...) {
                occupancyFailure = std::current_exception();
            }
            return;
        }
        try {
            const SimulatedPlan simulated = SimulateBestPlan(run, best, results);
            WriteVariantTables(run, report, best, results, simulated);
            try {
                WritePlotFiles(run.files.ctmplot, scenario, *simulated.plots);
            } catch (...) {
                plotsFailure = std::current_exception();
            }
        } catch (...) {
            tablesFailure = std::current_exception();
        }
    });
    for (const std::exception_ptr& failure : {tablesFailure, occupancyFailure, plotsFailure}) {
        if (failure)
            std::rethrow_exception(failure);
    }
}

// A network that cannot be simulated stops the run before any search, with the same
// messages as the existing-plan path.
void CheckNetwork(EngineRun& run) {
    InScenario(run, [&run] { CheckSimulationInput(run.scenario); });
}

}  // namespace

void CheckOptimisationInput(const Scenario& scenario) {
    RequireAtLeast("generationNum", scenario.generationNum, 1);
    RequireAtLeast("terminationNum", scenario.terminationNum, 1);
    RequireAtLeast("populationSize", scenario.populationSize, 2);
    // Without a cycle every plan is red throughout, and the variable-cycle chromosome has
    // no cycle bits to decode.
    RequireAtLeast("phaseCycle", scenario.phaseCycle, 1);
    if (scenario.generationNum > kMaxGenerations) {
        throw EngineError("generationNum is " + std::to_string(scenario.generationNum) +
                          ", expected at most " + std::to_string(kMaxGenerations));
    }
    if (scenario.populationSize > kMaxPopulation) {
        throw EngineError("populationSize is " + std::to_string(scenario.populationSize) +
                          ", expected at most " + std::to_string(kMaxPopulation));
    }
    for (const PlanVariant variant : StageChain(scenario.controlStrategy)) {
        CheckMutationCanFinish(MakeLayout(scenario, variant), scenario.populationSize,
                               scenario.mutationRate);
    }
}

OptimisationSummary RunOptimisation(EngineRun& run, unsigned threads, const RefineOptions& refine) {
    return RunOptimisation(run, threads, LanesFromEnvironment(), refine);
}

OptimisationSummary RunOptimisation(EngineRun& run, unsigned threads, int maxLanes,
                                    const RefineOptions& refine, int32_t seed) {
    const Scenario& scenario = run.scenario;
    try {
        CheckOptimisationInput(scenario);
    } catch (const EngineError& error) {
        throw EngineError("Error in " + run.files.inputFin + ": " + error.what());
    }
    const std::optional<PlanVariant> reported = ReportedVariant(scenario.controlStrategy);
    if (!reported) {
        ConsoleLine(run.console, "controlStrategy " + std::to_string(scenario.controlStrategy) +
                                     " is not 1, 2 or 3: only the FGFC search runs and no "
                                     "plan is reported");
    }

    RecordWriter* report = reported ? run.variantWriter : nullptr;
    if (report != nullptr)
        WriteGaReportHeader(*report, scenario, *reported);
    // After the header, as the first simulation would find it.
    CheckNetwork(run);

    const PlanCostFactory costs = DelayCosts(scenario, run.tables, maxLanes);
    GenerationEvaluator evaluator(scenario, costs, threads);
    const std::vector<PlanVariant> chain = StageChain(scenario.controlStrategy);
    GaState state;
    state.random = UniformRandom(seed);
    OptimisationSummary summary;
    auto results = std::make_unique<DelayResults>();
    std::function<void()> pendingRun;
    for (const PlanVariant variant : chain) {
        const ChromosomeLayout layout = MakeLayout(scenario, variant);
        const bool reports = reported == variant && report != nullptr;
        GaOutput output;
        output.console = &run.console;
        output.report = reports ? report : nullptr;
        output.elapsedSeconds = [&run] { return run.elapsedSeconds(); };
        const StageResult stage =
            RunGaStage(scenario, layout, evaluator, state, MakeSeeding(run, layout, *state.best),
                       output, pendingRun);
        pendingRun = nullptr;
        summary.evaluations += static_cast<long long>(stage.generations) * scenario.populationSize;
        if (!state.best->found) {
            throw EngineError("No plan of the " + PlanVariantName(variant) +
                              " search could be evaluated");
        }
        if (refine.refine && variant == chain.back()) {
            const long long budget =
                refine.budget > 0 ? refine.budget : RefinementBudget(summary.evaluations);
            summary.evaluations +=
                RefineBestPlan(scenario, costs, evaluator.pool(), budget, *state.best, run.console,
                               reports ? report : nullptr);
        }
        if (reports)
            SimulateAndWriteVariant(run, *report, *state.best, *results, evaluator.pool());
        else if (variant != chain.back())
            pendingRun = BestPlanRunBeside(run, *state.best);
        else
            SimulateBestPlan(run, *state.best, *results);
    }
    summary.bestTwd = state.best->twd;
    return summary;
}

}  // namespace talvo
