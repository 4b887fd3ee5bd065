#include "model/ScenarioWriter.h"

#include <algorithm>

#include "common/NumberText.h"
#include "model/ExportNaming.h"
#include "model/NetworkQueries.h"

namespace talvo {

namespace {

// One line of tab-separated values.
class Line {
  public:
    explicit Line(std::string& out) : out_(out) {}
    ~Line() { out_ += "\r\n"; }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    Line& operator<<(const std::string& text) {
        if (started_) {
            out_ += '\t';
        }
        out_ += text;
        started_ = true;
        return *this;
    }
    Line& operator<<(const char* text) { return *this << std::string(text); }
    Line& operator<<(int value) { return *this << std::to_string(value); }

  private:
    std::string& out_;
    bool started_ = false;
};

std::string Real(double value) {
    return FormatReal(value);
}
const char* YesNo(bool value) {
    return value ? "Y" : "N";
}

void WriteSectionA(std::string& out, const GlobalParameters& p) {
    Line(out) << YesNo(p.optimizationOn);
    Line(out) << p.controlStrategy;
    Line(out) << Real(p.wvRatio);
    Line(out) << p.jamDensity << p.saturationFlow;
    Line(out) << p.initialCellOccupancy;
    Line(out) << p.timeStep << p.endSimulationStep;
    Line(out) << p.startStep << p.endStep;
    Line(out) << p.populationSize;
    Line(out) << p.generationNum;
    Line(out) << p.terminationNum;
    Line(out) << Real(p.mutationRate);
    Line(out) << p.fitnessIndex;
    Line(out) << YesNo(p.adaptWebster);
    Line(out) << YesNo(p.initialSeed);
}

void WriteCellRecord(std::string& out, const Project& project, const CellNames& names,
                     int cellIndex) {
    const NetworkTables& t = project.tables;
    const CellRecord& cell = t.cells[cellIndex - 1];
    const std::string type = ExportType(t, cellIndex);
    const std::string fullType = CellType(t, cellIndex);

    std::vector<int> upstream;
    std::vector<const LinkRecord*> outgoing;
    for (const LinkRecord& link : t.links) {
        if (link.toCell == cell.cellID) {
            upstream.push_back(link.fromCell);
        }
        if (link.fromCell == cell.cellID) {
            outgoing.push_back(&link);
        }
    }
    const auto neighbour = [&](const std::vector<int>& ids, std::size_t i) {
        return i < ids.size() ? names(ids[i]) : std::string("0");
    };
    std::vector<int> downstream;
    for (const LinkRecord* link : outgoing) {
        downstream.push_back(link->toCell);
    }

    std::string split1 = "0";
    std::string split2 = "0";
    if (fullType == "DI" || fullType == "ORDI") {
        if (!outgoing.empty()) {
            split1 = FormatFixed2(outgoing[0]->mergeDivert);
        }
        if (outgoing.size() > 1) {
            split2 = FormatFixed2(outgoing[1]->mergeDivert);
        }
    }
    std::string priority = "0";
    const bool merging =
        fullType == "ME" || fullType == "ORME" || fullType == "MB" || fullType == "ORMB";
    if (merging && !outgoing.empty()) {
        priority = FormatFixed2(outgoing[0]->mergeDivert);
    }
    const int fill = cell.ownOccupancy ? cell.initialCarNum : project.params.initialCellOccupancy;

    Line(out) << names(cell.cellID) << fill << cell.laneNum << Real(cell.capacityFactor) << type
              << neighbour(upstream, 0) << neighbour(upstream, 1) << neighbour(downstream, 0)
              << neighbour(downstream, 1) << split1 << split2 << priority
              << YesNo(cell.signalID != 0) << cell.signalID << Real(cell.speed);
}

void WriteSectionB(std::string& out, const Project& project, const CellNames& names) {
    const NetworkTables& t = project.tables;
    int records = 0;
    for (const StreetRecord& street : t.streets) {
        for (int id : street.cellIDs) {
            records += FindCellIndex(t, id) != 0 ? 1 : 0;
        }
    }
    Line(out) << records;
    for (const StreetRecord& street : t.streets) {
        for (int id : street.cellIDs) {
            const int index = FindCellIndex(t, id);
            if (index != 0) {
                WriteCellRecord(out, project, names, index);
            }
        }
    }
}

void WriteSectionC(std::string& out, const Project& project, const CellNames& names) {
    const NetworkTables& t = project.tables;
    std::vector<int> origins;  // 1-based table indices, table order
    int loadings = 0;
    for (std::size_t i = 0; i < t.cells.size(); ++i) {
        if (ExportType(t, static_cast<int>(i) + 1) == "OR") {
            origins.push_back(static_cast<int>(i) + 1);
            loadings += t.cells[i].orIntervalNum();
        }
    }
    Line(out) << loadings;
    Line(out) << Real(project.params.volMultiplier);
    for (int index : origins) {
        const CellRecord& cell = t.cells[index - 1];
        for (const OriginInterval& interval : cell.intervals) {
            Line(out) << names(cell.cellID) << interval.orVehPerHr << interval.orStart
                      << interval.orEnd;
        }
    }
}

void WriteSectionD(std::string& out, const Project& project) {
    const GlobalParameters& p = project.params;
    const NetworkTables& t = project.tables;
    const int nodeCount = static_cast<int>(t.nodes.size());
    Line(out) << p.phaseCycle;
    Line(out) << p.maxCycleTime;
    Line(out) << p.minGreenTime;
    Line(out) << p.lostTime;
    Line(out) << p.networkCycleTime;
    Line(out) << nodeCount;
    for (int n = 0; n < nodeCount; ++n) {
        const NodeRecord& node = t.nodes[n];
        Line line(out);
        line << n + 1 << node.offset << node.stageNum;
        for (int s = 0; s < node.usedStages(); ++s) {
            line << node.stages[s].stageTime;
        }
    }
    Line(out) << nodeCount;
    for (int n = 0; n < nodeCount; ++n) {
        const NodeRecord& node = t.nodes[n];
        Line line(out);
        line << n + 1 << node.offset << node.stageNum;
        for (int s = 0; s < node.usedStages(); ++s) {
            const bool fixed = !node.stages[s].stageOptimize || !p.optimizationOn;
            line << (fixed ? "1" : "0");
        }
    }
    const auto movementNode = AssignMovementsToNodes(t);
    Line(out) << static_cast<int>(
        std::count_if(movementNode.begin() + 1, movementNode.end(), [](int p) { return p != 0; }));
    for (int k = 1; k < static_cast<int>(movementNode.size()); ++k) {
        if (movementNode[k] == 0) {
            continue;
        }
        const NodeRecord& node = t.nodes[movementNode[k] - 1];
        Line line(out);
        line << k << movementNode[k];
        for (int s = 0; s < node.usedStages(); ++s) {
            const auto& moves = node.stages[s].stageMoves;
            line << YesNo(std::find(moves.begin(), moves.end(), k) != moves.end());
        }
    }
}

// Group rows are padded to one width: 50, or the largest group's size when that is more.
constexpr int kClassicGroupWidth = 50;

int GroupWidth(const NetworkTables& t) {
    std::size_t width = kClassicGroupWidth;
    for (const DelayGroup& group : t.delayGroups) {
        width = std::max(width, group.cellIDs.size());
    }
    for (const PlotGroup& group : t.plotGroups) {
        width = std::max(width, group.cellIDs.size());
    }
    return static_cast<int>(width);
}

void WriteGroupNames(Line& line, const std::vector<int>& ids, const CellNames& names, int width) {
    int written = 0;
    for (int id : ids) {
        if (written == width) {
            break;
        }
        line << names(id);
        ++written;
    }
    for (; written < width; ++written) {
        line << "0";
    }
}

void WriteSectionsEF(std::string& out, const Project& project, const CellNames& names) {
    const NetworkTables& t = project.tables;
    const int width = GroupWidth(t);
    Line(out) << static_cast<int>(t.delayGroups.size()) << width;
    for (std::size_t g = 0; g < t.delayGroups.size(); ++g) {
        Line line(out);
        line << static_cast<int>(g) + 1 << "1";
        WriteGroupNames(line, t.delayGroups[g].cellIDs, names, width);
    }
    Line(out) << static_cast<int>(t.plotGroups.size()) << width;
    for (std::size_t g = 0; g < t.plotGroups.size(); ++g) {
        const PlotGroup& group = t.plotGroups[g];
        Line line(out);
        line << static_cast<int>(g) + 1 << "1" << YesNo(group.occupancyPlot) << group.startStep
             << group.endStep;
        WriteGroupNames(line, group.cellIDs, names, width);
    }
}

}  // namespace

std::vector<std::pair<int, int>> ExistingPlanSequence(const GlobalParameters& p,
                                                      const NodeRecord& node, int k) {
    std::vector<std::pair<int, int>> pairs;
    const auto pair = [&pairs](int state, long time) {
        pairs.emplace_back(state, static_cast<int>(time));
    };
    if (p.phaseCycle == 0) {
        pair(0, p.endStep);
        pair(0, 10000);
        return pairs;
    }
    const int stageNum = std::max(node.usedStages(), 1);
    const auto stopped = [&](int s) {
        const auto& moves = node.stages[s - 1].stageMoves;
        return std::find(moves.begin(), moves.end(), k) == moves.end();
    };
    const auto stateOf = [&](int s) { return stopped(s) ? 0 : 1; };
    long cycleSum = 0;
    for (int s = 1; s <= stageNum; ++s) {
        cycleSum += node.stages[s - 1].stageTime;
    }
    const long tEnd = p.phaseCycle * cycleSum + p.startStep + node.offset;
    long t = node.offset + p.startStep;
    pair(0, t);
    bool first = true;
    for (int c = 1; c <= p.phaseCycle; ++c) {
        for (int s = 1; s <= stageNum; ++s) {
            if (c == p.phaseCycle && s == stageNum) {
                break;
            }
            const int next = s == stageNum ? 1 : s + 1;
            const int stageTime = node.stages[s - 1].stageTime;
            if (stopped(s) == stopped(next)) {
                t += stageTime;
                if (t >= p.endStep) {
                    pair(stateOf(s), p.endStep);
                    pair(0, 10000);
                    return pairs;
                }
            } else if (!stopped(s)) {  // green, then red
                t += stageTime - (first ? 2 : 4);
                if (t >= p.endStep) {
                    pair(1, p.endStep);
                    pair(1, 10000);
                    return pairs;
                }
                pair(1, t);
                first = false;
            } else {  // red, then green
                t += stageTime + (first ? 2 : 4);
                if (t >= p.endStep) {
                    pair(0, p.endStep);
                    pair(0, 10000);
                    return pairs;
                }
                pair(0, t);
                first = false;
            }
        }
    }
    if (tEnd >= p.endStep) {
        pair(stateOf(stageNum), p.endStep);
    } else {
        pair(stateOf(stageNum), tEnd);
        pair(0, p.endStep);
    }
    pair(0, 10000);
    return pairs;
}

std::string FormatScenario(const Project& project) {
    std::string out;
    const CellNames names(project.tables);
    WriteSectionA(out, project.params);
    WriteSectionB(out, project, names);
    WriteSectionC(out, project, names);
    WriteSectionD(out, project);
    WriteSectionsEF(out, project, names);
    return out;
}

std::string FormatPlan(const Project& project) {
    std::string out;
    const auto movementNode = AssignMovementsToNodes(project.tables);
    for (int k = 1; k < static_cast<int>(movementNode.size()); ++k) {
        if (movementNode[k] != 0) {
            Line(out) << k;
            const NodeRecord& node = project.tables.nodes[movementNode[k] - 1];
            for (const auto& [state, time] : ExistingPlanSequence(project.params, node, k)) {
                Line(out) << state << time;
            }
        }
    }
    return out;
}

}  // namespace talvo
