#pragma once
// Reads the scenario file "input.fin" into the engine's tables, preparing the network on
// the way and echoing every section into the run report. Values beyond the tables' bounds
// are rejected before anything is stored; every failure throws EngineError naming the
// file, the line, the value found and what was expected.

#include <ostream>
#include <string_view>

#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/TokenReader.h"

namespace talvo {

// Lines 1 and 2: optimizationOn and controlStrategy, which decide the run's files; an
// optimisation needs a controlStrategy of 1, 2 or 3.
void ReadRunChoice(TokenReader& in, Scenario& scenario);

// The rest of the file, after ReadRunChoice: global parameters from line 3 on, cells,
// demand, timing plan, approaches and plot groups. Writes the echo into `echo` and the
// progress lines onto `console`. `scenario` and `tables` must be fresh (all zero): the
// preparation adds into them.
void ReadScenario(TokenReader& in, Scenario& scenario, TimeTables& tables, RecordWriter& echo,
                  std::ostream& console);

// The whole file: ReadRunChoice, then ReadScenario.
void ReadWholeScenario(TokenReader& in, Scenario& scenario, TimeTables& tables, RecordWriter& echo,
                       std::ostream& console);

// The kind of a cell type code, compared without regard to case; unknown codes are
// ordinary cells.
CellKind CellKindOf(std::string_view code);

}  // namespace talvo
