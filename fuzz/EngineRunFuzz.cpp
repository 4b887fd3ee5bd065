// A whole engine run as the editor starts it: inout.dir names a run directory that holds
// the bytes as "input.fin" and "plan.tpl". The two files' texts are split at a line
// "=== plan.tpl ===" (without it the plan file is empty). The run must end with status 0,
// or 1 after a message; status 2 (an unexpected exception) is a finding.
// The run takes the existing-plan path: an optimisation's run time grows with the
// population and generations the file asks for, which would read as hangs, so a file that
// asks for one is read with optimizationOn N (its checks are fuzzed through the scenario).
// For the same reason a run of more cell-seconds than 200 cells over 10000 s is only read:
// its run time and occupancy file grow with cells x seconds.

#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "EngineError.h"
#include "FuzzSupport.h"
#include "Scenario.h"
#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"
#include "talvo/Engine.h"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPlanSeparator = "\n=== plan.tpl ===\n";

void WriteFile(const fs::path& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    if (!out) {
        talvo::fuzz::Finding("cannot write the fuzz run directory");
    }
}

// One run directory for the whole process, removed at its end.
class RunDirectory {
  public:
    RunDirectory() {
        std::string pattern = (fs::temp_directory_path() / "talvo-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            talvo::fuzz::Finding("cannot create the fuzz run directory");
        }
        path_ = pattern;
        inout_ = path_ / "inout.dir";
        WriteFile(inout_, path_.string() + "/\r\n");
    }
    ~RunDirectory() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }

    const fs::path& path() const { return path_; }
    std::string inout() const { return inout_.string(); }

  private:
    fs::path path_;
    fs::path inout_;
};

// optimizationOn is the first character that is no separator.
void SimulateTheExistingPlan(std::string& scenario) {
    const size_t flag = scenario.find_first_not_of(" \t,\r\n");
    if (flag != std::string::npos && (scenario[flag] == 'Y' || scenario[flag] == 'y')) {
        scenario[flag] = 'N';
    }
}

constexpr long long kLargestRunCellSeconds = 200LL * 10000;

// False for a scenario that reads whole and asks for a longer run than the fuzzer runs.
bool SmallEnoughToRun(const std::string& text) {
    std::istringstream in(text);
    talvo::fuzz::DiscardStream echo;
    talvo::fuzz::DiscardStream console;
    auto scenario = std::make_unique<talvo::Scenario>();
    auto tables = std::make_unique<talvo::TimeTables>();
    talvo::TokenReader reader(in, "input.fin");
    talvo::RecordWriter writer(echo);
    try {
        talvo::ReadWholeScenario(reader, *scenario, *tables, writer, console);
    } catch (const talvo::EngineError&) {
        return true;  // the run stops at the same error
    }
    return (long long)scenario->numCells * (scenario->endSimulationStep + 1) <=
           kLargestRunCellSeconds;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static RunDirectory directory;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = bytes.find(kPlanSeparator);
    std::string scenario(bytes.substr(0, split));
    SimulateTheExistingPlan(scenario);
    if (!SmallEnoughToRun(scenario)) {
        return 0;
    }
    const std::string_view plan = split == std::string_view::npos
                                      ? std::string_view()
                                      : bytes.substr(split + kPlanSeparator.size());
    WriteFile(directory.path() / "input.fin", scenario);
    WriteFile(directory.path() / "plan.tpl", plan);

    std::ostringstream console;
    const int status = talvo::RunEngine(console, directory.inout());
    if (status == 2) {
        std::fputs(console.str().c_str(), stderr);
        talvo::fuzz::Finding("the run ended in an unexpected exception");
    }
    if (status != 0 && status != 1) {
        talvo::fuzz::Finding("the run ended with an unknown status");
    }
    if (status == 1 && console.str().find("Error") == std::string::npos &&
        console.str().find("Cannot") == std::string::npos) {
        std::fputs(console.str().c_str(), stderr);
        talvo::fuzz::Finding("a failed run printed no message");
    }
    return 0;
}
