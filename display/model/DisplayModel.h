#pragma once

#include <string>
#include <vector>

namespace talvo::display {

// Table capacities, as in the editor.
inline constexpr int kMaxCells = 500;
inline constexpr int kMaxLinks = 1000;
inline constexpr int kMaxNodes = 50;
inline constexpr int kMaxStreets = 50;
inline constexpr int kMaxStreetCells = 200;
inline constexpr int kMaxStages = 20;
inline constexpr int kMaxStageMoves = 20;
// Times are whole seconds up to the engine's last, a day and more.
inline constexpr int kMaxTime = 100000;
// A plan's records close with an end time of at least this (or the run's last occupancy,
// endSimulationStep + timeStep, in longer runs, as the engine writes them).
inline constexpr int kPlanEndMarker = 10000;

// Signal states in the signal state table.
inline constexpr int kRed = 0;
inline constexpr int kGreen = 1;
inline constexpr int kAmber = 2;

struct DisplayParameters {
    int jamDensity = 0;
    int timeStep = 1;
    int endSimulationStep = 1000;
    int startStep = 0;
    int endStep = 1000;
    int phaseCycle = 40;
    double cellScaleX = 0.0;
    double cellScaleY = 0.0;
};

struct DisplayCell {
    int cellID = 0;
    double x = 0.0;
    double y = 0.0;
    int laneNum = 0;
    int orientation = 0;  // 1 horizontal, 2 vertical
    double speed = 0.0;
    int signalID = 0;
    bool isDummy = false;
    std::vector<double> occupancy;  // vehicles at each second 0..endStep

    double occupancyAt(int step) const;
};

// The end time that closes every record of a plan file the engine wrote for a run of these
// parameters.
int PlanEndMarker(const DisplayParameters& parameters);

struct DisplayLink {
    int linkID = 0;
    int fromCell = 0;  // cell IDs
    int toCell = 0;
    int passNode = 0;  // node ID, 0 = none
};

struct DisplayStage {
    int stageTime = 10;
    std::vector<int> moves;
};

struct DisplayNode {
    int nodeID = 0;
    double x = 0.0;
    double y = 0.0;
    int stageNum = 1;
    int offset = 0;
    std::vector<DisplayStage> stages{DisplayStage{}};
};

struct DisplayStreet {
    std::string streetName;
    double x = 0.0;
    double y = 0.0;
    std::vector<int> cellIDs;
};

// A CTM plot group: the cells of plot file ctmplot_<g>.plt in row order, and its seconds.
struct DisplayPlotGroup {
    std::vector<int> cellIDs;
    bool occupancyPlot = false;
    int startStep = 0;
    int endStep = 0;
};

// One row per link with a passNode: column 0 the signal's identifier, column k the state
// at step startStep + k (red, green or amber).
struct SignalRow {
    int linkIndex = 0;  // 0-based index into the links
    std::vector<int> states;

    // The state in a column 1..endStep-startStep; red outside.
    int stateAtColumn(int column) const;
};

// What the display keeps of a project, its occupancy and its timing plan.
struct DisplayModel {
    DisplayParameters parameters;
    std::vector<DisplayCell> cells;
    std::vector<DisplayLink> links;
    std::vector<DisplayNode> nodes;
    std::vector<DisplayStreet> streets;
    std::vector<DisplayPlotGroup> plotGroups;
    std::vector<SignalRow> signalRows;

    // Index into cells / nodes, or -1.
    int findCellIndex(int cellID) const;
    int findNodeIndex(int nodeID) const;
    // The signal row of a link, or nullptr when the link passes no node.
    const SignalRow* signalRowOfLink(int linkIndex) const;
    // State of a signalised link at a step; red up to startStep and outside the table.
    int signalStateAt(int linkIndex, int step) const;
    // Number of state columns: endStep - startStep (never below 0).
    int signalColumns() const;
    // The signal rows sized for the links, all red, each identified by its from-cell's signal.
    void sizeSignalTable();
};

// The state before every open and after a failed read.
void ResetDisplayModel(DisplayModel& model);

}  // namespace talvo::display
