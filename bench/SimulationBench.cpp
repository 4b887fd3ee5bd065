// Cell-steps per second of one CTM run of the grid example (190 cells, 12 signalised
// junctions, 3601 steps): the full run that fills the time tables, and the lean delay
// evaluation the optimiser calls per plan.
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchScenario.h"
#include "Delay.h"
#include "SignalControl.h"
#include "Simulation.h"

namespace talvo {
namespace {

struct GridRun {
    const bench::LoadedScenario& example = bench::Example("grid");
    std::unique_ptr<TimeTables> tables = std::make_unique<TimeTables>(*example.tables);
    std::unique_ptr<SignalTables> signals = std::make_unique<SignalTables>();
    std::unique_ptr<FlowNetwork> network = std::make_unique<FlowNetwork>();

    GridRun() {
        BuildSignalTable(*example.scenario, ExistingStagePlan(*example.scenario), *signals);
        BuildFlowNetwork(*example.scenario, *network);
    }

    double cellSteps() const { return double(network->numCells) * network->stepCount; }
};

void BM_SimulateNetwork(benchmark::State& state) {
    GridRun run;
    DelayResults results;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SimulateNetwork(*run.network, *run.example.scenario, *run.signals,
                                                 *run.tables, results));
    }
    state.counters["cell-steps/s"] =
        benchmark::Counter(run.cellSteps(), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SimulateNetwork)->Unit(benchmark::kMillisecond);

void BM_DelayEvaluator(benchmark::State& state) {
    GridRun run;
    DelayEvaluator evaluator(*run.example.scenario, *run.example.tables);
    for (auto _ : state) {
        benchmark::DoNotOptimize(evaluator.evaluate(*run.signals));
    }
    state.counters["cell-steps/s"] =
        benchmark::Counter(run.cellSteps(), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DelayEvaluator)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvo
