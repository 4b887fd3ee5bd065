#pragma once
// Scenarios built field by field in tests: tables sized as the classic fixed tables were
// (200 cells, 30 intersections of 300 stages, record numbers up to 100, 20 groups of 50
// cells, seconds 0..9999), so that a test may fill any row without sizing it first.

#include <memory>

#include "Scenario.h"

namespace talvo::test {

inline void SizeLikeClassicTables(Scenario& s) {
    s.cells.resize(201);
    s.intersections.resize(31);
    for (Intersection& node : s.intersections) {
        node.sizeStages(300);
    }
    s.signals.resize(101);
    for (SignalRecord& record : s.signals) {
        record.stageGreen.assign(301, '\0');
    }
    for (auto* groups : {&s.approaches, &s.plotGroups}) {
        groups->resize(21);
        for (Group& group : *groups) {
            group.cells.assign(51, 0);
        }
    }
}

inline std::unique_ptr<Scenario> ClassicScenario() {
    auto scenario = std::make_unique<Scenario>();
    SizeLikeClassicTables(*scenario);
    return scenario;
}

inline std::unique_ptr<TimeTables> ClassicTimeTables() {
    return std::make_unique<TimeTables>(200, 9999);
}

}  // namespace talvo::test
