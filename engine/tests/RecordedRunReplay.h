#pragma once
// The approach totals and the Webster cycle of a run recorded in full, fed step by step
// through the same counters the engine runs, so tests can state a run's values by hand.

#include <algorithm>
#include <vector>

#include "ApproachTotals.h"
#include "RunRecording.h"
#include "optimiser/Seeding.h"
#include "optimiser/WebsterVolumes.h"

namespace talvo::test {

// `run` holds at least the occupancies and inflows of the approaches' cells.
inline ApproachTotals ComputeApproachTotals(const Scenario& s, const RunRecording& run,
                                            const DelayResults& delay) {
    ApproachCounter counter(s, run.stepCount());
    const size_t width = size_t(run.numCells()) + 1;
    std::vector<float> occupancies(width), inflows(width);
    for (int32_t k = 0; k <= run.stepCount(); ++k) {
        const int32_t t = k * run.timeStep();
        for (int c = 1; c < int(width); ++c) {
            occupancies[size_t(c)] = run.n(c, t);
            inflows[size_t(c)] = k > 0 ? run.x(c, t - run.timeStep()) : 0.0f;
        }
        counter.take(k, occupancies.data(), k > 0 ? inflows.data() : nullptr);
    }
    return counter.totals(delay);
}

// `run` holds at least the signalised cells' inflows; `tables` has the loadings.
inline int32_t WebsterCycle(const Scenario& scenario, const TimeTables& tables,
                            const RunRecording& run) {
    WebsterVolumes volumes(scenario, tables, run.timeStep(), run.stepCount());
    std::vector<float> inflows(size_t(std::max(run.numCells(), scenario.numCells)) + 1, 0.0f);
    do {
        for (int32_t k = 1; k <= run.stepCount(); ++k) {
            for (int c = 1; c <= run.numCells(); ++c) {
                inflows[size_t(c)] = run.x(c, (k - 1) * run.timeStep());
            }
            volumes.take(k, inflows.data());
        }
    } while (volumes.finishPass());
    return talvo::WebsterCycle(scenario, volumes.volumes());
}

}  // namespace talvo::test
