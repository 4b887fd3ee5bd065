// Wall time of a whole VGVC optimisation (FGFC, VGFC and VGVC searches, population 100,
// 30 generations each) on the grid example, with 1 and 2 evaluating threads. The plans
// span 11 cycles, as many as the chromosome capacities allow on this network.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "optimiser/Optimiser.h"
#include "run/EngineRun.h"
#include "run/RunFiles.h"

namespace {

namespace fs = std::filesystem;
using talvo::EngineRun;
using talvo::FormRunFiles;
using talvo::ReadRunChoice;
using talvo::ReadScenario;
using talvo::RecordWriter;
using talvo::RunFiles;
using talvo::Scenario;
using talvo::TimeTables;
using talvo::TokenReader;

constexpr int32_t kBenchCycles = 11;
const fs::path kExample = fs::path(TALVO_SOURCE_DIR) / "examples" / "grid";

// The example's input with the optimisation lines replaced: VGVC, population 100,
// 30 generations, no early stop.
std::string BenchmarkInput() {
    std::ifstream in(kExample / "input.fin", std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    if (lines.size() < 10)
        throw std::runtime_error("examples/grid/input.fin is too short");
    const std::vector<std::pair<size_t, std::string>> replaced{
        {0, "Y"}, {1, "3"}, {7, "100"}, {8, "30"}, {9, "30"}};
    for (const auto& [index, value] : replaced)
        lines[index] = value;
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

void BM_VgvcOptimisation(benchmark::State& state) {
    const unsigned threads = static_cast<unsigned>(state.range(0));
    const fs::path runDir = fs::temp_directory_path() / "talvo-optimiser-bench";
    fs::create_directories(runDir);
    fs::copy_file(kExample / "plan.tpl", runDir / "plan.tpl", fs::copy_options::overwrite_existing);
    const std::string input = BenchmarkInput();

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
        // The example lays out 40 cycles; cycle-by-cycle chromosomes of 24 free stages and
        // 12 intersections hold at most 11 (1000 cycle bits, 3000 stage bits).
        scenario->phaseCycle = std::min(scenario->phaseCycle, kBenchCycles);

        const auto start = std::chrono::steady_clock::now();
        EngineRun run{files,          *scenario,      *tables, existReport, echo,
                      &variantReport, &variantWriter, console, start};
        const auto summary = talvo::RunOptimisation(run, threads);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        evaluations += summary.evaluations;
        benchmark::DoNotOptimize(summary.bestTwd);
    }
    state.counters["simulations"] = static_cast<double>(evaluations) / state.iterations();
    state.counters["simulations_per_s"] = static_cast<double>(evaluations) / seconds;
    fs::remove_all(runDir);
}

}  // namespace

BENCHMARK(BM_VgvcOptimisation)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
