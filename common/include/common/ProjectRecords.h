#pragma once
// The editor's network: global parameters and the tables of cells, links, signalised
// nodes, signal owners, streets, delay result groups and CTM plot groups. Editor and
// Display both hold a Project; the project file reader fills one.
//
// Tables are std::vector whose size is the table's count. Records refer to each other by
// ID (cell, link and node IDs), never by table position. Integers hold 16-bit values.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace talvo {

// Upper bounds of the tables, set by what the engine runs: the tables are sized by the file,
// and a count beyond these is refused as a damaged file rather than allocated.
struct Capacity {
    static constexpr int kCells = 1000000;
    static constexpr int kLinks = 4000000;  // a few per cell
    static constexpr int kNodes = 100000;
    static constexpr int kSignals = 1000000;     // signal movement IDs 1..kSignals
    static constexpr int kClassicSignals = 100;  // the owner table is never shorter
    static constexpr int kStreets = 100000;
    static constexpr int kStreetCells = kCells;
    static constexpr int kDelayGroups = 100000;
    static constexpr int kPlotGroups = 100000;
    static constexpr int kGroupCells = 100000;
    static constexpr int kMaxID = 10000000;         // cell, node and link IDs
    static constexpr int kTimeLimit = 100000;       // times of a run are below it
    static constexpr int kStages = 1000;            // what the engine runs at one junction
    static constexpr int kKeptStages = 20;          // stage records every node keeps
    static constexpr int kStageMoves = 1000;        // movements green in one stage
    static constexpr int kOriginIntervals = 10000;  // loading intervals of one cell
    static constexpr int kMaxInt16 = 32767;
};

// Orientation codes of a cell, in the order of the orientation lists.
inline constexpr int kHorizontal = 1;
inline constexpr int kVertical = 2;

struct OriginInterval {
    int orVehPerHr = 0;
    int orStart = 0;
    int orEnd = 0;

    bool operator==(const OriginInterval&) const = default;
};

struct CellRecord {
    int cellID = 0;
    double x = 0;
    double y = 0;
    int laneNum = 0;
    int orientation = 0;
    double speed = 0;
    bool ownOccupancy = false;
    int initialCarNum = 0;
    double capacityFactor = 0;
    double capacity = 0;
    int signalID = 0;                       // 0 = no signal
    std::vector<OriginInterval> intervals;  // orIntervalNum = size(); a cell with any is an origin
    bool isDummy = false;

    int orIntervalNum() const { return static_cast<int>(intervals.size()); }

    bool operator==(const CellRecord&) const = default;
};

struct LinkRecord {
    int linkID = 0;
    int fromCell = 0;  // cell ID
    int toCell = 0;    // cell ID
    int passNode = 0;  // node ID, 0 = none
    double mergeDivert = 0;

    bool operator==(const LinkRecord&) const = default;
};

struct StageRecord {
    int stageTime = 10;  // green plus amber plus all-red, seconds
    bool stageOptimize = false;
    std::vector<int> stageMoves;  // signal movement IDs; stageMoveNum = size()

    int stageMoveNum() const { return static_cast<int>(stageMoves.size()); }

    bool operator==(const StageRecord&) const = default;
};

struct NodeRecord {
    int nodeID = 0;
    double x = 0;
    double y = 0;
    int offset = 0;
    int stageNum = 1;
    // Stage s is stages[s - 1]; only 1..stageNum are in use. At least kKeptStages records
    // are kept, more while the node has more stages.
    std::vector<StageRecord> stages = std::vector<StageRecord>(Capacity::kKeptStages);

    // The stages in use that have a record: stageNum, unless a record was built short.
    int usedStages() const { return std::clamp(stageNum, 0, static_cast<int>(stages.size())); }
    // Records for stages 1..count: kKeptStages, or count when that is more.
    void sizeStages(int count) {
        stages.resize(static_cast<std::size_t>(std::max(count, Capacity::kKeptStages)));
    }

    bool operator==(const NodeRecord&) const = default;
};

struct StreetRecord {
    std::string streetName;
    double x = 0;  // label position
    double y = 0;
    std::vector<int> cellIDs;  // cellNum = size()

    int cellNum() const { return static_cast<int>(cellIDs.size()); }

    bool operator==(const StreetRecord&) const = default;
};

struct DelayGroup {
    std::vector<int> cellIDs;  // delayGroupCellNum = size()

    bool operator==(const DelayGroup&) const = default;
};

struct PlotGroup {
    std::vector<int> cellIDs;  // plotGroupCellNum = size()
    bool occupancyPlot = false;
    int startStep = 0;
    int endStep = 0;

    bool operator==(const PlotGroup&) const = default;
};

// Global simulation and GA parameters, initialised to the File New values.
struct GlobalParameters {
    double wvRatio = 0.25;
    int jamDensity = 125;
    int saturationFlow = 1800;
    int timeStep = 1;
    int endSimulationStep = 1000;
    int startStep = 0;
    int endStep = 1000;
    int phaseCycle = 20;
    bool optimizationOn = false;
    int networkCycleTime = 60;
    int maxCycleTime = 120;
    int minGreenTime = 15;
    int lostTime = 4;
    int populationSize = 100;
    int generationNum = 10;
    int terminationNum = 5;
    double mutationRate = 0.5;
    int fitnessIndex = 5;
    bool adaptWebster = false;
    bool initialSeed = false;
    int controlStrategy = 1;  // 1 FGFC, 2 VGFC, 3 VGVC
    double volMultiplier = 1.0;

    // Not reset by File New; initialCellOccupancy is not stored in the project file.
    int initialCellOccupancy = 0;
    double cellScaleX = 1.5;
    double cellScaleY = 100;

    bool operator==(const GlobalParameters&) const = default;
};

// Everything that the undo snapshot copies: the tables and their ID counters.
struct NetworkTables {
    std::vector<CellRecord> cells;
    int lastCellID = 0;  // highest cell or node ID ever given
    std::vector<LinkRecord> links;
    int lastLinkID = 0;
    std::vector<NodeRecord> nodes;
    // signalOwner[k] = ID of the cell whose signal query uses movement k; 0 = free. Entry 0
    // is unused; the table reaches at least movement 100 and every signal a cell holds.
    std::vector<int> signalOwner = std::vector<int>(Capacity::kClassicSignals + 1, 0);
    std::vector<StreetRecord> streets;
    std::vector<DelayGroup> delayGroups;
    std::vector<PlotGroup> plotGroups;

    bool operator==(const NetworkTables&) const = default;
};

struct Project {
    GlobalParameters params;
    NetworkTables tables;

    bool operator==(const Project&) const = default;
};

// File New state of the parameters: every value back to its default except the cell
// initial occupancy and the two cell scales.
void ResetParameters(GlobalParameters& params);

// Entries of the owner table in the project file: 100, or the highest signal a cell holds
// when that is more. The file keeps no count of its own, so reader and writer agree on this.
int SignalOwnerCount(const std::vector<CellRecord>& cells);

}  // namespace talvo
