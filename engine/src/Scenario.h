#pragma once
// The engine's tables: everything the scenario file holds and what is derived from it
// while it is read. Fixed capacities, 1-based, with a row 0 that stays empty so that a
// lookup through "no cell" (index 0) reads zeros.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ZeroedTable.h"

namespace talvo {

inline constexpr int kMaxCells = 200;
inline constexpr int kTimeSlots = 10000;  // time indices 0..9999 (seconds)
inline constexpr int kMaxIntersections = 30;
inline constexpr int kMaxStages = 300;        // stages per intersection
inline constexpr int kMaxSignalRecords = 30;  // records present in one scenario
inline constexpr int kMaxSignalNumber = 100;  // record numbers are the editor's movement IDs
inline constexpr int kMaxIntervals = 301;     // switching-sequence entries 0..300
inline constexpr int kMaxGroups = 20;         // approaches, plot groups
inline constexpr int kMaxGroupCells = 50;
inline constexpr int kMaxPlotFiles = 5;
inline constexpr int kSequenceEnd = 10000;  // end time of the closing entry

enum class CellKind { Ordinary, Origin, Destination, Diverge, Merge, MergeAtSignal };

struct Cell {
    std::string cellName;  // 11 characters, blank padded
    float fFULL = 0;
    float laneNum = 0;
    float fTURN = 0;
    std::string cellType;                // 2 characters as read
    CellKind kind = CellKind::Ordinary;  // cellType compared without regard to case
    int from1 = 0, from2 = 0, to1 = 0, to2 = 0;
    float split1 = 0, split2 = 0, priority = 0;
    char signalised = ' ';
    int32_t signalID = 0;
    float fMax = 0;
    float holdingCapacity = 0;
    float qMax = 0;
    int recordLine = 0;  // line of the cell's record in the scenario file, for messages

    bool isSignalised() const { return signalised == 'Y' || signalised == 'y'; }
};

struct Loading {
    int cell = 0;  // resolved index, 0 = no cell
    float loadRate = 0;
    int32_t loadStart = 0, loadEnd = 0;
};

struct Intersection {
    int32_t offset = 0;
    int32_t stageCount = 0;
    int32_t stageTotal = 0;                               // stages of intersections 1..p together
    std::array<int32_t, kMaxStages + 1> stageTime{};      // 1..300
    std::array<int32_t, kMaxStages + 1> stageDuration{};  // 0 = cycle sum, 1..300
    std::array<int32_t, kMaxStages + 1> stageFixed{};     // 1..300
};

struct SignalRecord {
    bool present = false;
    int32_t signalIntersection = 0;
    std::array<char, kMaxStages + 1> stageGreen{};  // 1..300, 'Y'/'y' = green
};

// One switching sequence: (state, end time) pairs closed by an end time >= 10000.
struct SwitchingSequence {
    std::array<int32_t, kMaxIntervals> signalState{};
    std::array<int32_t, kMaxIntervals> signalEndTime{};
};

struct Group {
    float weight = 0;
    char plotFlag = ' ';  // plot groups only
    int32_t plotStart = 0, plotEnd = 0;
    std::array<int, kMaxGroupCells + 1> cells{};  // 1..50, 0 = empty place
};

struct Scenario {
    // Section A
    char optimizationOn = 'N';
    int32_t controlStrategy = 0;
    float wvRatio = 0, jamDensity = 0, saturationFlow = 0, initialCellOccupancy = 0;
    int32_t timeStep = 0, endSimulationStep = 0, startStep = 0, endStep = 0;
    int32_t populationSize = 0, generationNum = 0, terminationNum = 0;
    float mutationRate = 0;
    int32_t fitnessIndex = 0;
    char adaptWebster = 'N', initialSeed = 'N';

    // Section B: cells[0] is the empty "no cell" row.
    int numCells = 0;
    std::array<Cell, kMaxCells + 1> cells{};

    // Section C
    int numLoadings = 0;
    float volMultiplier = 0;
    std::vector<Loading> loadings;

    // Section D
    int32_t phaseCycle = 0, maxCycleTime = 0, minGreenTime = 0, lostTime = 0;
    int32_t networkCycleTime = 0;
    int numIntersections = 0;
    std::array<Intersection, kMaxIntersections + 1> intersections{};
    int numSignals = 0;
    std::array<SignalRecord, kMaxSignalNumber + 1> signals{};  // indexed by record number
    std::vector<int> signalNumbers;  // the record numbers present, ascending
    int32_t minCycleTime = 0;

    // Sections E and F
    int numApproaches = 0;
    int maxGroupCells = 0;
    std::array<Group, kMaxGroups + 1> approaches{};
    int numPlotGroups = 0;
    std::array<Group, kMaxGroups + 1> plotGroups{};

    bool optimising() const { return optimizationOn == 'Y' || optimizationOn == 'y'; }
};

// Time tables, stored step-major (all cells of one second together) so that one
// simulation step touches one contiguous row per table.
class TimeTables {
  public:
    static constexpr int kRow = kMaxCells + 1;  // cells 0..200

    TimeTables()
        : occupancy_(size_t(kRow) * kTimeSlots),
          outflow_(size_t(kRow) * kTimeSlots),
          inflow_(size_t(kRow) * kTimeSlots),
          delayVehicles_(size_t(kRow) * kTimeSlots) {}

    float& n(int cell, int t) { return occupancy_[index(cell, t)]; }
    float n(int cell, int t) const { return occupancy_[index(cell, t)]; }
    float& y(int cell, int t) { return outflow_[index(cell, t)]; }
    float y(int cell, int t) const { return outflow_[index(cell, t)]; }
    float& x(int cell, int t) { return inflow_[index(cell, t)]; }
    float x(int cell, int t) const { return inflow_[index(cell, t)]; }
    float& D(int cell, int t) { return delayVehicles_[index(cell, t)]; }
    float D(int cell, int t) const { return delayVehicles_[index(cell, t)]; }

    float* occupancyRow(int t) { return &occupancy_[index(0, t)]; }
    float* outflowRow(int t) { return &outflow_[index(0, t)]; }
    float* inflowRow(int t) { return &inflow_[index(0, t)]; }
    float* delayRow(int t) { return &delayVehicles_[index(0, t)]; }

  private:
    static size_t index(int cell, int t) { return size_t(t) * kRow + size_t(cell); }
    ZeroedTable occupancy_, outflow_, inflow_, delayVehicles_;
};

}  // namespace talvo
