#include "lanes/LaneSignals.h"

#include <algorithm>

namespace talvo {

LaneSignals::LaneSignals(const FlowNetwork& network, int width, int32_t lastTime)
    : width_(width),
      lastTime_(lastTime),
      used_(network.usedSignals.begin(), network.usedSignals.begin() + network.numUsedSignals),
      forced_(used_.size(), -1.0f),
      slots_(used_.empty() ? 1 : *std::max_element(used_.begin(), used_.end()) + 1),
      entries_(size_t(width)),
      sequences_(size_t(width) * used_.size()),
      nextChange_(int(used_.size()), width),
      green_(slots_, width) {
    usedIndex_.assign(size_t(slots_), -1);
    for (size_t u = 0; u < used_.size(); ++u) {
        usedIndex_[size_t(used_[u])] = int(u);
    }
}

void LaneSignals::load(int lane, const SignalTables& tables) {
    std::vector<Entry>& entries = entries_[size_t(lane)];
    entries.clear();
    for (int u = 0; u < numUsed(); ++u) {
        const SwitchingSequence& seq = tables.sequences[size_t(used_[size_t(u)])];
        Sequence& kept = sequence(lane, u);
        kept.first = int(entries.size());
        // A run's lookups stop at the first entry that ends after its last second.
        for (size_t m = 0; m < seq.signalEndTime.size(); ++m) {
            entries.push_back({seq.signalEndTime[m], float(seq.signalState[m])});
            if (seq.signalEndTime[m] > lastTime_) {
                break;
            }
        }
        kept.count = int(entries.size()) - kept.first;
    }
}

void LaneSignals::clear(int lane) {
    entries_[size_t(lane)].clear();
    for (int u = 0; u < numUsed(); ++u) {
        sequence(lane, u) = Sequence{};
    }
}

void LaneSignals::reset() {
    for (int u = 0; u < numUsed(); ++u) {
        forced_[size_t(u)] = -1.0f;
        for (int lane = 0; lane < width_; ++lane) {
            sequence(lane, u).position = 0;
            nextChange_.row(u)[lane] = kAtOnce;
        }
    }
}

}  // namespace talvo

namespace talvo {

void LaneSignals::override(int signal, SignalOverride mode) {
    if (signal < 0 || signal >= slots_ || usedIndex_[size_t(signal)] < 0) {
        return;
    }
    const int u = usedIndex_[size_t(signal)];
    forced_[size_t(u)] = mode == SignalOverride::Green ? 1.0f
                         : mode == SignalOverride::Red ? 0.0f
                                                       : -1.0f;
    for (int lane = 0; lane < width_; ++lane) {
        // The state the plan holds now: the entry the clock stands at (advance moves on
        // from it when it is due).
        const Sequence& seq = sequence(lane, u);
        const Entry* first = entries_[size_t(lane)].data();
        const float planned =
            seq.position < seq.count ? first[seq.first + seq.position].state : 0.0f;
        green_.row(signal)[lane] = forced_[size_t(u)] >= 0.0f ? forced_[size_t(u)] : planned;
    }
}

}  // namespace talvo
