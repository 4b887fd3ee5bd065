// The simulation step of FlowStep.h on rows of lanes: every lane performs exactly the
// float operations of the one-plan code, in the same order, so that each lane's delays
// are bit-identical to an evaluation of its plan alone. The cell rules depend only on
// the shared topology, so their branches are the same for all lanes; the choices that
// depend on the traffic are selects that give each lane the value the branch would.
//
// Compiled once per instruction set (Highway's foreach_target); the engine is built
// without floating-point contraction, so no multiply and add fuse into one rounding.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "lanes/LaneKernels.cpp"
#include <utility>
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "lanes/LaneKernels.h"

HWY_BEFORE_NAMESPACE();
namespace talvo {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;
using D = hn::ScalableTag<float>;
using V = hn::Vec<D>;

// The smaller of the two; a candidate that is not a number never wins (ordered compare).
HWY_INLINE V MinOf(V current, V candidate) {
    return hn::IfThenElse(hn::Lt(candidate, current), candidate, current);
}

class Rows {
  public:
    Rows(float* base, size_t width) : base_(base), width_(width) {}
    V load(int i) const { return hn::Load(D(), base_ + size_t(i) * width_); }
    void store(int i, V v) const { hn::Store(v, D(), base_ + size_t(i) * width_); }
    float* raw() const { return base_; }

  private:
    float* base_;
    size_t width_;
};

HWY_INLINE V SendingLimit(const LaneSignals& signals, const FlowCell& cell) {
    const D d;
    if (cell.signalID == 0) {
        return hn::Set(d, cell.qMax);
    }
    return hn::Mul(hn::Load(d, signals.greenRow(cell.signalID)), hn::Set(d, cell.qMax));
}

HWY_INLINE void MergeFlows(const FlowNetwork& net, int j, V si, V sj, int i, const Rows& n,
                           const Rows& y) {
    const D d;
    const FlowCell& cell = net.cells[i];
    const FlowCell& target = net.cells[cell.to1];
    V yi = MinOf(si, n.load(i));
    const V sendJ = MinOf(sj, n.load(j));
    const V room = MinOf(hn::Set(d, target.qMax),
                         hn::Mul(hn::Set(d, net.wvRatio),
                                 hn::Sub(hn::Set(d, target.holdingCapacity), n.load(cell.to1))));
    const V p = hn::Set(d, cell.priority);
    const V pRoom = hn::Mul(p, room);
    const V roomLeft = hn::Sub(room, sendJ);
    const V capped = hn::IfThenElse(hn::Gt(roomLeft, pRoom), roomLeft,
                                    hn::IfThenElse(hn::Gt(yi, pRoom), pRoom, yi));
    yi = hn::IfThenElse(hn::Gt(hn::Add(yi, sendJ), room), capped, yi);
    y.store(i, yi);
    const V rest = hn::Sub(room, yi);
    y.store(j, hn::IfThenElse(hn::Ge(rest, sendJ), sendJ, rest));
}

HWY_INLINE V DivergeFlow(const FlowNetwork& net, V s, int i, const Rows& n) {
    const D d;
    const FlowCell& cell = net.cells[i];
    const FlowCell& k1 = net.cells[cell.to1];
    const FlowCell& k2 = net.cells[cell.to2];
    const V wv = hn::Set(d, net.wvRatio);
    V flow = MinOf(s, n.load(i));
    flow = MinOf(flow, hn::Div(hn::Set(d, k1.qMax), hn::Set(d, cell.split1)));
    flow =
        MinOf(flow, hn::Div(hn::Mul(wv, hn::Sub(hn::Set(d, k1.holdingCapacity), n.load(cell.to1))),
                            hn::Set(d, cell.split1)));
    flow = MinOf(flow, hn::Div(hn::Set(d, k2.qMax), hn::Set(d, cell.split2)));
    flow =
        MinOf(flow, hn::Div(hn::Mul(wv, hn::Sub(hn::Set(d, k2.holdingCapacity), n.load(cell.to2))),
                            hn::Set(d, cell.split2)));
    return flow;
}

void ComputeOutflows(const FlowNetwork& net, const LaneSignals& signals, const Rows& n,
                     const Rows& y) {
    const D d;
    for (int i = 1; i <= net.numCells; ++i) {
        const FlowCell& cell = net.cells[i];
        switch (cell.outflowRule) {
            case OutflowRule::Diverge:
                y.store(i, DivergeFlow(net, SendingLimit(signals, cell), i, n));
                break;
            case OutflowRule::Merge:
                MergeFlows(net, cell.partner, SendingLimit(signals, cell),
                           SendingLimit(signals, net.cells[cell.partner]), i, n, y);
                break;
            case OutflowRule::ByPartner:
                break;
            case OutflowRule::Ordinary: {
                const int k = cell.to1;
                const V room =
                    hn::Mul(hn::Set(d, net.wvRatio),
                            hn::Sub(hn::Set(d, net.cells[k].holdingCapacity), n.load(k)));
                y.store(i, MinOf(MinOf(SendingLimit(signals, cell), n.load(i)), room));
                break;
            }
            case OutflowRule::Destination:
                y.store(i, hn::Zero(d));
                break;
        }
    }
}

void ComputeInflows(const FlowNetwork& net, const Rows& y, const Rows& x) {
    const D d;
    for (int i = 1; i <= net.numCells; ++i) {
        const FlowCell& cell = net.cells[i];
        if (cell.destination) {
            continue;
        }
        switch (cell.inflowRule) {
            case InflowRule::Split:
                x.store(cell.to1, hn::Mul(y.load(i), hn::Set(d, cell.split1)));
                x.store(cell.to2, hn::Mul(y.load(i), hn::Set(d, cell.split2)));
                break;
            case InflowRule::Merge:
                x.store(cell.to1, hn::Add(y.load(cell.feeder2), y.load(cell.feeder1)));
                break;
            case InflowRule::Forward:
                x.store(cell.to1, y.load(i));
                break;
        }
    }
}

void UpdateOccupancy(const FlowNetwork& net, const Rows& n, const Rows& x, const Rows& y,
                     const Rows& next) {
    for (int i = 1; i <= net.numCells; ++i) {
        const V arrived = hn::Add(n.load(i), x.load(i));
        next.store(i, net.cells[i].destination ? arrived : hn::Sub(arrived, y.load(i)));
    }
    next.store(0, hn::Zero(D()));
}

void RunBatch(LaneBatch& batch) {
    const D d;
    const size_t width = hn::Lanes(d);
    const FlowNetwork& net = batch.network;
    const DelayLayout& delay = batch.delay;
    const int32_t dt = net.timeStep;
    Rows n(batch.occupancy.row(0), width);
    Rows next(batch.nextOccupancy.row(0), width);
    const Rows y(batch.outflow.row(0), width);
    const Rows x(batch.inflow.row(0), width);
    const Rows steps(batch.approachDelaySteps.row(0), width);
    for (int i = 0; i <= net.numCells; ++i) {
        n.store(i, hn::Set(d, batch.inputs.n(i, 0)));
    }
    n.store(0, hn::Zero(d));
    y.store(0, hn::Zero(d));
    for (int a = 1; a <= delay.numApproaches; ++a) {
        steps.store(a, hn::Zero(d));
    }

    LaneSignals& signals = batch.signals;
    signals.reset();
    for (int32_t step = 0; step <= delay.lastStep; ++step) {
        const int32_t t = step * dt;
        for (int u = 0; u < net.numInputCells; ++u) {
            const int c = net.inputCells[u];
            x.store(c, hn::Set(d, batch.inputs.x(c, t)));
        }
        signals.advanceTo(t);
        ComputeOutflows(net, signals, n, y);
        if (step >= delay.firstStep) {
            for (int a = 1; a <= delay.numApproaches; ++a) {
                const DelayLayout::Approach& approach = delay.approaches[a];
                V sum = steps.load(a);
                for (int m = 0; m < approach.numCells; ++m) {
                    const int c = approach.cells[m];
                    sum = hn::Add(sum, net.cells[c].destination ? hn::Zero(d)
                                                                : hn::Sub(n.load(c), y.load(c)));
                }
                steps.store(a, sum);
            }
        }
        if (step == delay.lastStep) {
            break;
        }
        ComputeInflows(net, y, x);
        UpdateOccupancy(net, n, x, y, next);
        std::swap(n, next);
    }

    const Rows seconds(batch.approachDelaySeconds.row(0), width);
    V total = hn::Zero(d);
    for (int a = 1; a <= delay.numApproaches; ++a) {
        const V s = hn::Mul(steps.load(a), hn::Set(d, float(dt)));
        seconds.store(a, s);
        total = hn::Add(total, hn::Mul(hn::Set(d, delay.approaches[a].weight), s));
    }
    hn::Store(total, d, batch.totalWeightedDelay.row(0));
}

}  // namespace

LaneKernel Describe() {
    return {hwy::TargetName(HWY_TARGET), int(hn::Lanes(D())), &RunBatch};
}

}  // namespace HWY_NAMESPACE
}  // namespace talvo
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace talvo {

std::vector<LaneKernel> AvailableLaneKernels() {
    // Highway's own table of the compiled targets, best first, then its portable one: entry
    // e stands for the target bit (highest bit + 1 - number of dynamic targets + e).
    // The portable one is the static target of a build for the plain instruction set; a
    // build for a newer one has it in the table already.
    using Describer = LaneKernel (*)();
    const Describer compiled[] = {HWY_CHOOSE_TARGET_LIST(Describe)};
    const Describer portable = HWY_CHOOSE_FALLBACK(Describe);
    const int64_t supported = hwy::SupportedTargets();
    std::vector<LaneKernel> kernels;
    bool portableListed = false;
    for (size_t e = 0; e < sizeof compiled / sizeof compiled[0]; ++e) {
        const int64_t target = int64_t(1)
                               << (HWY_HIGHEST_TARGET_BIT + 1 - HWY_MAX_DYNAMIC_TARGETS + int(e));
        if (compiled[e] != nullptr && (supported & target) != 0) {
            kernels.push_back(compiled[e]());
            portableListed = portableListed || compiled[e] == portable;
        }
    }
    if (!portableListed) {
        kernels.push_back(portable());
    }
    return kernels;
}

std::optional<LaneKernel> WidestLaneKernel(int maxWidth) {
    for (const LaneKernel& kernel : AvailableLaneKernels()) {
        if (maxWidth == 0 || kernel.width <= maxWidth) {
            return kernel;
        }
    }
    return std::nullopt;
}

}  // namespace talvo
#endif  // HWY_ONCE
