#include "BenchScenario.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"

namespace talvo::bench {

const LoadedScenario& Example(const std::string& name) {
    static std::map<std::string, LoadedScenario> loaded;
    auto found = loaded.find(name);
    if (found != loaded.end()) {
        return found->second;
    }
    const std::string path = std::string(TALVO_SOURCE_DIR) + "/examples/" + name + "/input.fin";
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    LoadedScenario& entry = loaded[name];
    TokenReader reader(in, path);
    ReadRunChoice(reader, *entry.scenario);
    std::ostringstream echo, console;
    RecordWriter writer(echo);
    ReadScenario(reader, *entry.scenario, *entry.tables, writer, console);
    return entry;
}

}  // namespace talvo::bench
