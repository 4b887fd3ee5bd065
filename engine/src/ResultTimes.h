#pragma once
// Which recorded step a result reads for a second of the run.

#include <cstdint>

#include "Scenario.h"

namespace talvo {

// The time whose values stand for second t: the start of the step holding t, within the
// simulated horizon (the run fills only the step starts); beyond it the table's own value.
inline int32_t StepStartOf(const Scenario& s, int32_t t) {
    if (s.timeStep <= 1) {
        return t;
    }
    const int32_t lastWritten = (s.endSimulationStep / s.timeStep + 1) * s.timeStep;
    return t <= lastWritten ? t - t % s.timeStep : t;
}

}  // namespace talvo
