#pragma once
// Errors in the scenario that only the network's checks find, after the file has been
// read: they are reported against the scenario file, with the line of the cell record
// they name.

#include <string>

#include "EngineError.h"
#include "FlowNetwork.h"
#include "run/Console.h"
#include "run/EngineRun.h"

namespace talvo {

// "Error in <scenario file>, line <n>: <what>", the line being that of the first cell
// record `what` names ("cell 6 (1-DI-6)"); without a line when it names none.
std::string ScenarioErrorMessage(const EngineRun& run, const std::string& what);

// Runs `step`, turning its EngineError into the scenario's message; a zero diverge split
// shows its console line first.
template <typename Step>
void InScenario(const EngineRun& run, Step step) {
    try {
        step();
    } catch (const DivergeSplitError& error) {
        ConsoleLine(run.console, kDivergeSplitMessage);
        throw EngineError(ScenarioErrorMessage(run, error.what()));
    } catch (const EngineError& error) {
        throw EngineError(ScenarioErrorMessage(run, error.what()));
    }
}

}  // namespace talvo
