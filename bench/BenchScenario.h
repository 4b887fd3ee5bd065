#pragma once
// The bundled examples, read once per benchmark process.

#include <memory>
#include <string>

#include "Scenario.h"

namespace talvo::bench {

struct LoadedScenario {
    std::unique_ptr<Scenario> scenario = std::make_unique<Scenario>();
    std::unique_ptr<TimeTables> tables = std::make_unique<TimeTables>();
};

// Reads examples/<name>/input.fin of the source tree (tables prepared, echo discarded).
const LoadedScenario& Example(const std::string& name);

}  // namespace talvo::bench
