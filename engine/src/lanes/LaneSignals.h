#pragma once
// The signal states of a batch of plans, one plan per lane: each lane's switching
// sequences, cut to the seconds a run reads, and a clock that gives every lane the state
// SignalStateAt would give it, as a row of lanes per signal record. The kernels compare a
// whole row of next change times with the step's time and advance only the lanes due.

#include <cstdint>
#include <limits>
#include <vector>

#include "FlowNetwork.h"
#include "SignalControl.h"
#include "lanes/AlignedRows.h"

namespace talvo {

// What an outside controller makes of a signal record from the next step on.
enum class SignalOverride : int8_t { Plan, Green, Red };

class LaneSignals {
  public:
    // `lastTime`: the last second a run will ask for.
    LaneSignals(const FlowNetwork& network, int width, int32_t lastTime);

    // Takes the sequences of the records that gate a cell from `tables` into `lane`.
    void load(int lane, const SignalTables& tables);
    // A lane without a plan: red throughout (for the unused lanes of a batch).
    void clear(int lane);

    // Back to second 0 under the plans: every lane is due at the first step, overrides
    // are dropped.
    void reset();

    // Record `signal` of every lane shows green or red whatever its plan, or follows its
    // plan again, until the next override or reset. Records that gate no cell have no
    // state and are left alone.
    void override(int signal, SignalOverride mode);

    // The records that gate a cell, 0..numUsed-1.
    int numUsed() const { return int(used_.size()); }
    // Per lane, the second from which record u's state may change.
    const int32_t* nextChangeRow(int u) const { return nextChange_.row(u); }
    // Brings record u of `lane` to second t (t never decreases between resets), as
    // SignalClock does: the first entry from the current one on that ends after t.
    void advance(int u, int lane, int32_t t) {
        Sequence& seq = sequence(lane, u);
        const Entry* first = entries_[size_t(lane)].data();
        int m = seq.position;
        while (m < seq.count && first[seq.first + m].endTime <= t) {
            ++m;
        }
        seq.position = m;
        const bool inside = m < seq.count;
        const float forced = forced_[size_t(u)];
        green_.row(used_[size_t(u)])[lane] = forced >= 0.0f ? forced
                                             : inside       ? first[seq.first + m].state
                                                            : 0.0f;
        nextChange_.row(u)[lane] = inside ? first[seq.first + m].endTime : kNever;
    }

    // States as floats (1 green, 0 red), a row of lanes per signal record number.
    const float* greenRow(int signal) const { return green_.row(signal); }
    // Rows of greenRow: record numbers 0..numSlots()-1 (beyond the highest that gates a
    // cell, every record is red).
    int numSlots() const { return slots_; }

  private:
    static constexpr int32_t kNever = std::numeric_limits<int32_t>::max();
    static constexpr int32_t kAtOnce = std::numeric_limits<int32_t>::min();

    struct Entry {
        int32_t endTime;
        float state;
    };
    struct Sequence {
        int first = 0;  // into entries_[lane]
        int count = 0;  // 0: red throughout
        int position = 0;
    };

    Sequence& sequence(int lane, int u) { return sequences_[size_t(lane) * used_.size() + u]; }

    int width_;
    int32_t lastTime_;
    std::vector<int> used_;       // record numbers that gate a cell
    std::vector<int> usedIndex_;  // per record number, into used_ (-1: none)
    std::vector<float> forced_;   // per used record: 1 green, 0 red, -1 plan
    int slots_;
    std::vector<std::vector<Entry>> entries_;  // per lane, the used records one after the other
    std::vector<Sequence> sequences_;          // per lane and used record
    AlignedRows<int32_t> nextChange_;          // per used record, a row of lanes
    AlignedRows<float> green_;                 // per record number, a row of lanes
};

}  // namespace talvo
