#pragma once
// The signal states of a batch of plans, one plan per lane: each lane's switching
// sequences, cut to the seconds a run reads, and a clock that gives every lane the state
// SignalStateAt would give it, as a row of lanes per signal record.

#include <cstdint>
#include <vector>

#include "FlowNetwork.h"
#include "SignalControl.h"
#include "lanes/AlignedRows.h"

namespace talvo {

class LaneSignals {
  public:
    // `lastTime`: the last second a run will ask for.
    LaneSignals(const FlowNetwork& network, int width, int32_t lastTime);

    // Takes the sequences of the records that gate a cell from `tables` into `lane`.
    void load(int lane, const SignalTables& tables);
    // A lane without a plan: red throughout (for the unused lanes of a batch).
    void clear(int lane);

    // Back to second 0; call before the first advanceTo of a run.
    void reset();
    // Brings every lane's states to second t (t never decreases between resets).
    void advanceTo(int32_t t) {
        if (t >= nextChange_) {
            step(t);
        }
    }
    // States as floats (1 green, 0 red), `width` lanes per signal record number.
    const float* greenRow(int signal) const { return green_.row(signal); }

  private:
    struct Entry {
        int32_t endTime;
        float state;
    };
    struct Sequence {
        int first = 0;  // into entries_[lane]
        int count = 0;  // 0: red throughout
    };

    void step(int32_t t);
    Sequence& sequence(int lane, int u) { return sequences_[size_t(lane) * numUsed_ + u]; }

    int width_;
    int32_t lastTime_;
    int numUsed_;
    std::vector<int> used_;                    // record numbers that gate a cell
    std::vector<std::vector<Entry>> entries_;  // per lane, the used records one after the other
    std::vector<Sequence> sequences_;          // per lane and used record
    std::vector<int> position_;                // per lane and used record
    std::vector<int32_t> nextEnd_;             // per lane and used record: end of the current entry
    AlignedRows green_;
    int32_t nextChange_ = 0;  // earliest second at which some state may change
};

}  // namespace talvo
