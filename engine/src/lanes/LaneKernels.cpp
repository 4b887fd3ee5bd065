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
#include <cstring>
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
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;

// The smaller of the two; a candidate that is not a number never wins (ordered compare).
HWY_INLINE V MinOf(V current, V candidate) {
    return hn::IfThenElse(hn::Lt(candidate, current), candidate, current);
}

class Rows {
  public:
    explicit Rows(float* base) : base_(base) {}
    V operator[](int i) const { return hn::Load(D(), at(i)); }
    void store(int i, V v) const { hn::Store(v, D(), at(i)); }

  private:
    float* at(int i) const { return base_ + size_t(i) * hn::Lanes(D()); }
    float* base_;
};

// qMax, or green x qMax at a stop line.
HWY_INLINE V SendingLimit(const LaneSignals& signals, int signal, float qMax) {
    const D d;
    if (signal == 0) {
        return hn::Set(d, qMax);
    }
    return hn::Mul(hn::Load(d, signals.greenRow(signal)), hn::Set(d, qMax));
}

// wvRatio x (holding capacity - n): the room a cell leaves.
HWY_INLINE V Room(V wv, float capacity, V n) {
    return hn::Mul(wv, hn::Sub(hn::Set(D(), capacity), n));
}

void AdvanceSignals(LaneSignals& signals, int32_t t) {
    const DI di;
    const auto after = hn::Set(di, t + 1);
    for (int u = 0; u < signals.numUsed(); ++u) {
        const auto due = hn::Lt(hn::Load(di, signals.nextChangeRow(u)), after);
        if (hn::AllFalse(di, due)) {
            continue;
        }
        uint8_t bytes[8] = {};
        hn::StoreMaskBits(di, due, bytes);
        uint64_t lanes = 0;
        std::memcpy(&lanes, bytes, sizeof lanes);
        for (; lanes != 0; lanes &= lanes - 1) {
            signals.advance(u, int(hwy::Num0BitsBelowLS1Bit_Nonzero64(lanes)), t);
        }
    }
}

void ComputeOutflows(const LaneProgram& program, const LaneSignals& signals, const Rows& n,
                     const Rows& y) {
    const D d;
    const V wv = hn::Set(d, program.wvRatio);
    for (const LaneProgram::Ordinary& c : program.ordinary) {
        const V send = SendingLimit(signals, c.signal, c.qMax);
        y.store(c.i, MinOf(MinOf(send, n[c.i]), Room(wv, c.roomCapacity, n[c.k])));
    }
    for (const LaneProgram::Diverge& c : program.diverges) {
        V flow = MinOf(SendingLimit(signals, c.signal, c.qMax), n[c.i]);
        flow = MinOf(flow, hn::Set(d, c.limit1));
        flow = MinOf(flow, hn::Div(Room(wv, c.capacity1, n[c.k1]), hn::Set(d, c.split1)));
        flow = MinOf(flow, hn::Set(d, c.limit2));
        flow = MinOf(flow, hn::Div(Room(wv, c.capacity2, n[c.k2]), hn::Set(d, c.split2)));
        y.store(c.i, flow);
    }
    for (const LaneProgram::Merge& c : program.merges) {
        V yi = MinOf(SendingLimit(signals, c.signalI, c.qMaxI), n[c.i]);
        const V sendJ = MinOf(SendingLimit(signals, c.signalJ, c.qMaxJ), n[c.j]);
        const V room = MinOf(hn::Set(d, c.qMaxK), Room(wv, c.capacityK, n[c.k]));
        // Where the two do not fit: the room left by the partner if that beats i's share,
        // else i's share if i asks more, else what i asks.
        const V share = hn::Mul(hn::Set(d, c.priority), room);
        const V left = hn::Sub(room, sendJ);
        const V capped =
            hn::IfThenElse(hn::Gt(left, share), left, hn::IfThenElse(hn::Gt(yi, share), share, yi));
        yi = hn::IfThenElse(hn::Gt(hn::Add(yi, sendJ), room), capped, yi);
        y.store(c.i, yi);
        if (c.writesPartner) {
            const V rest = hn::Sub(room, yi);
            y.store(c.j, hn::IfThenElse(hn::Ge(rest, sendJ), sendJ, rest));
        }
    }
}

// Passes 3 and 4 in one: each cell's inflow, then its next occupancy n + x - y, in place
// (inflows read only outflows). A destination's outflow is +0, so subtracting it leaves
// n + x as it is.
void UpdateOccupancy(const LaneProgram& program, const TimeTables& inputs, int32_t t, const Rows& n,
                     const Rows& y) {
    const D d;
    auto update = [&](int c, V x) { n.store(c, hn::Sub(hn::Add(n[c], x), y[c])); };
    for (const LaneProgram::Inflow& f : program.loaded) {
        update(f.cell, hn::Set(d, inputs.x(f.cell, t)));
    }
    for (const LaneProgram::Inflow& f : program.forwarded) {
        update(f.cell, y[f.from]);
    }
    for (const LaneProgram::Inflow& f : program.scaled) {
        update(f.cell, hn::Mul(y[f.from], hn::Set(d, f.factor)));
    }
    for (const LaneProgram::Inflow& f : program.summed) {
        update(f.cell, hn::Add(y[f.other], y[f.from]));
    }
}

// Adds each approach's delay vehicles n - y of this step to its sum.
void SumDelays(const LaneProgram& program, const Rows& n, const Rows& y, const Rows& steps) {
    static_assert(LaneProgram::kDelaySums == 4, "four sums side by side");
    for (const LaneProgram::DelayGroup& group : program.delayGroups) {
        const int* a = group.approach;
        V s0 = steps[a[0]], s1 = steps[a[1]], s2 = steps[a[2]], s3 = steps[a[3]];
        const int* c = group.cells.data();
        for (const int* end = c + group.cells.size(); c != end; c += 4) {
            s0 = hn::Add(s0, hn::Sub(n[c[0]], y[c[0]]));
            s1 = hn::Add(s1, hn::Sub(n[c[1]], y[c[1]]));
            s2 = hn::Add(s2, hn::Sub(n[c[2]], y[c[2]]));
            s3 = hn::Add(s3, hn::Sub(n[c[3]], y[c[3]]));
        }
        // Row 0 takes the sums of absent approaches; it is never reported.
        steps.store(a[3], s3);
        steps.store(a[2], s2);
        steps.store(a[1], s1);
        steps.store(a[0], s0);
    }
}

void RunBatch(LaneBatch& batch) {
    const D d;
    const LaneProgram& program = batch.program;
    const DelayLayout& delay = batch.delay;
    const int32_t dt = batch.network.timeStep;
    const Rows n(batch.occupancy.row(0));
    const Rows y(batch.outflow.row(0));
    const Rows steps(batch.approachDelaySteps.row(0));
    for (int i = 1; i <= program.numCells; ++i) {
        n.store(i, hn::Set(d, batch.inputs.n(i, 0)));
    }
    n.store(0, hn::Zero(d));
    y.store(0, hn::Zero(d));
    for (const int c : program.destinations) {
        y.store(c, hn::Zero(d));
    }
    for (int a = 1; a <= delay.numApproaches; ++a) {
        steps.store(a, hn::Zero(d));
    }

    LaneSignals& signals = batch.signals;
    signals.reset();
    for (int32_t step = 0; step <= delay.lastStep; ++step) {
        const int32_t t = step * dt;
        AdvanceSignals(signals, t);
        ComputeOutflows(program, signals, n, y);
        if (step >= delay.firstStep) {
            SumDelays(program, n, y, steps);
        }
        if (step == delay.lastStep) {
            break;  // nothing later is summed
        }
        UpdateOccupancy(program, batch.inputs, t, n, y);
    }

    const Rows seconds(batch.approachDelaySeconds.row(0));
    V total = hn::Zero(d);
    for (int a = 1; a <= delay.numApproaches; ++a) {
        const V s = hn::Mul(steps[a], hn::Set(d, float(dt)));
        seconds.store(a, s);
        total = hn::Add(total, hn::Mul(hn::Set(d, delay.approaches[size_t(a)].weight), s));
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
