// The scenario file "input.fin": the bytes are the file's content, read from the first
// line to the plot groups with the preparation and the echo, as a run reads it, then
// checked as a run checks it before simulating or optimising.

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader sizes the tables for the file; their zeros come from fresh pages, so only
    // what a read writes costs time.
    const auto tables = std::make_unique<talvo::TimeTables>();
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
    return 0;
}
