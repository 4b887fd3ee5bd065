#include "lanes/LaneSignals.h"

#include <algorithm>
#include <limits>

namespace talvo {

namespace {

constexpr int32_t kNever = std::numeric_limits<int32_t>::max();
constexpr int32_t kAtOnce = std::numeric_limits<int32_t>::min();

}  // namespace

LaneSignals::LaneSignals(const FlowNetwork& network, int width, int32_t lastTime)
    : width_(width),
      lastTime_(lastTime),
      numUsed_(network.numUsedSignals),
      used_(network.usedSignals.begin(), network.usedSignals.begin() + network.numUsedSignals),
      entries_(size_t(width)),
      sequences_(size_t(width) * numUsed_),
      position_(size_t(width) * numUsed_),
      nextEnd_(size_t(width) * numUsed_),
      green_(kMaxSignalNumber + 1, width) {}

void LaneSignals::load(int lane, const SignalTables& tables) {
    std::vector<Entry>& entries = entries_[size_t(lane)];
    entries.clear();
    for (int u = 0; u < numUsed_; ++u) {
        const SwitchingSequence& seq = tables.sequences[used_[size_t(u)]];
        Sequence& kept = sequence(lane, u);
        kept.first = int(entries.size());
        // A run's lookups stop at the first entry that ends after its last second.
        for (int m = 0; m < kMaxIntervals; ++m) {
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
    for (int u = 0; u < numUsed_; ++u) {
        sequence(lane, u) = Sequence{};
    }
}

void LaneSignals::reset() {
    std::fill(position_.begin(), position_.end(), 0);
    std::fill(nextEnd_.begin(), nextEnd_.end(), kAtOnce);
    nextChange_ = kAtOnce;
}

void LaneSignals::step(int32_t t) {
    int32_t next = kNever;
    for (int lane = 0; lane < width_; ++lane) {
        const Entry* entries = entries_[size_t(lane)].data();
        for (int u = 0; u < numUsed_; ++u) {
            const size_t at = size_t(lane) * numUsed_ + u;
            if (nextEnd_[at] > t) {
                next = std::min(next, nextEnd_[at]);
                continue;
            }
            const Sequence& seq = sequences_[at];
            const Entry* first = entries + seq.first;
            int m = position_[at];
            while (m < seq.count && first[m].endTime <= t) {
                ++m;
            }
            position_[at] = m;
            green_.row(used_[size_t(u)])[lane] = m < seq.count ? first[m].state : 0.0f;
            nextEnd_[at] = m < seq.count ? first[m].endTime : kNever;
            next = std::min(next, nextEnd_[at]);
        }
    }
    nextChange_ = next;
}

}  // namespace talvo
