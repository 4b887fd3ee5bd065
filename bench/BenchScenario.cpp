#include "BenchScenario.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "format/RecordWriter.h"
#include "input/ScenarioReader.h"
#include "input/TokenReader.h"

namespace talvo::bench {

namespace {

constexpr size_t kCellCountLine = 14;

std::vector<std::string> FileLines(const std::string& name) {
    const std::string path = std::string(TALVO_SOURCE_DIR) + "/examples/" + name + "/input.fin";
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + path);
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// Street 8 of the grid: an origin, eight cells (the seventh at a stop line of junction 1's
// first movement) and a destination, with its own demand.
std::vector<std::string> Grid200Lines() {
    std::vector<std::string> lines = FileLines("grid");
    const int cells = std::stoi(lines.at(kCellCountLine));
    if (cells != 190) {
        throw std::runtime_error("examples/grid has " + std::to_string(cells) + " cells, not 190");
    }
    auto name = [](int id) {
        const char* type = id == 191 ? "OR" : id == 200 ? "DE" : "TR";
        return "8-" + std::string(type) + "-" + std::to_string(id);
    };
    std::vector<std::string> street;
    for (int id = 191; id <= 200; ++id) {
        const std::string from = id == 191 ? "0" : name(id - 1);
        const std::string to = id == 200 ? "0" : name(id + 1);
        const bool stop = id == 198;
        street.push_back(name(id) + "\t10\t2\t1\t" + name(id).substr(2, 2) + "\t" + from + "\t0\t" +
                         to + "\t0\t0\t0\t0\t" + (stop ? "Y\t5" : "N\t0") + "\t36");
    }
    const size_t afterCells = kCellCountLine + 1 + size_t(cells);
    lines[kCellCountLine] = "200";
    lines.insert(lines.begin() + long(afterCells), street.begin(), street.end());
    const size_t loadingCount = afterCells + street.size();
    const int loadings = std::stoi(lines.at(loadingCount));
    lines[loadingCount] = std::to_string(loadings + 1);
    lines.insert(lines.begin() + long(loadingCount + 2 + size_t(loadings)),
                 name(191) + "\t700\t0\t3000");
    return lines;
}

}  // namespace

std::vector<std::string> InputLines(const std::string& name) {
    return name == "grid200" ? Grid200Lines() : FileLines(name);
}

std::string InputText(std::vector<std::string> lines,
                      const std::vector<std::pair<size_t, std::string>>& replaced) {
    for (const auto& [index, value] : replaced) {
        lines.at(index) = value;
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

size_t PhaseCycleLine(const std::vector<std::string>& lines) {
    const size_t cells = size_t(std::stoi(lines.at(kCellCountLine)));
    const size_t loadings = size_t(std::stoi(lines.at(kCellCountLine + 1 + cells)));
    return kCellCountLine + 3 + cells + loadings;
}

const LoadedScenario& Example(const std::string& name) {
    static std::map<std::string, LoadedScenario> loaded;
    auto found = loaded.find(name);
    if (found != loaded.end()) {
        return found->second;
    }
    std::istringstream in(InputText(InputLines(name)));
    LoadedScenario& entry = loaded[name];
    TokenReader reader(in, name + "/input.fin");
    ReadRunChoice(reader, *entry.scenario);
    std::ostringstream echo, console;
    RecordWriter writer(echo);
    ReadScenario(reader, *entry.scenario, *entry.tables, writer, console);
    return entry;
}

}  // namespace talvo::bench
