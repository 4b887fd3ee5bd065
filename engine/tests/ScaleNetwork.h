#pragma once
// Networks past the classic table sizes, written as the engine's input text: an arterial
// through `junctions` signalised junctions, each crossed by a one-way street, with the
// first junction's stage plan as long as asked. Standard library only, so that the
// Display's tests can run the engine on the same networks.

#include <algorithm>
#include <string>
#include <vector>

namespace talvo::test {

struct ScaleShape {
    int junctions = 31;
    int segment = 4;        // cells per approach; the last one is the stop line
    int firstStages = 301;  // stages of junction 1; the others have two
    int endTime = 600;
    int maxGroupCells = 60;  // approach 1 and plot group 1: the arterial's first cells
    int approaches = 25;     // approach 1 and the cross streets of junctions 1..24
    char optimise = 'N';
    int controlStrategy = 1;
    int phaseCycle = 1;
    int population = 4;
    int generations = 2;
    int maxCycle = 700;
    int timeStep = 1;
};

struct ScaleFiles {
    std::string input;  // input.fin
    std::string plan;   // plan.tpl
    int cells = 0;
    int records = 0;
    std::vector<int> signalOfCell;  // 1..cells, the record number of each signalised cell
};

// Record numbers as the editor gives movement IDs: 4j + 1 the arterial's, 4j + 3 the cross
// street's stop line at junction j.
inline ScaleFiles MakeScaleNetwork(const ScaleShape& shape) {
    struct Cell {
        std::string name, type;
        int from = 0, to = 0, signal = 0;
    };
    std::vector<Cell> cells(1);
    const auto add = [&cells](int street, const char* type) {
        const int id = int(cells.size());
        cells.push_back({std::to_string(street) + "-" + type + "-" + std::to_string(id), type});
        return id;
    };
    const auto link = [&cells](int a, int b) {
        cells[size_t(a)].to = b;
        cells[size_t(b)].from = a;
    };
    std::vector<int> arterial, origins;
    std::vector<std::vector<int>> cross(size_t(shape.junctions) + 1);
    int prev = add(1, "OR");
    origins.push_back(prev);
    arterial.push_back(prev);
    for (int j = 1; j <= shape.junctions; ++j) {
        for (int k = 0; k < shape.segment; ++k) {
            const int c = add(1, "TR");
            link(prev, c);
            arterial.push_back(c);
            prev = c;
        }
        cells[size_t(prev)].signal = 4 * j + 1;
    }
    const int tail = add(1, "TR");
    link(prev, tail);
    arterial.push_back(tail);
    link(tail, add(1, "DE"));
    for (int j = 1; j <= shape.junctions; ++j) {
        int up = add(j + 1, "OR");
        origins.push_back(up);
        for (int k = 0; k < shape.segment; ++k) {
            const int c = add(j + 1, "TR");
            link(up, c);
            cross[size_t(j)].push_back(c);
            up = c;
        }
        cells[size_t(up)].signal = 4 * j + 3;
        const int after = add(j + 1, "TR");
        link(up, after);
        link(after, add(j + 1, "DE"));
    }

    std::vector<std::string> lines;
    const auto put = [&lines](std::string line) { lines.push_back(std::move(line)); };
    const auto tab = [](const std::vector<std::string>& fields) {
        std::string line;
        for (const std::string& f : fields) {
            line += (line.empty() ? "" : "\t") + f;
        }
        return line;
    };
    const auto name = [&cells](int c) { return c == 0 ? std::string("0") : cells[size_t(c)].name; };
    const int n = int(cells.size()) - 1;
    put(std::string(1, shape.optimise));
    put(std::to_string(shape.controlStrategy));
    put("0.5");
    put("150\t1800");
    put("0");
    put(std::to_string(shape.timeStep) + "\t" + std::to_string(shape.endTime));
    put("0\t" + std::to_string(shape.endTime));
    put(std::to_string(shape.population));
    put(std::to_string(shape.generations));
    put("5");
    put("0.05");
    put("5");
    put("N");
    put("N");
    put(std::to_string(n));
    for (int c = 1; c <= n; ++c) {
        const Cell& cell = cells[size_t(c)];
        put(tab({cell.name, "0", "2", "1", cell.type, name(cell.from), "0", name(cell.to), "0", "0",
                 "0", "0", cell.signal != 0 ? "Y" : "N", std::to_string(cell.signal), "36"}));
    }
    put(std::to_string(origins.size()));
    put("1");
    for (const int o : origins) {
        put(tab(
            {name(o), o == origins.front() ? "1200" : "300", "0", std::to_string(shape.endTime)}));
    }
    // phaseCycle, maxCycleTime, minGreenTime, lostTime, networkCycleTime.
    put(std::to_string(shape.phaseCycle));
    put(std::to_string(shape.maxCycle));
    put("2");
    put("1");
    put("60");
    const auto stages = [&shape](int j) { return j == 1 ? shape.firstStages : 2; };
    for (const bool fixing : {false, true}) {
        put(std::to_string(shape.junctions));
        for (int j = 1; j <= shape.junctions; ++j) {
            std::vector<std::string> f{std::to_string(j), std::to_string((7 * j) % 60),
                                       std::to_string(stages(j))};
            for (int k = 1; k <= stages(j); ++k) {
                // Junction 1's stages are as short as the clearance shifts (+1, -3) allow
                // for a sequence whose end times never fall back.
                f.push_back(fixing ? "0" : j == 1 ? "4" : "30");
            }
            put(tab(f));
        }
    }
    put(std::to_string(2 * shape.junctions));
    std::string plan;
    for (int j = 1; j <= shape.junctions; ++j) {
        const int count = stages(j);
        for (const int m : {1, 3}) {
            // The arterial is green in the first half of the stages, the cross street after.
            std::vector<std::string> f{std::to_string(4 * j + m), std::to_string(j)};
            for (int k = 1; k <= count; ++k) {
                f.push_back(((k <= count / 2) == (m == 1)) ? "Y" : "N");
            }
            put(tab(f));
            plan += std::to_string(4 * j + m) + "\r\n0\t200000\r\n";
        }
    }
    const auto group = [&](std::vector<std::string> f, const std::vector<int>& members) {
        for (int m = 0; m < shape.maxGroupCells; ++m) {
            f.push_back(m < int(members.size()) ? name(members[size_t(m)]) : "0");
        }
        return tab(f);
    };
    put(std::to_string(shape.approaches) + "\t" + std::to_string(shape.maxGroupCells));
    const std::vector<int> front(arterial.begin() + 1, arterial.end());
    for (int a = 1; a <= shape.approaches; ++a) {
        put(group({std::to_string(a), "1"},
                  a == 1 ? front : cross[size_t(std::min(a - 1, shape.junctions))]));
    }
    put("1\t" + std::to_string(shape.maxGroupCells));
    put(group({"1", "1", "Y", "0", std::to_string(shape.endTime)}, front));

    ScaleFiles files;
    for (const std::string& line : lines) {
        files.input += line + "\r\n";
    }
    files.plan = plan;
    files.cells = n;
    files.records = 2 * shape.junctions;
    files.signalOfCell.assign(size_t(n) + 1, 0);
    for (int c = 1; c <= n; ++c) {
        files.signalOfCell[size_t(c)] = cells[size_t(c)].signal;
    }
    return files;
}

}  // namespace talvo::test
