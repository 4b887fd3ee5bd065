#include "input/ScenarioReader.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "input/NetworkPreparation.h"
#include "input/RealRanges.h"
#include "input/ScenarioEcho.h"
#include "run/Console.h"

namespace talvo {

namespace {

constexpr size_t kNameWidth = 11;

std::string Numbered(std::string_view what, int number) {
    return std::string(what) + " " + std::to_string(number);
}

std::string Trimmed(const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

char ReadFlag(TokenReader& in, std::string_view what) {
    return in.readText(what, 1)[0];
}

// Reads a count that must repeat an earlier one (sections that restate a count).
int32_t ReadRepeatedCount(TokenReader& in, std::string_view what, int32_t lo, int32_t hi,
                          int32_t earlier, std::string_view earlierPlace) {
    const int32_t value = in.readInt(what, lo, hi);
    if (value != earlier) {
        in.fail(std::string(what) + " is " + std::to_string(value) + ", expected " +
                std::to_string(earlier) + " as " + std::string(earlierPlace));
    }
    return value;
}

// Section A from line 3 on.
void ReadGlobalParameters(TokenReader& in, Scenario& s) {
    in.beginStatement();
    s.wvRatio = in.readReal("wvRatio", ranges::kWvRatio);
    in.beginStatement();
    s.jamDensity = in.readReal("jamDensity", ranges::kJamDensity);
    s.saturationFlow = in.readReal("saturationFlow", ranges::kSaturationFlow);
    in.beginStatement();
    s.initialCellOccupancy = in.readReal("initialCellOccupancy", ranges::kPercentage);

    in.beginStatement();  // lines 6 and 7 are one statement of four integers
    s.timeStep = in.readInt("timeStep", 1, kLastTime);
    // The last step writes the occupancy at endSimulationStep + timeStep.
    s.endSimulationStep = in.readInt("endSimulationStep", 0, kLastTime - s.timeStep);
    s.startStep = in.readInt("startStep", 0, kLastTime);
    // The delay sums start on a simulated step and end within the simulation.
    if (s.startStep % s.timeStep != 0) {
        in.fail("startStep is " + std::to_string(s.startStep) +
                ", expected a multiple of timeStep " + std::to_string(s.timeStep) +
                " (the delay period starts on a step)");
    }
    s.endStep = in.readInt("endStep", 0, kLastTime);
    if (s.endStep > s.endSimulationStep) {
        in.fail("endStep is " + std::to_string(s.endStep) +
                ", expected at most endSimulationStep " + std::to_string(s.endSimulationStep) +
                " (the delay period ends within the run)");
    }

    in.beginStatement();
    s.populationSize = in.readInt("populationSize");
    in.beginStatement();
    s.generationNum = in.readInt("generationNum");
    in.beginStatement();
    s.terminationNum = in.readInt("terminationNum");
    in.beginStatement();
    s.mutationRate = in.readReal("mutationRate", ranges::kMutationRate);
    in.beginStatement();
    s.fitnessIndex = in.readInt("fitnessIndex");
    in.beginStatement();
    s.adaptWebster = ReadFlag(in, "adaptWebster");
    in.beginStatement();
    s.initialSeed = ReadFlag(in, "initialSeed");
}

// Section B: the cell records, their neighbours resolved once every record is in.
void ReadCells(TokenReader& in, Scenario& s, std::ostream& console) {
    in.beginStatement();
    s.numCells = in.readInt("numCells", 1, kMaxCells);
    s.cells.assign(size_t(s.numCells) + 1, Cell{});
    ConsoleCount(console, "Reading and Writing Cell Information...    ", s.numCells, " Cells");

    std::vector<NeighbourNames> names(size_t(s.numCells) + 1);
    for (int i = 1; i <= s.numCells; ++i) {
        Cell& c = s.cells[i];
        in.beginStatement();
        c.cellName = in.readText(Numbered("cellName of cell", i), kNameWidth);
        c.recordLine = in.lineNumber();
        c.fFULL = in.readReal(Numbered("fFULL of cell", i), ranges::kPercentage);
        c.laneNum = in.readReal(Numbered("laneNum of cell", i), ranges::kLaneNum);
        c.fTURN = in.readReal(Numbered("fTURN of cell", i), ranges::kShare);
        c.cellType = in.readText(Numbered("cellType of cell", i), 2);
        c.kind = CellKindOf(c.cellType);
        names[i].from1 = in.readText(Numbered("from1 of cell", i), kNameWidth);
        names[i].from2 = in.readText(Numbered("from2 of cell", i), kNameWidth);
        names[i].to1 = in.readText(Numbered("to1 of cell", i), kNameWidth);
        names[i].to2 = in.readText(Numbered("to2 of cell", i), kNameWidth);
        c.split1 = in.readReal(Numbered("split1 of cell", i), ranges::kShare);
        c.split2 = in.readReal(Numbered("split2 of cell", i), ranges::kShare);
        c.priority = in.readReal(Numbered("priority of cell", i), ranges::kShare);
        c.signalised = ReadFlag(in, Numbered("signalised of cell", i));
        c.signalID = in.readInt(Numbered("signalID of cell", i));
        c.fMax = in.readReal(Numbered("fMax of cell", i), ranges::kSpeed);
    }
    SetFillFractions(s);
    ResolveNeighbours(s, names);
}

// Section C up to volMultiplier; the loading records follow once the echo has caught up.
void ReadDemandCounts(TokenReader& in, Scenario& s, std::ostream& console) {
    in.beginStatement();
    s.numLoadings = in.readInt("numLoadings", 0, INT32_MAX);
    ConsoleCount(console, "Reading and Writing Demand Information...  ", s.numLoadings,
                 " Loadings");
    in.beginStatement();
    s.volMultiplier = in.readReal("volMultiplier", ranges::kVolMultiplier);
    s.volMultiplierLine = in.lineNumber();
}

void ReadLoadings(TokenReader& in, Scenario& s, TimeTables& tables, RecordWriter& echo) {
    s.loadings.clear();
    for (int l = 1; l <= s.numLoadings; ++l) {
        in.beginStatement();
        const std::string name = in.readText(Numbered("loadCell of loading", l), kNameWidth);
        Loading loading;
        loading.loadRate = in.readReal(Numbered("loadRate of loading", l), ranges::kLoadRate);
        loading.loadStart = in.readInt(Numbered("loadStart of loading", l), 0, kLastTime);
        loading.loadEnd = in.readInt(Numbered("loadEnd of loading", l), 0, kLastTime);
        loading.cell = ResolveCellName(s, name);
        LoadDemand(s, loading, tables);
        s.loadings.push_back(loading);
        WriteLoading(echo, loading);
    }
}

// One stage-time or stage-fixing record of the p-th intersection: the records carry their
// own numbers, which must run 1, 2, 3, ... since the stage totals add up in that order.
std::vector<int32_t> ReadStageRecord(TokenReader& in, Scenario& s, int p, bool fixing) {
    const std::string kind = fixing ? "stage-fixing record " : "stage-time record ";
    in.beginStatement();
    const int32_t number = in.readInt("intersection number of " + kind + std::to_string(p));
    if (number != p) {
        in.fail("intersection number is " + std::to_string(number) + ", expected " +
                std::to_string(p) + " (intersections numbered 1, 2, 3, ... in order)");
    }
    Intersection& node = s.intersections[p];
    node.offset = in.readInt(Numbered("offset of intersection", p), 0, kLastTime);
    const std::string countName = Numbered("stageCount of intersection", p);
    if (fixing) {
        ReadRepeatedCount(in, countName, 1, kMaxStages, node.stageCount,
                          "in its stage-time record");
    } else {
        node.stageCount = in.readInt(countName, 1, kMaxStages);
        node.sizeStages(node.stageCount);
    }
    std::vector<int32_t> values(size_t(node.stageCount) + 1, 0);
    for (int k = 1; k <= node.stageCount; ++k) {
        const std::string what = "stage " + std::to_string(k) + (fixing ? " flag" : " time") +
                                 " of intersection " + std::to_string(p);
        values[k] = fixing ? in.readInt(what) : in.readInt(what, 0, kLastTime);
    }
    return values;
}

void ReadSignalRecords(TokenReader& in, Scenario& s) {
    in.beginStatement();
    s.numSignals = in.readInt("numSignals", 0, kMaxSignalRecords);
    s.signals.assign(1, SignalRecord{});
    if (s.numSignals > 0 && s.numIntersections == 0) {
        in.fail("numSignals is " + std::to_string(s.numSignals) +
                ", expected 0 since the file has no intersections");
    }
    s.signalNumbers.clear();
    for (int r = 1; r <= s.numSignals; ++r) {
        in.beginStatement();
        const int32_t k = in.readInt("signal record number", 1, kMaxSignalNumber);
        if (size_t(k) >= s.signals.size()) {
            s.signals.resize(size_t(k) + 1);
        }
        SignalRecord& record = s.signals[size_t(k)];
        if (record.present) {
            in.fail("signal record " + std::to_string(k) + " appears twice");
        }
        record.present = true;
        record.signalIntersection =
            in.readInt(Numbered("signalIntersection of signal record", k), 1, s.numIntersections);
        const int stages = s.intersections[record.signalIntersection].stageCount;
        record.stageGreen.assign(size_t(stages) + 1, '\0');
        for (int m = 1; m <= stages; ++m) {
            record.stageGreen[m] =
                ReadFlag(in, "stage " + std::to_string(m) + " green flag of signal record " +
                                 std::to_string(k));
        }
        s.signalNumbers.push_back(k);
    }
    std::sort(s.signalNumbers.begin(), s.signalNumbers.end());
}

// Section D.
void ReadTimingPlan(TokenReader& in, Scenario& s) {
    in.beginStatement();
    s.phaseCycle = in.readInt("phaseCycle", 0, kLastTime);
    in.beginStatement();
    s.maxCycleTime = in.readInt("maxCycleTime", 0, kLastTime);
    in.beginStatement();
    s.minGreenTime = in.readInt("minGreenTime", 0, kLastTime);
    in.beginStatement();
    s.lostTime = in.readInt("lostTime", 0, kLastTime);
    in.beginStatement();
    s.networkCycleTime = in.readInt("networkCycleTime", 0, kLastTime);

    in.beginStatement();
    s.numIntersections = in.readInt("numIntersections", 0, kMaxIntersections);
    s.intersections.assign(size_t(s.numIntersections) + 1, Intersection{});
    for (int p = 1; p <= s.numIntersections; ++p) {
        const std::vector<int32_t> times = ReadStageRecord(in, s, p, false);
        std::copy(times.begin() + 1, times.end(), s.intersections[p].stageTime.begin() + 1);
    }
    in.beginStatement();
    ReadRepeatedCount(in, "numIntersections", 0, kMaxIntersections, s.numIntersections,
                      "before the stage-time records");
    for (int p = 1; p <= s.numIntersections; ++p) {
        ApplyStageFixing(s, p, ReadStageRecord(in, s, p, true));
    }
    ReadSignalRecords(in, s);
    DeriveMinCycle(s);
}

// A cell's signalID must name a signal record that the file holds.
void CheckCellSignals(const TokenReader& in, const Scenario& s) {
    for (int i = 1; i <= s.numCells; ++i) {
        const Cell& c = s.cells[i];
        const std::string cell = "cell " + std::to_string(i) + " (" + Trimmed(c.cellName) + ")";
        if (c.signalID == 0) {
            if (c.isSignalised()) {
                in.failAt(c.recordLine, cell +
                                            " is signalised but its signalID is 0, expected the "
                                            "number of a signal record");
            }
            continue;
        }
        if (!s.hasSignal(c.signalID)) {
            in.failAt(c.recordLine, cell + " has signalID " + std::to_string(c.signalID) +
                                        ", expected the number of a signal record in the file");
        }
    }
}

// One approach or plot-group record after its leading values: the group's cell names.
void ReadGroupCells(TokenReader& in, const Scenario& s, std::string_view group, Group& g) {
    std::vector<std::string> names(size_t(s.maxGroupCells));
    for (int m = 1; m <= s.maxGroupCells; ++m) {
        names[m - 1] =
            in.readText("cell name " + std::to_string(m) + " of " + std::string(group), kNameWidth);
    }
    g.cells.assign(size_t(s.maxGroupCells) + 1, 0);
    ResolveGroupCells(s, names, g);
}

// Reads a group number in 1..count that no earlier record of the section used.
int ReadGroupNumber(TokenReader& in, std::string_view what, int count, std::vector<bool>& seen) {
    const int32_t number = in.readInt(what, 1, count);
    if (seen[number]) {
        in.fail(std::string(what) + " " + std::to_string(number) + " appears twice");
    }
    seen[number] = true;
    return number;
}

// Section E.
void ReadApproaches(TokenReader& in, Scenario& s, RecordWriter& echo, std::ostream& console) {
    in.beginStatement();
    s.numApproaches = in.readInt("numApproaches", 0, kMaxGroups);
    s.maxGroupCells = in.readInt("maxGroupCells", 0, kMaxGroupCells);
    // Each group's cells are sized as its record is read, so that memory follows the file.
    s.approaches.assign(size_t(s.numApproaches) + 1, Group{});
    ConsoleCount(console, "Reading and Writing Approach Information...", s.numApproaches,
                 " Approaches");
    WriteApproachHeading(echo, s);
    std::vector<bool> seen(size_t(s.numApproaches) + 1, false);
    for (int r = 1; r <= s.numApproaches; ++r) {
        in.beginStatement();
        const int a = ReadGroupNumber(in, "approach number", s.numApproaches, seen);
        Group& group = s.approaches[a];
        group.weight = in.readReal(Numbered("approachWeight of approach", a), ranges::kWeight);
        ReadGroupCells(in, s, Numbered("approach", a), group);
        WriteApproach(echo, s, a);
    }
}

// Section F.
void ReadPlotGroups(TokenReader& in, Scenario& s, RecordWriter& echo) {
    in.beginStatement();
    s.numPlotGroups = in.readInt("numPlotGroups", 0, kMaxGroups);
    s.plotGroups.assign(size_t(s.numPlotGroups) + 1, Group{});
    ReadRepeatedCount(in, "maxGroupCells", 0, kMaxGroupCells, s.maxGroupCells,
                      "in the approach section");
    std::vector<bool> seen(size_t(s.numPlotGroups) + 1, false);
    for (int r = 1; r <= s.numPlotGroups; ++r) {
        in.beginStatement();
        const int g = ReadGroupNumber(in, "plot group number", s.numPlotGroups, seen);
        Group& group = s.plotGroups[g];
        group.weight = in.readReal(Numbered("weight of plot group", g));
        group.plotFlag = ReadFlag(in, Numbered("plotFlag of plot group", g));
        group.plotStart = in.readInt(Numbered("plotStart of plot group", g), 0, kLastTime);
        group.plotEnd = in.readInt(Numbered("plotEnd of plot group", g), 0, kLastTime);
        ReadGroupCells(in, s, Numbered("plot group", g), group);
        WritePlotGroup(echo, s, g);
    }
}

}  // namespace

CellKind CellKindOf(std::string_view code) {
    std::string upper(code.substr(0, 2));
    for (char& c : upper) {
        c = char(std::toupper(static_cast<unsigned char>(c)));
    }
    if (upper == "OR")
        return CellKind::Origin;
    if (upper == "DE")
        return CellKind::Destination;
    if (upper == "DI")
        return CellKind::Diverge;
    if (upper == "ME")
        return CellKind::Merge;
    if (upper == "MB")
        return CellKind::MergeAtSignal;
    return CellKind::Ordinary;
}

void ReadRunChoice(TokenReader& in, Scenario& s) {
    in.beginStatement();
    s.optimizationOn = ReadFlag(in, "optimizationOn");
    in.beginStatement();
    s.controlStrategy = in.readInt("controlStrategy");
    // Any other variant would run a search and report no plan.
    if (s.optimising() && (s.controlStrategy < 1 || s.controlStrategy > 3)) {
        in.fail("controlStrategy is " + std::to_string(s.controlStrategy) +
                ", expected 1 (FGFC), 2 (VGFC) or 3 (VGVC) for an optimisation");
    }
}

void ReadScenario(TokenReader& in, Scenario& s, TimeTables& tables, RecordWriter& echo,
                  std::ostream& console) {
    WriteEchoTitle(echo);
    ReadGlobalParameters(in, s);

    ReadCells(in, s, console);
    // Sized once: every cell, loadings up to the last step's occupancy.
    tables = TimeTables(s.numCells, s.endSimulationStep + s.timeStep);
    ComputeCellCapacities(s, tables);
    ConsoleLine(console, "Created Qmax Array");
    ConsoleLine(console, "Created Holding Capacity Array");
    ConsoleLine(console, "Loaded Initial Conditions");
    SeedOriginOccupancy(s, tables);

    // The global parameters' echo shows volMultiplier, which the demand section holds.
    ReadDemandCounts(in, s, console);
    WriteGlobalParameters(echo, s);
    WriteEnteredCells(echo, s);
    WriteCalculatedCells(echo, s, tables);
    WriteDemandHeading(echo, s);
    ReadLoadings(in, s, tables, echo);
    WriteDemandEnd(echo);

    ReadTimingPlan(in, s);
    CheckCellSignals(in, s);
    WriteTimingPlanSection(echo, s);

    ReadApproaches(in, s, echo, console);
    ReadPlotGroups(in, s, echo);
}

void ReadWholeScenario(TokenReader& in, Scenario& scenario, TimeTables& tables, RecordWriter& echo,
                       std::ostream& console) {
    ReadRunChoice(in, scenario);
    ReadScenario(in, scenario, tables, echo, console);
}

}  // namespace talvo
