#pragma once

#include <unordered_map>
#include <vector>

#include "common/ProjectRecords.h"

namespace talvo::display {

// Times are whole seconds up to the engine's last, a day and more.
inline constexpr int kMaxTime = 100000;
// A plan's records close with an end time of at least this (or the run's last occupancy,
// endSimulationStep + timeStep, in longer runs, as the engine writes them).
inline constexpr int kPlanEndMarker = 10000;

// Signal states in the signal state table.
inline constexpr int kRed = 0;
inline constexpr int kGreen = 1;
inline constexpr int kAmber = 2;

// The end time that closes every record of a plan file the engine wrote for a run of these
// parameters.
int PlanEndMarker(const GlobalParameters& parameters);

// A signalised link's states: column 0 the signal's identifier, column k the state at step
// startStep + k (red, green or amber).
struct SignalRow {
    std::vector<int> states;

    // The state in a column 1..endStep-startStep; red outside.
    int stateAtColumn(int column) const;
};

// What the display keeps of a run: the project as read, and what its occupancy and timing
// plan files add, keyed by cell and link ID.
struct DisplayModel {
    Project project;
    // Vehicles at each second 0..endStep, by cell ID; a cell without a series holds none.
    std::unordered_map<int, std::vector<double>> occupancy;
    // One row per link that passes a node, by link ID.
    std::unordered_map<int, SignalRow> signalRows;

    const GlobalParameters& parameters() const { return project.params; }
    // A cell's vehicles at a step; 0 outside its series.
    double occupancyAt(int cellID, int step) const;
    // The signal row of a link, or nullptr when the link passes no node.
    const SignalRow* signalRowOfLink(int linkID) const;
    // State of a signalised link at a step; red up to startStep and outside the table.
    int signalStateAt(int linkID, int step) const;
    // Number of state columns: endStep - startStep (never below 0).
    int signalColumns() const;
    // The signal rows sized for the links, all red, each identified by its from-cell's signal.
    void sizeSignalTable();
};

}  // namespace talvo::display
