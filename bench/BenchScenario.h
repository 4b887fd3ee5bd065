#pragma once
// The benchmark networks: the bundled examples and the grid grown to the engine's 200
// cells, as input text (for whole runs) or read once per benchmark process.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Scenario.h"

namespace talvo::bench {

struct LoadedScenario {
    std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
    std::unique_ptr<TimeTables> tables = std::make_unique<TimeTables>();
};

// The lines of a network's input.fin (line ends dropped): "grid" and "arterial" are the
// examples of the source tree; "gridN" (N = 200, 210, ..., 20000) is the grid with
// streets of ten cells added, one cell of each signalised, until it has N cells.
std::vector<std::string> InputLines(const std::string& name);

// Replaces lines by index (0-based); each line gets a CR LF end.
std::string InputText(std::vector<std::string> lines,
                      const std::vector<std::pair<size_t, std::string>>& replaced = {});

// Index of the first line of the timing-plan block (phaseCycle).
size_t PhaseCycleLine(const std::vector<std::string>& lines);

// The optimiser benchmark's input: the 200-cell grid as a VGVC search, delay period 0..900,
// population 100, 30 generations, no early stop, 11 cycles.
std::string VgvcBenchmarkInput();

// The network read once (tables prepared, echo discarded), as InputLines names it.
const LoadedScenario& Example(const std::string& name);

}  // namespace talvo::bench
