// Search quality of the GA alone and of the GA followed by the refinement (--refine).
//
// BM_SearchQuality: small FGFC networks whose whole plan space (cycle, every split and
// every offset in whole seconds) the benchmark walks through for the exhaustive best: an
// isolated two-phase junction at three demand levels and two coordinated junctions. The
// counters give the GA's TWD, the refined TWD, the exhaustive best and the gaps in percent.
// BM_RefinementCost: the grid example (FGFC) and the grid grown to 200 cells (VGVC, the
// optimiser benchmark's network) with the GA alone and with refinement: TWD, evaluations
// and wall time of each.
//
//   build/bin/talvo_bench --benchmark_filter='SearchQuality|RefinementCost'
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "BenchScenario.h"
#include "TestNetworks.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "optimiser/DelayCosts.h"
#include "optimiser/GaStage.h"
#include "optimiser/Optimiser.h"
#include "optimiser/Refinement.h"
#include "run/EngineRun.h"
#include "run/RunFiles.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;

void SetSearch(Scenario& s, int32_t minGreen, int32_t minCycle, int32_t maxCycle) {
    s.optimizationOn = 'Y';
    s.controlStrategy = 1;
    s.minGreenTime = minGreen;
    s.minCycleTime = minCycle;
    s.maxCycleTime = maxCycle;
    s.networkCycleTime = maxCycle;
    s.phaseCycle = s.endSimulationStep / minCycle + 1;
    s.populationSize = 20;
    s.generationNum = 30;
    s.terminationNum = 10;
    s.mutationRate = 0.05f;
    s.fitnessIndex = 5;
    for (int p = 1; p <= s.numIntersections; ++p) {
        Intersection& node = s.intersections[p];
        node.stageDuration[0] = 2 * minGreen;
        node.stageTime[1] = maxCycle / 2;
        node.stageTime[2] = maxCycle - maxCycle / 2;
    }
}

// The junction of the engine's tests with its demand scaled by `demand`; cycles 30..60 s.
test::TestNetwork IsolatedJunction(float demand) {
    test::TestNetwork net = test::MakeJunctionNetwork(1, 600, 0.3f);
    for (int c = 1; c <= net.scenario.numCells; ++c) {
        if (net.scenario.cells[c].kind != CellKind::Origin)
            continue;
        net.tables->scaleLoadings(c, demand);
    }
    SetSearch(net.scenario, 10, 30, 60);
    return net;
}

// An arterial through two junctions 4 cells apart, each with a side street; cycles 36..40 s.
test::TestNetwork CoordinatedPair() {
    test::TestNetwork net(1, 400);
    const int origin = net.addCell(CellKind::Origin);
    std::vector<int> main;
    for (int i = 0; i < 9; ++i)
        main.push_back(net.addCell(CellKind::Ordinary));
    const int end = net.addCell(CellKind::Destination);
    net.link(origin, main[0]);
    for (size_t i = 0; i + 1 < main.size(); ++i)
        net.link(main[i], main[i + 1]);
    net.link(main.back(), end);
    net.addIntersection(1, 0, {18, 18});
    net.addIntersection(2, 0, {18, 18});
    net.addSignal(1, 1, "YN");
    net.addSignal(2, 1, "NY");
    net.addSignal(3, 2, "YN");
    net.addSignal(4, 2, "NY");
    net.gate(main[2], 1);
    net.gate(main[6], 3);
    std::vector<int> sides;
    for (const int k : {2, 4}) {
        const int sideOrigin = net.addCell(CellKind::Origin, 1, 30);
        const int stop = net.addCell(CellKind::Ordinary, 1, 30);
        const int sideEnd = net.addCell(CellKind::Destination, 1, 30);
        net.link(sideOrigin, stop);
        net.link(stop, sideEnd);
        net.gate(stop, k);
        net.load(sideOrigin, 500.0f / 3600.0f, 0, 300);
        sides.push_back(sideOrigin);
        sides.push_back(stop);
    }
    net.load(origin, 1600.0f / 3600.0f, 0, 300);
    net.fillFromCapacity(0.2f);
    net.addApproach(1.0f, {origin, main[0], main[1], main[2]});
    net.addApproach(1.0f, {main[3], main[4], main[5], main[6]});
    net.addApproach(1.0f, {sides[0], sides[1]});
    net.addApproach(1.0f, {sides[2], sides[3]});
    SetSearch(net.scenario, 12, 36, 40);
    return net;
}

// Every FGFC plan of a network whose intersections have two free stages each: cycle,
// first green and offset (0..cycle-1) of every intersection. Threads take cycles and
// first offsets in turn; each keeps its own minimum.
float ExhaustiveBest(const Scenario& s, const TimeTables& tables, unsigned threads) {
    const PlanCostFactory makeCost = DelayCosts(s, tables, 0);
    const int n = s.numIntersections;
    std::vector<std::pair<int32_t, int32_t>> jobs;  // (cycle, offset of intersection 1)
    for (int32_t cycle = s.minCycleTime; cycle <= s.maxCycleTime; ++cycle) {
        for (int32_t offset = 0; offset < cycle; ++offset)
            jobs.emplace_back(cycle, offset);
    }
    std::atomic<size_t> next{0};
    std::mutex guard;
    float best = std::numeric_limits<float>::infinity();
    const auto work = [&] {
        std::unique_ptr<PlanCost> cost = makeCost();
        PlanBatch* batch = cost->batch();
        const int width = batch != nullptr ? batch->capacity() : 1;
        auto plan = std::make_unique<StagePlan>();
        auto signals = std::make_unique<SignalTables>();
        std::vector<float> twd(static_cast<size_t>(width));
        float mine = std::numeric_limits<float>::infinity();
        int loaded = 0;
        const auto flush = [&] {
            if (batch != nullptr && loaded > 0) {
                batch->evaluate(loaded, twd.data());
                for (int k = 0; k < loaded; ++k)
                    mine = std::min(mine, twd[static_cast<size_t>(k)]);
            }
            loaded = 0;
        };
        for (size_t job = next++; job < jobs.size(); job = next++) {
            const auto [cycle, firstOffset] = jobs[job];
            const int32_t greens = cycle - 2 * s.minGreenTime + 1;
            // Mixed-radix counter over (green of each intersection, offsets of 2..n).
            std::vector<int32_t> digit(static_cast<size_t>(2 * n - 1), 0);
            for (;;) {
                plan->offset[1] = firstOffset;
                for (int p = 1; p <= n; ++p) {
                    const int32_t green = s.minGreenTime + digit[static_cast<size_t>(p - 1)];
                    if (p > 1)
                        plan->offset[p] = digit[static_cast<size_t>(n + p - 2)];
                    plan->slotDuration[p][0] = plan->offset[p];
                    plan->slotDuration[p][1] = green;
                    plan->slotDuration[p][2] = cycle - green;
                }
                plan->networkCycleTime = cycle;
                BuildSignalTable(s, *plan, *signals);
                if (batch != nullptr) {
                    batch->load(loaded++, *signals);
                    if (loaded == width)
                        flush();
                } else {
                    mine = std::min(mine, cost->totalWeightedDelay(*signals));
                }
                size_t d = 0;
                for (; d < digit.size(); ++d) {
                    const int32_t radix = d < static_cast<size_t>(n) ? greens : cycle;
                    if (++digit[d] < radix)
                        break;
                    digit[d] = 0;
                }
                if (d == digit.size())
                    break;
            }
        }
        flush();
        const std::lock_guard<std::mutex> lock(guard);
        best = std::min(best, mine);
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();
    return best;
}

// Args: network (0..2 the isolated junction at 60, 80 and 100 % demand, 3 the pair).
void BM_SearchQuality(benchmark::State& state) {
    const int network = int(state.range(0));
    const test::TestNetwork net =
        network < 3 ? IsolatedJunction(0.6f + 0.2f * float(network)) : CoordinatedPair();
    const Scenario& s = net.scenario;
    const unsigned threads = 2;
    for (auto _ : state) {
        const PlanCostFactory costs = DelayCosts(s, *net.tables, 0);
        GenerationEvaluator evaluator(s, costs, threads);
        GaState ga;
        GaOutput output;
        output.elapsedSeconds = [] { return 0.0; };
        const StageResult stage =
            RunGaStage(s, MakeLayout(s, PlanVariant::FGFC), evaluator, ga, nullptr, output);
        const long long gaEvaluations =
            static_cast<long long>(stage.generations) * s.populationSize;
        MoveEvaluator moves(s, PlanVariant::FGFC, costs, threads);
        const RefinementResult refined = RefinePlan(s, PlanVariant::FGFC, moves, ga.best->plan,
                                                    ga.best->twd, RefinementBudget(gaEvaluations));
        const float exhaustive = ExhaustiveBest(s, *net.tables, threads);
        const float gaTwd = ga.best->twd;
        const float refinedTwd = std::min(gaTwd, refined.chosen().twd);
        state.counters["ga_twd"] = gaTwd;
        state.counters["refined_twd"] = refinedTwd;
        state.counters["exhaustive_twd"] = exhaustive;
        state.counters["ga_gap_pct"] = 100.0 * (gaTwd - exhaustive) / exhaustive;
        state.counters["refined_gap_pct"] = 100.0 * (refinedTwd - exhaustive) / exhaustive;
        state.counters["ga_evaluations"] = double(gaEvaluations);
        state.counters["refine_evaluations"] = double(refined.evaluations);
    }
}

// The input of a benchmark network (0 the grid as bundled, FGFC; 1 the optimiser
// benchmark's VGVC search of the 200-cell grid).
std::string NetworkInput(int network) {
    if (network == 0)
        return bench::InputText(bench::InputLines("grid"));
    return bench::VgvcBenchmarkInput();
}

// Args: network (as NetworkInput), refine (0 or 1). Two threads, the widest lanes.
void BM_RefinementCost(benchmark::State& state) {
    const std::string input = NetworkInput(int(state.range(0)));
    const bool refine = state.range(1) != 0;
    const fs::path runDir = fs::temp_directory_path() / "talvo-refinement-bench";
    fs::create_directories(runDir);
    fs::copy_file(fs::path(TALVO_SOURCE_DIR) / "examples" / "grid" / "plan.tpl",
                  runDir / "plan.tpl", fs::copy_options::overwrite_existing);
    for (auto _ : state) {
        const RunFiles files = FormRunFiles(runDir.string() + "/");
        std::istringstream text(input);
        TokenReader reader(text, "input.fin");
        auto scenario = std::make_unique<Scenario>();
        auto tables = std::make_unique<TimeTables>();
        ReadRunChoice(reader, *scenario);
        std::ofstream existReport(files.outputExist, std::ios::binary);
        std::ofstream variantReport(files.variantReport(scenario->controlStrategy),
                                    std::ios::binary);
        RecordWriter echo(existReport);
        RecordWriter variantWriter(variantReport);
        std::ostringstream console;
        ReadScenario(reader, *scenario, *tables, echo, console);
        const auto start = std::chrono::steady_clock::now();
        EngineRun run{files,          *scenario,      *tables, existReport, echo,
                      &variantReport, &variantWriter, console, start};
        const OptimisationSummary summary = RunOptimisation(run, 2, 0, RefineOptions{refine});
        state.counters["twd"] = summary.bestTwd;
        state.counters["evaluations"] = double(summary.evaluations);
        state.counters["seconds"] =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    fs::remove_all(runDir);
}

}  // namespace
}  // namespace talvo

BENCHMARK(talvo::BM_SearchQuality)
    ->ArgNames({"network"})
    ->DenseRange(0, 3)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();

BENCHMARK(talvo::BM_RefinementCost)
    ->ArgNames({"network", "refine"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
