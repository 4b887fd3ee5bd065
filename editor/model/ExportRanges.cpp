#include "model/ExportRanges.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

#include "common/NumberText.h"
#include "common/TextInput.h"
#include "model/NetworkQueries.h"

namespace talvo {

namespace {

struct Range {
    double low;
    double high;
    bool lowIncluded;
    bool highIncluded;
};

// The engine's table, value by value (the engine reads every real as a 32-bit real).
constexpr Range kWvRatio{0, 1, false, true};
constexpr Range kJamDensity{0, 1000, false, true};       // veh/km/lane
constexpr Range kSaturationFlow{0, 10000, false, true};  // veh/h/lane
constexpr Range kPercentage{0, 100, true, true};         // preload, a cell's own fill
constexpr Range kMutationRate{0, 1, true, true};
constexpr Range kLaneNum{0, 20, false, true};
constexpr Range kShare{0, 1, true, true};          // capacity factor, split, priority
constexpr Range kSpeed{0, 200, false, true};       // km/h
constexpr Range kLoadRate{0, 100000, true, true};  // veh/h
constexpr Range kVolMultiplier{0, 100, true, true};

constexpr int kLastSecond = Capacity::kTimeLimit - 1;  // the last second the engine runs
constexpr int kMaxPopulation = 10000;

using Message = std::optional<std::string>;

std::string Number(double value) {
    const std::string text = FormatReal(value);
    return text.size() <= 40 ? text : QuotedValue(text);
}

std::string Describe(const Range& r) {
    if (r.lowIncluded && r.highIncluded) {
        return Number(r.low) + " to " + Number(r.high);
    }
    return std::string(r.lowIncluded ? "at least " : "above ") + Number(r.low) +
           (r.highIncluded ? " and at most " : " and below ") + Number(r.high);
}

// The value the engine gets from the text the export writes.
float AsTheEngineReads(const std::string& text) {
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::numeric_limits<float>::infinity();  // beyond 32 bits: outside every range
    }
    return value;
}

Message Outside(const std::string& what, const std::string& written, const Range& r) {
    const double value = AsTheEngineReads(written);
    const bool inside = (r.lowIncluded ? value >= r.low : value > r.low) &&
                        (r.highIncluded ? value <= r.high : value < r.high);
    if (inside) {
        return std::nullopt;
    }
    const std::string shown = written.size() <= 40 ? written : QuotedValue(written);
    return "The " + what + " is " + shown + ", outside what the engine takes: " + Describe(r) + ".";
}

Message OutsideInteger(const std::string& what, int value, int low, int high) {
    if (value >= low && value <= high) {
        return std::nullopt;
    }
    return "The " + what + " is " + std::to_string(value) +
           ", outside what the engine takes: " + std::to_string(low) + " to " +
           std::to_string(high) + ".";
}

Message FirstOf(std::initializer_list<Message> messages) {
    for (const Message& m : messages) {
        if (m) {
            return m;
        }
    }
    return std::nullopt;
}

Message CheckParameters(const GlobalParameters& p) {
    return FirstOf({
        Outside("V/W Ratio", FormatReal(p.wvRatio), kWvRatio),
        Outside("Jam Density", std::to_string(p.jamDensity), kJamDensity),
        Outside("Saturation Flow", std::to_string(p.saturationFlow), kSaturationFlow),
        Outside("Cell Initial Occupancy", std::to_string(p.initialCellOccupancy), kPercentage),
        Outside("Mutation Rate", FormatReal(p.mutationRate), kMutationRate),
        Outside("Volume Multiplier", FormatReal(p.volMultiplier), kVolMultiplier),
    });
}

// The simulation's last step ends within the time tables, and the delay period lies on
// the steps of the run.
Message CheckTimes(const GlobalParameters& p) {
    if (auto m = FirstOf({OutsideInteger("Time Step", p.timeStep, 1, kLastSecond),
                          OutsideInteger("Start Step", p.startStep, 0, kLastSecond),
                          OutsideInteger("End Step", p.endStep, 0, kLastSecond)})) {
        return m;
    }
    if (p.endSimulationStep > kLastSecond - p.timeStep) {
        return "The End Simulation Step is " + std::to_string(p.endSimulationStep) +
               ", outside what the engine takes with a Time Step of " + std::to_string(p.timeStep) +
               ": at most " + std::to_string(kLastSecond - p.timeStep) +
               ", so that its last step ends by " + std::to_string(kLastSecond) + ".";
    }
    if (p.startStep % p.timeStep != 0) {
        return "The Start Step is " + std::to_string(p.startStep) +
               ", which the engine does not take: the delay period starts on a step, a "
               "multiple of the Time Step of " +
               std::to_string(p.timeStep) + ".";
    }
    if (p.endStep > p.endSimulationStep) {
        return "The End Step is " + std::to_string(p.endStep) +
               ", which the engine does not take: the delay period ends by the End Simulation "
               "Step of " +
               std::to_string(p.endSimulationStep) + ".";
    }
    return std::nullopt;
}

// The timing plan's times, read in every run whether it optimises or not.
Message CheckTimingPlan(const GlobalParameters& p) {
    return FirstOf({
        OutsideInteger("Simulated Cycles", p.phaseCycle, 0, kLastSecond),
        OutsideInteger("Max. Cycle Time", p.maxCycleTime, 0, kLastSecond),
        OutsideInteger("Minimum Green Time", p.minGreenTime, 0, kLastSecond),
        OutsideInteger("Lost Time", p.lostTime, 0, kLastSecond),
        OutsideInteger("Regional Network Cycle Time", p.networkCycleTime, 0, kLastSecond),
    });
}

Message CheckOptimisation(const GlobalParameters& p) {
    if (!p.optimizationOn) {
        return std::nullopt;
    }
    const int most = std::numeric_limits<int>::max();
    return FirstOf({
        OutsideInteger("Control Strategy", p.controlStrategy, 1, 3),
        OutsideInteger("Population Size", p.populationSize, 2, kMaxPopulation),
        OutsideInteger("No. of Generation", p.generationNum, 1, most),
        OutsideInteger("Terminate if not Improve", p.terminationNum, 1, most),
        OutsideInteger("Simulated Cycles", p.phaseCycle, 1, most),
    });
}

Message CheckCell(const Project& project, int index) {
    const NetworkTables& t = project.tables;
    const CellRecord& cell = t.cells[static_cast<std::size_t>(index) - 1];
    const std::string of = " of cell " + std::to_string(cell.cellID);
    const int fill = cell.ownOccupancy ? cell.initialCarNum : project.params.initialCellOccupancy;
    Message m = FirstOf({
        Outside("initial occupancy" + of, std::to_string(fill), kPercentage),
        Outside("number of lanes" + of, std::to_string(cell.laneNum), kLaneNum),
        Outside("speed deduction" + of, FormatReal(cell.capacityFactor), kShare),
        Outside("speed" + of, FormatReal(cell.speed), kSpeed),
    });
    if (m) {
        return m;
    }
    // The proportions the export writes as the cell's splits or its priority.
    const std::string type = CellType(t, index);
    const bool diverging = type == "DI" || type == "ORDI";
    const bool merging = type == "ME" || type == "ORME" || type == "MB" || type == "ORMB";
    std::size_t written = 0;
    for (const LinkRecord& link : t.links) {
        if (link.fromCell != cell.cellID || written == (diverging ? 2u : merging ? 1u : 0u)) {
            continue;
        }
        ++written;
        if (auto outside = Outside("Merge/Divert proportion of link " + std::to_string(link.linkID),
                                   FormatFixed2(link.mergeDivert), kShare)) {
            return outside;
        }
    }
    for (int j = 0; j < cell.orIntervalNum(); ++j) {
        const OriginInterval& interval = cell.intervals[j];
        const std::string ofInterval = " of interval #" + std::to_string(j + 1) + of;
        if (auto outside = FirstOf({
                Outside("Vehicle / Hour" + ofInterval, std::to_string(interval.orVehPerHr),
                        kLoadRate),
                OutsideInteger("Start" + ofInterval, interval.orStart, 0, kLastSecond),
                OutsideInteger("End" + ofInterval, interval.orEnd, 0, kLastSecond),
            })) {
            return outside;
        }
    }
    return std::nullopt;
}

Message CheckNode(const NodeRecord& node) {
    const std::string of = " of node " + std::to_string(node.nodeID);
    if (auto m = OutsideInteger("Offset" + of, node.offset, 0, kLastSecond)) {
        return m;
    }
    for (int s = 1; s <= node.usedStages(); ++s) {
        if (auto m = OutsideInteger("Stage Time of stage " + std::to_string(s) + of,
                                    node.stages[s - 1].stageTime, 0, kLastSecond)) {
            return m;
        }
    }
    return std::nullopt;
}

Message CheckPlotGroup(const PlotGroup& group, int number) {
    const std::string of = " of CTM plot " + std::to_string(number);
    return FirstOf({OutsideInteger("Start" + of, group.startStep, 0, kLastSecond),
                    OutsideInteger("End" + of, group.endStep, 0, kLastSecond)});
}

}  // namespace

std::optional<std::string> CheckEngineRanges(const Project& project) {
    if (auto m = FirstOf({CheckParameters(project.params), CheckTimes(project.params),
                          CheckOptimisation(project.params)})) {
        return m;
    }
    for (std::size_t i = 1; i <= project.tables.cells.size(); ++i) {
        if (auto m = CheckCell(project, static_cast<int>(i))) {
            return m;
        }
    }
    if (auto m = CheckTimingPlan(project.params)) {
        return m;
    }
    for (const NodeRecord& node : project.tables.nodes) {
        if (auto m = CheckNode(node)) {
            return m;
        }
    }
    const auto& plots = project.tables.plotGroups;
    for (std::size_t g = 0; g < plots.size(); ++g) {
        if (auto m = CheckPlotGroup(plots[g], static_cast<int>(g) + 1)) {
            return m;
        }
    }
    return std::nullopt;
}

}  // namespace talvo
