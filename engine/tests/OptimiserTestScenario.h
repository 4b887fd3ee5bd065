#pragma once
// Small hand-made timing-plan scenarios for the optimiser's unit tests.

#include <initializer_list>
#include <memory>
#include <vector>

#include "ClassicSizes.h"
#include "Scenario.h"

namespace talvo::testing {

struct StageSpec {
    int duration;
    bool fixed;
};

// Adds intersection p = numIntersections + 1 with the given stages, keeping the cycle sum
// (fixed durations + minGreenTime per free stage) and minCycleTime up to date.
inline void AddIntersection(Scenario& scenario, int offset,
                            std::initializer_list<StageSpec> stages) {
    const int p = ++scenario.numIntersections;
    Intersection& section = scenario.intersections[p];
    section.offset = offset;
    section.stageCount = static_cast<int>(stages.size());
    section.stageTotal = scenario.intersections[p - 1].stageTotal + section.stageCount;
    int k = 0;
    for (const StageSpec& stage : stages) {
        ++k;
        section.stageTime[k] = stage.duration;
        section.stageFixed[k] = stage.fixed ? 1 : 0;
        section.stageDuration[k] = stage.fixed ? stage.duration : 0;
        section.stageDuration[0] += stage.fixed ? stage.duration : scenario.minGreenTime;
    }
    if (section.stageDuration[0] > scenario.minCycleTime) {
        scenario.minCycleTime = section.stageDuration[0];
    }
}

// Adds signal record k = numSignals + 1 of intersection p, green in the stages marked 'Y'.
inline void AddSignal(Scenario& scenario, int p, const char* greens) {
    const int k = ++scenario.numSignals;
    SignalRecord& record = scenario.signals[k];
    record.present = true;
    record.signalIntersection = p;
    for (int j = 0; greens[j] != '\0'; ++j)
        record.stageGreen[j + 1] = greens[j];
    scenario.signalNumbers.push_back(k);
}

inline std::unique_ptr<Scenario> MakeTimingScenario(int minGreen, int maxCycle, int phaseCycle) {
    auto scenario = test::ClassicScenario();
    scenario->optimizationOn = 'Y';
    scenario->controlStrategy = 1;
    scenario->minGreenTime = minGreen;
    scenario->maxCycleTime = maxCycle;
    scenario->phaseCycle = phaseCycle;
    scenario->networkCycleTime = maxCycle;
    scenario->timeStep = 1;
    scenario->endSimulationStep = 300;
    scenario->populationSize = 8;
    scenario->generationNum = 5;
    scenario->terminationNum = 3;
    scenario->mutationRate = 0.05f;
    scenario->fitnessIndex = 5;
    return scenario;
}

}  // namespace talvo::testing
