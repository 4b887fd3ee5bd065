// The scenario file "input.fin": the bytes are the file's content, read from the first
// line to the plot groups with the preparation and the echo, as a run reads it, then
// checked as a run checks it before simulating or optimising.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "EngineError.h"
#include "FlowNetwork.h"
#include "FuzzSupport.h"
#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "optimiser/Optimiser.h"

namespace {

// The time tables are large (tens of megabytes); allocating them for every input would
// leave the fuzzer a few runs a second. One set is kept, and what a read writes into it
// is put back to zero afterwards: the occupancy at time 0 and the loadings' inflows.
void ClearWhatTheReadWrote(const talvo::Scenario& scenario, talvo::TimeTables& tables) {
    float* const start = tables.occupancyRow(0);
    std::fill(start, start + talvo::TimeTables::kRow, 0.0f);
    for (const talvo::Loading& loading : scenario.loadings) {
        if (loading.cell < 1 || loading.cell > talvo::kMaxCells) {
            continue;
        }
        for (int32_t t = std::max<int32_t>(loading.loadStart, 0);
             t <= std::min<int32_t>(loading.loadEnd, talvo::kTimeSlots - 1); ++t) {
            tables.x(loading.cell, t) = 0.0f;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto tables = std::make_unique<talvo::TimeTables>();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    talvo::fuzz::DiscardStream echo;
    talvo::fuzz::DiscardStream console;
    auto scenario = std::make_unique<talvo::Scenario>();
    talvo::TokenReader reader(in, "input.fin");
    talvo::RecordWriter writer(echo);
    try {
        talvo::ReadWholeScenario(reader, *scenario, *tables, writer, console);
        // What a run checks next, before it simulates or searches.
        talvo::CheckSimulationInput(*scenario);
        if (scenario->optimising()) {
            talvo::CheckOptimisationInput(*scenario);
        }
    } catch (const talvo::EngineError&) {
        // A clear error is a proper end of the run.
    }
    ClearWhatTheReadWrote(*scenario, *tables);
    return 0;
}
