#pragma once
// The engine's tables: everything the scenario file holds and what is derived from it
// while it is read. Each table is sized once from the counts in the file, 1-based, with a
// row 0 that stays empty so that a lookup through "no cell" (index 0) reads zeros.

#include <cstdint>
#include <string>
#include <vector>

namespace talvo {

// Upper bounds that protect the machine: a file asking for more is refused, naming the
// value, before any table is sized.
inline constexpr int kMaxCells = 1000000;
inline constexpr int32_t kLastTime = 100000;  // last time index (seconds); a day is 86400
inline constexpr int kMaxIntersections = 100000;
inline constexpr int kMaxStages = 1000;            // stages per intersection
inline constexpr int kMaxSignalRecords = 1000000;  // records present in one scenario
inline constexpr int kMaxSignalNumber = 1000000;   // record numbers are the editor's movement IDs
inline constexpr int kMaxIntervals = 200002;       // switching-sequence entries 0..200001
inline constexpr int kMaxGroups = 100000;          // approaches, plot groups
inline constexpr int kMaxGroupCells = 100000;
inline constexpr int kMaxPlotFiles = 5;
// End time of a sequence's closing entry in runs that end before it: plan files written
// and read within that time keep it; a longer run closes its sequences after its end
// (SequenceEnd).
inline constexpr int32_t kSequenceEnd = 10000;

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
    int32_t stageTotal = 0;  // stages of intersections 1..p together
    std::vector<int32_t> stageTime = std::vector<int32_t>(1);      // 1..stageCount
    std::vector<int32_t> stageDuration = std::vector<int32_t>(1);  // 0 = cycle sum, 1..stageCount
    std::vector<int32_t> stageFixed = std::vector<int32_t>(1);     // 1..stageCount

    void sizeStages(int32_t count) {
        stageTime.assign(size_t(count) + 1, 0);
        stageDuration.assign(size_t(count) + 1, 0);
        stageFixed.assign(size_t(count) + 1, 0);
    }
};

struct SignalRecord {
    bool present = false;
    int32_t signalIntersection = 0;
    std::vector<char> stageGreen = std::vector<char>(1);  // 1..stages, 'Y'/'y' = green
};

// One switching sequence: (state, end time) pairs closed by an end time >= the sequence
// end. Past its last entry a sequence is red.
struct SwitchingSequence {
    std::vector<int32_t> signalState;
    std::vector<int32_t> signalEndTime;

    int size() const { return int(signalEndTime.size()); }
    // Keeps the storage when the length does not change (a plan rebuilt per evaluation).
    void resize(int entries) {
        signalState.resize(size_t(entries));
        signalEndTime.resize(size_t(entries));
    }
};

struct Group {
    float weight = 0;
    char plotFlag = ' ';  // plot groups only
    int32_t plotStart = 0, plotEnd = 0;
    std::vector<int> cells = std::vector<int>(1);  // 1..maxGroupCells, 0 = empty place
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
    std::vector<Cell> cells = std::vector<Cell>(1);

    // Section C
    int numLoadings = 0;
    float volMultiplier = 0;
    int volMultiplierLine = 0;  // its line in the file, for tools that vary the demand
    std::vector<Loading> loadings;

    // Section D
    int32_t phaseCycle = 0, maxCycleTime = 0, minGreenTime = 0, lostTime = 0;
    int32_t networkCycleTime = 0;
    int numIntersections = 0;
    std::vector<Intersection> intersections = std::vector<Intersection>(1);
    int numSignals = 0;
    // Indexed by record number: 0..the highest number present.
    std::vector<SignalRecord> signals = std::vector<SignalRecord>(1);
    std::vector<int> signalNumbers;  // the record numbers present, ascending
    int32_t minCycleTime = 0;

    // Sections E and F
    int numApproaches = 0;
    int maxGroupCells = 0;
    std::vector<Group> approaches = std::vector<Group>(1);
    int numPlotGroups = 0;
    std::vector<Group> plotGroups = std::vector<Group>(1);

    bool optimising() const { return optimizationOn == 'Y' || optimizationOn == 'y'; }
    // Tables indexed by record number hold this many rows (0..highest number).
    int signalSlots() const { return int(signals.size()); }
    // Whether k is the number of a signal record of the file.
    bool hasSignal(int64_t k) const {
        return k >= 1 && k < int64_t(signals.size()) && signals[size_t(k)].present;
    }
};

// What a run starts from: each cell's occupancy at second 0 and the loadings, the
// vehicles put into a cell in each second (kept as the loading list gives them, not as a
// table over time, so that they take memory in proportion to the list).
class TimeTables {
  public:
    TimeTables() : TimeTables(0, -1) {}
    // Cells 0..numCells, loadings within seconds 0..lastTime.
    TimeTables(int numCells, int32_t lastTime)
        : lastTime_(lastTime),
          occupancy_(size_t(numCells) + 1, 0.0f),
          loadings_(size_t(numCells) + 1) {}

    int row() const { return int(occupancy_.size()); }  // cells 0..numCells
    int32_t lastTime() const { return lastTime_; }

    float& n0(int cell) { return occupancy_[size_t(cell)]; }
    float n0(int cell) const { return occupancy_[size_t(cell)]; }

    // `amount` vehicles into `cell` in each second first..last (cut to 0..lastTime); a
    // later loading replaces an earlier one where they overlap.
    void load(int cell, int32_t first, int32_t last, float amount) {
        first = first < 0 ? 0 : first;
        last = last > lastTime_ ? lastTime_ : last;
        if (first <= last) {
            loadings_[size_t(cell)].push_back({first, last, amount});
        }
    }
    // Every loading of `cell` times `factor` (a demand scaled as a whole).
    void scaleLoadings(int cell, float factor) {
        for (Interval& loading : loadings_[size_t(cell)]) {
            loading.amount *= factor;
        }
    }
    // The vehicles loaded into `cell` in second t (0 where no loading covers it).
    float x(int cell, int32_t t) const {
        const std::vector<Interval>& list = loadings_[size_t(cell)];
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            if (it->first <= t && t <= it->last) {
                return it->amount;
            }
        }
        return 0.0f;
    }

  private:
    struct Interval {
        int32_t first, last;
        float amount;
    };
    int32_t lastTime_;
    std::vector<float> occupancy_;
    std::vector<std::vector<Interval>> loadings_;  // per cell, in the order given
};

}  // namespace talvo
