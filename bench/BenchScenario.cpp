#include "BenchScenario.h"

#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

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

// The grid with streets added until it has `cells` cells: each street an origin, eight
// cells (the seventh at a stop line of junction 1's first movement) and a destination, with
// its own demand. The first is street 8, so that "grid200" stays the network it has been.
std::vector<std::string> GridWithStreets(int cells) {
    std::vector<std::string> lines = FileLines("grid");
    const int gridCells = std::stoi(lines.at(kCellCountLine));
    if (gridCells != 190) {
        throw std::runtime_error("examples/grid has " + std::to_string(gridCells) +
                                 " cells, not 190");
    }
    if (cells < gridCells || (cells - gridCells) % 10 != 0) {
        throw std::runtime_error("the grid grows by streets of ten cells, not to " +
                                 std::to_string(cells));
    }
    auto name = [](int id) {
        const int place = (id - 1) % 10;
        const char* type = place == 0 ? "OR" : place == 9 ? "DE" : "TR";
        return "8-" + std::string(type) + "-" + std::to_string(id);
    };
    std::vector<std::string> streets;
    std::vector<std::string> demand;
    for (int first = gridCells + 1; first <= cells; first += 10) {
        for (int id = first; id < first + 10; ++id) {
            const std::string from = id == first ? "0" : name(id - 1);
            const std::string to = id == first + 9 ? "0" : name(id + 1);
            const bool stop = id == first + 7;
            streets.push_back(name(id) + "\t10\t2\t1\t" + name(id).substr(2, 2) + "\t" + from +
                              "\t0\t" + to + "\t0\t0\t0\t0\t" + (stop ? "Y\t5" : "N\t0") + "\t36");
        }
        demand.push_back(name(first) + "\t700\t0\t3000");
    }
    const size_t afterCells = kCellCountLine + 1 + size_t(gridCells);
    lines[kCellCountLine] = std::to_string(cells);
    lines.insert(lines.begin() + long(afterCells), streets.begin(), streets.end());
    const size_t loadingCount = afterCells + streets.size();
    const int loadings = std::stoi(lines.at(loadingCount));
    lines[loadingCount] = std::to_string(loadings + int(demand.size()));
    lines.insert(lines.begin() + long(loadingCount + 2 + size_t(loadings)), demand.begin(),
                 demand.end());
    return lines;
}

}  // namespace

std::vector<std::string> InputLines(const std::string& name) {
    if (name.size() > 4 && name.compare(0, 4, "grid") == 0) {
        return GridWithStreets(std::stoi(name.substr(4)));
    }
    return FileLines(name);
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
    LoadedScenario read;
    TokenReader reader(in, name + "/input.fin");
    ReadRunChoice(reader, *read.scenario);
    std::ostringstream echo, console;
    RecordWriter writer(echo);
    ReadScenario(reader, *read.scenario, *read.tables, writer, console);
    return loaded.emplace(name, std::move(read)).first->second;
}

std::string VgvcBenchmarkInput() {
    const std::vector<std::string> lines = InputLines("grid200");
    return InputText(lines, {{0, "Y"},
                             {1, "3"},
                             {6, "0\t900"},
                             {7, "100"},
                             {8, "30"},
                             {9, "30"},
                             {PhaseCycleLine(lines), "11"}});
}

}  // namespace talvo::bench
