// Cell-steps per second of one CTM run: the full run that fills the time tables (grid
// example, 190 cells, 12 signalised junctions, 3601 steps), and the lean delay evaluation
// the optimiser calls per plan, one plan at a time and a batch in the SIMD lanes, on the
// grid and on the grid grown to 200 cells. The lean evaluations run side by side on the
// same plans in every iteration, so that both see the same load of the machine, and are
// timed by the thread's processor time, so that other processes on the core count not;
// the counters give each one's rate per core and the ratio of the lanes to one at a time.
//
//   build/bin/talvo_bench --benchmark_filter=Evaluators --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <ctime>
#include <exception>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "BenchScenario.h"
#include "Delay.h"
#include "SignalControl.h"
#include "Simulation.h"
#include "lanes/LaneDelayEvaluator.h"
#include "lanes/LaneKernels.h"

namespace talvo {
namespace {

void BM_SimulateNetwork(benchmark::State& state) {
    const bench::LoadedScenario& example = bench::Example("grid");
    auto tables = std::make_unique<TimeTables>(*example.tables);
    auto signals = std::make_unique<SignalTables>();
    auto network = std::make_unique<FlowNetwork>();
    BuildSignalTable(*example.scenario, ExistingStagePlan(*example.scenario), *signals);
    BuildFlowNetwork(*example.scenario, *network);
    DelayResults results;
    for (auto _ : state) {
        benchmark::DoNotOptimize(SimulateNetwork(*example.scenario, *signals, *tables, results));
    }
    state.counters["cell-steps/s"] =
        benchmark::Counter(double(network->numCells) * network->stepCount,
                           benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SimulateNetwork)->Unit(benchmark::kMillisecond);

// Plans of random offsets and stage times, different in every cycle, as a search draws.
std::vector<std::unique_ptr<SignalTables>> RandomPlans(const Scenario& s, int count) {
    std::mt19937 random(7);
    std::vector<std::unique_ptr<SignalTables>> plans;
    for (int k = 0; k < count; ++k) {
        StagePlan plan = ExistingStagePlan(s);
        plan.variesByCycle = true;
        for (int p = 1; p <= s.numIntersections; ++p) {
            plan.offset[p] = int32_t(random() % 128);
            for (int slot = 1; slot <= s.phaseCycle * s.intersections[p].stageCount; ++slot) {
                plan.slotDuration[p][slot] = int32_t(10 + random() % 40);
            }
        }
        plans.push_back(std::make_unique<SignalTables>());
        BuildSignalTable(s, plan, *plans.back());
    }
    return plans;
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

// Arg: the widest lane kernel allowed.
void BM_Evaluators(benchmark::State& state, const char* network) {
    const bench::LoadedScenario& example = bench::Example(network);
    const Scenario& s = *example.scenario;
    const LaneKernel kernel = WidestLaneKernel(int(state.range(0)));
    DelayEvaluator single(s, *example.tables);
    LaneDelayEvaluator lanes(s, *example.tables, kernel);
    const int width = lanes.width();
    const auto plans = RandomPlans(s, width);
    std::vector<float> twd(size_t(width), 0.0f);
    double singleSeconds = 0, lanesSeconds = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        for (int k = 0; k < width; ++k) {
            benchmark::DoNotOptimize(single.evaluate(*plans[size_t(k)]));
        }
        const double middle = ThreadSeconds();
        for (int k = 0; k < width; ++k) {
            lanes.load(k, *plans[size_t(k)]);
        }
        lanes.evaluate(width, twd.data());
        benchmark::DoNotOptimize(twd.data());
        lanesSeconds += ThreadSeconds() - middle;
        singleSeconds += middle - start;
    }
    const double cellSteps =
        double(s.numCells) * (MakeDelayLayout(s).lastStep + 1) * width * double(state.iterations());
    const double singleRate = cellSteps / singleSeconds;
    const double lanesRate = cellSteps / lanesSeconds;
    state.SetLabel(std::string(network) + ", " + kernel.name + " " + std::to_string(width) +
                   " lanes");
    state.counters["one-plan cell-steps/s"] = singleRate;
    state.counters["lanes cell-steps/s"] = lanesRate;
    state.counters["lanes/one-plan"] = lanesRate / singleRate;
}
BENCHMARK_CAPTURE(BM_Evaluators, grid, "grid")
    ->Arg(0)
    ->Arg(8)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Evaluators, grid200, "grid200")
    ->Arg(0)
    ->Arg(8)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond);

// Lane cell-steps per second per core of the widest kernel on a large network (the grid
// grown to N cells, or the district example) against the 200-cell grid, a batch of each in
// turn in every iteration, so that both see the same load; "large/grid200" is the ratio
// of their rates. Each network runs random plans of its own junctions.
//
//   build/bin/talvo_bench --benchmark_filter=LaneScale
void BM_LaneScale(benchmark::State& state, const char* network) {
    const std::string largeName = network;
    const bench::LoadedScenario* large = nullptr;
    try {
        large = &bench::Example(largeName);
    } catch (const std::exception& error) {
        state.SkipWithError((largeName + " cannot be read: " + error.what()).c_str());
        return;
    }
    const bench::LoadedScenario& small = bench::Example("grid200");
    const LaneKernel kernel = WidestLaneKernel();
    struct Subject {
        Subject(const bench::LoadedScenario& example, const LaneKernel& kernel)
            : lanes(*example.scenario, *example.tables, kernel),
              cellSteps(double(example.scenario->numCells) *
                        (MakeDelayLayout(*example.scenario).lastStep + 1) * kernel.width),
              plans(RandomPlans(*example.scenario, kernel.width)) {}
        LaneDelayEvaluator lanes;
        double cellSteps;
        std::vector<std::unique_ptr<SignalTables>> plans;
        double seconds = 0;
    };
    std::unique_ptr<Subject> subjects[] = {std::make_unique<Subject>(*large, kernel),
                                           std::make_unique<Subject>(small, kernel)};
    std::vector<float> twd(size_t(kernel.width), 0.0f);
    for (auto _ : state) {
        for (const auto& subject : subjects) {
            for (int k = 0; k < kernel.width; ++k) {
                subject->lanes.load(k, *subject->plans[size_t(k)]);
            }
            const double start = ThreadSeconds();
            subject->lanes.evaluate(kernel.width, twd.data());
            subject->seconds += ThreadSeconds() - start;
            benchmark::DoNotOptimize(twd.data());
        }
    }
    const double iterations = double(state.iterations());
    const double largeRate = subjects[0]->cellSteps * iterations / subjects[0]->seconds;
    const double smallRate = subjects[1]->cellSteps * iterations / subjects[1]->seconds;
    state.SetLabel(largeName + " vs grid200, " + kernel.name + " " + std::to_string(kernel.width) +
                   " lanes");
    state.counters["large cell-steps/s"] = largeRate;
    state.counters["grid200 cell-steps/s"] = smallRate;
    state.counters["large/grid200"] = largeRate / smallRate;
}
BENCHMARK_CAPTURE(BM_LaneScale, grid2000, "grid2000")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LaneScale, grid20000, "grid20000")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LaneScale, district, "district")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvo
