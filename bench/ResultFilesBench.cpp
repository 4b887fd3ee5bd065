// Wall time of writing the occupancy file of the 200-cell grid's existing plan (200 cells,
// 3601 lines each, 23 MB): the run again with its occupancies recorded, the lines, the
// writes. Each time a new file, as a run writes it.
//
//   build/bin/talvo_bench --benchmark_filter=OccupancyFile
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "BenchScenario.h"
#include "NetworkStepper.h"
#include "ResultFiles.h"
#include "SignalControl.h"

namespace talvo {
namespace {

void BM_OccupancyFile(benchmark::State& state) {
    const bench::LoadedScenario& example = bench::Example("grid200");
    auto signals = std::make_unique<SignalTables>();
    BuildSignalTable(*example.scenario, ExistingStagePlan(*example.scenario), *signals);
    NetworkStepper stepper(*example.scenario, *example.tables, *signals);
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "talvo-occupancy-bench.occ";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(path);
        state.ResumeTiming();
        WriteOccupancyFile(path.string(), *example.scenario, stepper);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) *
                            int64_t(std::filesystem::file_size(path)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_OccupancyFile)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace talvo
