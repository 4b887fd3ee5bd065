#include "lanes/LaneSignals.h"

namespace talvo {

LaneSignals::LaneSignals(const FlowNetwork& network, int width, int32_t lastTime)
    : width_(width),
      lastTime_(lastTime),
      used_(network.usedSignals.begin(), network.usedSignals.begin() + network.numUsedSignals),
      entries_(size_t(width)),
      sequences_(size_t(width) * used_.size()),
      nextChange_(int(used_.size()), width),
      green_(network.signalSlots, width) {}

void LaneSignals::load(int lane, const SignalTables& tables) {
    std::vector<Entry>& entries = entries_[size_t(lane)];
    entries.clear();
    for (int u = 0; u < numUsed(); ++u) {
        const SwitchingSequence& seq = tables.sequences[size_t(used_[size_t(u)])];
        Sequence& kept = sequence(lane, u);
        kept.first = int(entries.size());
        // A run's lookups stop at the first entry that ends after its last second.
        for (int m = 0; m < seq.size(); ++m) {
            entries.push_back({seq.signalEndTime[size_t(m)], float(seq.signalState[size_t(m)])});
            if (seq.signalEndTime[size_t(m)] > lastTime_) {
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
        for (int lane = 0; lane < width_; ++lane) {
            sequence(lane, u).position = 0;
            nextChange_.row(u)[lane] = kAtOnce;
        }
    }
}

}  // namespace talvo
