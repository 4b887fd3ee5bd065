// Wall time of a whole VGVC optimisation (FGFC, VGFC and VGVC searches, population 100,
// 30 generations each, 9000 evaluations) of the grid grown to 200 cells, delay period
// 0..900 of 3600 s, with 1 and 2 evaluating threads, evaluating one plan at a time
// (lanes 1) and in the widest SIMD lanes (lanes 0). The plans span 11 cycles, as many as
// the chromosome capacities allow on this network.
//
//   build/bin/talvo_bench --benchmark_filter=VgvcOptimisation
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "BenchScenario.h"
#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "optimiser/Optimiser.h"
#include "run/EngineRun.h"
#include "run/RunFiles.h"

namespace talvo {
namespace {

namespace fs = std::filesystem;

// Args: threads, widest lane kernel allowed (1: one plan at a time, 0: no limit).
void BM_VgvcOptimisation(benchmark::State& state) {
    const unsigned threads = unsigned(state.range(0));
    const int lanes = int(state.range(1));
    const fs::path runDir = fs::temp_directory_path() / "talvo-optimiser-bench";
    fs::create_directories(runDir);
    fs::copy_file(fs::path(TALVO_SOURCE_DIR) / "examples" / "grid" / "plan.tpl",
                  runDir / "plan.tpl", fs::copy_options::overwrite_existing);
    const std::string input = bench::VgvcBenchmarkInput();

    long long evaluations = 0;
    double seconds = 0;
    for (auto _ : state) {
        const RunFiles files = FormRunFiles(runDir.string() + "/");
        std::istringstream text(input);
        TokenReader reader(text, "input.fin");
        auto scenario = std::make_unique<Scenario>();
        auto tables = std::make_unique<TimeTables>();
        ReadRunChoice(reader, *scenario);
        std::ofstream existReport(files.outputExist, std::ios::binary);
        std::ofstream variantReport(files.outputVGVC, std::ios::binary);
        RecordWriter echo(existReport);
        RecordWriter variantWriter(variantReport);
        std::ostringstream console;
        ReadScenario(reader, *scenario, *tables, echo, console);

        const auto start = std::chrono::steady_clock::now();
        EngineRun run{files,          *scenario,      *tables, existReport, echo,
                      &variantReport, &variantWriter, console, start};
        const auto summary = RunOptimisation(run, threads, lanes);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        evaluations += summary.evaluations;
        benchmark::DoNotOptimize(summary.bestTwd);
    }
    state.counters["simulations"] = double(evaluations) / double(state.iterations());
    state.counters["simulations_per_s"] = double(evaluations) / seconds;
    fs::remove_all(runDir);
}

}  // namespace
}  // namespace talvo

BENCHMARK(talvo::BM_VgvcOptimisation)
    ->ArgNames({"threads", "lanes"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({2, 1})
    ->Args({2, 0})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
