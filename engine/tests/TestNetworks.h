#pragma once
// Small scenarios built in code for the simulation tests: cells with capacities computed
// as the scenario reader does, links that set both ends' neighbours, signals and groups.

#include <memory>
#include <string>

#include "NetworkStepper.h"
#include "RunRecording.h"
#include "Scenario.h"
#include "SignalControl.h"

namespace talvo::test {

struct TestNetwork {
    Scenario scenario;
    std::unique_ptr<TimeTables> tables;
    SignalTables signals;

    // The time tables hold `cellCapacity` cells and every second up to 9999 (or the last
    // step, when later).
    explicit TestNetwork(int32_t timeStep = 1, int32_t endSimulationStep = 100,
                         int cellCapacity = 200);

    // Adds a cell; returns its index. Holding capacity and qMax follow the reader's
    // formulas (99999 for origins and destinations).
    int addCell(CellKind kind, float lanes = 2, float fMax = 36, float fTURN = 1);
    void link(int from, int to);  // fills to1/to2 of `from` and from1/from2 of `to`
    void setSplits(int cell, float split1, float split2);
    void setOccupancy(int cell, float vehicles) { tables->n0(cell) = vehicles; }
    void load(int cell, float vehiclesPerStep, int32_t from, int32_t to);
    // Adds signal record k of intersection p (stages given by "YN" flags) and gates `cell`;
    // its sequence in `signals` gets 301 entries that all end at second 0.
    void addSignal(int k, int p, const std::string& greenFlags);
    void gate(int cell, int k);
    void addIntersection(int p, int32_t offset, std::initializer_list<int32_t> stageTimes);
    int addApproach(float weight, std::initializer_list<int> cells);
    void fillFromCapacity(float fraction);  // n(c,0) of ordinary cells, origins as to1
};

// A full run of every cell with every series kept, as the simulation tests read it.
struct RecordedRun {
    RecordedRun(const Scenario& scenario, const SignalTables& signals, const TimeTables& inputs);
    explicit RecordedRun(const TestNetwork& net)
        : RecordedRun(net.scenario, net.signals, *net.tables) {}
    std::unique_ptr<NetworkStepper> stepper;
    std::unique_ptr<RunRecording> run;
    DelayResults results;
    float twd() const { return results.totalWeightedDelay; }
};

// A corridor of origins, signalised stop lines, a merge and a diverge, with a two-stage
// intersection; `timeStep` 1 or 2.
TestNetwork MakeJunctionNetwork(int32_t timeStep, int32_t endSimulationStep, float preload);

// `copies` junctions of MakeJunctionNetwork side by side, each with its own offset and one
// approach over both of its streets: a larger network of the same rules.
TestNetwork MakeJunctionRow(int copies, int32_t timeStep, int32_t endSimulationStep, float preload);

// Two saturated junctions of two signal records each: a diverge whose branch queues
// back from a stop line until it blocks, a merge fed from both sides past its capacity
// (so that both priority rules and the plain share apply), and an origin that diverges
// with a zero split into a cell without room, whose terms are not numbers.
TestNetwork MakeCongestedNetwork(int32_t timeStep, int32_t endSimulationStep);

}  // namespace talvo::test
