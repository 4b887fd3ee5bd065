// The one entry point of talvo_bench; benchmark files only register their cases.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
