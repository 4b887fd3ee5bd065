// The engine's timing plan file "plan.tpl": the bytes are the file's content, read for a
// fixed scenario with several signal records (fuzz/data/plan-scenario.fin), then every
// sequence is looked up over the first seconds as the signal control does.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "EngineError.h"
#include "FuzzSupport.h"
#include "Scenario.h"
#include "SignalControl.h"
#include "TimingPlanFile.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"

namespace {

const talvo::Scenario& PlanScenario() {
    static const std::unique_ptr<talvo::Scenario> scenario = [] {
        auto s = std::make_unique<talvo::Scenario>();
        auto tables = std::make_unique<talvo::TimeTables>();
        std::ifstream in(TALVO_FUZZ_DATA "/plan-scenario.fin", std::ios::binary);
        talvo::TokenReader reader(in, "plan-scenario.fin");
        talvo::fuzz::DiscardStream echo;
        talvo::fuzz::DiscardStream console;
        talvo::RecordWriter writer(echo);
        talvo::ReadWholeScenario(reader, *s, *tables, writer, console);
        if (s->signalNumbers.empty()) {
            talvo::fuzz::Finding("the plan scenario has no signal records");
        }
        return s;
    }();
    return *scenario;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const talvo::Scenario& scenario = PlanScenario();
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    auto tables = std::make_unique<talvo::SignalTables>();
    try {
        talvo::ReadTimingPlan(in, "plan.tpl", scenario, *tables);
    } catch (const talvo::EngineError&) {
        return 0;  // a clear error is a proper end of the run
    }
    int32_t green = 0;
    for (const int k : scenario.signalNumbers) {
        for (int32_t t = 0; t < 400; ++t) {
            green += talvo::SignalStateAt(tables->sequences[k], t);
        }
    }
    return green < 0 ? 1 : 0;
}
