// The simulation step on rows of lanes, the engine's only one: the optimiser runs it on
// batches of plans, one plan at a time and the full run at one lane. Every lane performs
// exactly the float operations of one plan's step, in the same order, whatever the width.
// The cell rules depend only on the shared topology, so their branches are the same for
// all lanes; the choices that depend on the traffic are selects that give each lane the
// value the branch would.
//
// Compiled once per instruction set (Highway's foreach_target); the engine is built
// without floating-point contraction, so no multiply and add fuse into one rounding.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "lanes/LaneKernels.cpp"
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>
#include "hwy/foreach_target.h"  // IWYU pragma: keep

#include "hwy/highway.h"
#include "lanes/LaneKernels.h"

HWY_BEFORE_NAMESPACE();
namespace talvo {
namespace HWY_NAMESPACE {
namespace {

namespace hn = hwy::HWY_NAMESPACE;

// A row of lanes per cell (or approach), as many lanes as the tag D holds.
template <class D>
class Rows {
  public:
    using V = hn::Vec<D>;
    explicit Rows(float* base) : base_(base) {}
    V operator[](int i) const { return hn::Load(D(), at(i)); }
    void store(int i, V v) const { hn::Store(v, D(), at(i)); }

  private:
    float* at(int i) const { return base_ + size_t(i) * hn::Lanes(D()); }
    float* base_;
};

// The smaller of the two; a candidate that is not a number never wins (ordered compare).
template <class V>
HWY_INLINE V MinOf(V current, V candidate) {
    return hn::IfThenElse(hn::Lt(candidate, current), candidate, current);
}

// qMax, or green x qMax at a stop line.
template <class D>
HWY_INLINE hn::Vec<D> SendingLimit(D d, const LaneSignals& signals, int signal, float qMax) {
    if (signal == 0) {
        return hn::Set(d, qMax);
    }
    return hn::Mul(hn::Load(d, signals.greenRow(signal)), hn::Set(d, qMax));
}

// wvRatio x (holding capacity - n): the room a cell leaves.
template <class D>
HWY_INLINE hn::Vec<D> Room(D d, hn::Vec<D> wv, float capacity, hn::Vec<D> n) {
    return hn::Mul(wv, hn::Sub(hn::Set(d, capacity), n));
}

// The vehicles that stay in a cell during the step (pass 2). Destinations hold none: the
// program lists them apart and their delay rows stay zero.
template <class V>
HWY_INLINE V DelayVehicles(V n, V y) {
    return hn::Sub(n, y);
}

template <class D>
void AdvanceSignals(D d, LaneSignals& signals, int32_t t) {
    const hn::RebindToSigned<D> di;
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
        lanes &= (hn::Lanes(d) >= 64 ? ~uint64_t(0) : (uint64_t(1) << hn::Lanes(d)) - 1);
        for (; lanes != 0; lanes &= lanes - 1) {
            signals.advance(u, int(hwy::Num0BitsBelowLS1Bit_Nonzero64(lanes)), t);
        }
    }
}

// Pass 1: every cell's outflow from the occupancies.
template <class D>
void ComputeOutflows(D d, const LaneProgram& program, const LaneSignals& signals, const Rows<D>& n,
                     const Rows<D>& y) {
    using V = hn::Vec<D>;
    const V wv = hn::Set(d, program.wvRatio);
    for (const LaneProgram::Ordinary& c : program.ordinary) {
        const V send = SendingLimit(d, signals, c.signal, c.qMax);
        y.store(c.i, MinOf(MinOf(send, n[c.i]), Room(d, wv, c.roomCapacity, n[c.k])));
    }
    for (const LaneProgram::Diverge& c : program.diverges) {
        V flow = MinOf(SendingLimit(d, signals, c.signal, c.qMax), n[c.i]);
        flow = MinOf(flow, hn::Set(d, c.limit1));
        flow = MinOf(flow, hn::Div(Room(d, wv, c.capacity1, n[c.k1]), hn::Set(d, c.split1)));
        flow = MinOf(flow, hn::Set(d, c.limit2));
        flow = MinOf(flow, hn::Div(Room(d, wv, c.capacity2, n[c.k2]), hn::Set(d, c.split2)));
        y.store(c.i, flow);
    }
    for (const LaneProgram::Merge& c : program.merges) {
        V yi = MinOf(SendingLimit(d, signals, c.signalI, c.qMaxI), n[c.i]);
        const V sendJ = MinOf(SendingLimit(d, signals, c.signalJ, c.qMaxJ), n[c.j]);
        const V room = MinOf(hn::Set(d, c.qMaxK), Room(d, wv, c.capacityK, n[c.k]));
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
// n + x as it is. A whole run keeps the inflows in `x`.
template <class D, bool kKeepInflows>
void UpdateOccupancy(D d, const LaneProgram& program, const TimeTables& inputs, int32_t t,
                     const Rows<D>& n, const Rows<D>& y, const Rows<D>& x) {
    auto update = [&](int c, hn::Vec<D> inflow) {
        if constexpr (kKeepInflows) {
            x.store(c, inflow);
        }
        n.store(c, hn::Sub(hn::Add(n[c], inflow), y[c]));
    };
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

// Adds each approach's delay vehicles of this step to its sum.
template <class D>
void SumDelays(const LaneProgram& program, const Rows<D>& n, const Rows<D>& y,
               const Rows<D>& steps) {
    static_assert(LaneProgram::kDelaySums == 4, "four sums side by side");
    for (const LaneProgram::DelayGroup& group : program.delayGroups) {
        const int* a = group.approach;
        auto s0 = steps[a[0]], s1 = steps[a[1]], s2 = steps[a[2]], s3 = steps[a[3]];
        const int* c = group.cells.data();
        for (const int* end = c + group.cells.size(); c != end; c += 4) {
            s0 = hn::Add(s0, DelayVehicles(n[c[0]], y[c[0]]));
            s1 = hn::Add(s1, DelayVehicles(n[c[1]], y[c[1]]));
            s2 = hn::Add(s2, DelayVehicles(n[c[2]], y[c[2]]));
            s3 = hn::Add(s3, DelayVehicles(n[c[3]], y[c[3]]));
        }
        // Row 0 takes the sums of absent approaches; it is never reported.
        steps.store(a[3], s3);
        steps.store(a[2], s2);
        steps.store(a[1], s1);
        steps.store(a[0], s0);
    }
}

// Back to second 0: the occupancies of the inputs, no flows, no delay summed.
template <class D>
void StartRun(D d, LaneBatch& batch) {
    const LaneProgram& program = batch.program;
    const Rows<D> n(batch.occupancy.row(0));
    const Rows<D> y(batch.outflow.row(0));
    const Rows<D> steps(batch.approachDelaySteps.row(0));
    for (int i = 1; i <= program.numCells; ++i) {
        n.store(i, hn::Set(d, batch.inputs.n0(i)));
    }
    n.store(0, hn::Zero(d));
    y.store(0, hn::Zero(d));
    for (const int c : program.destinations) {
        y.store(c, hn::Zero(d));
    }
    for (int a = 0; a <= batch.delay.numApproaches; ++a) {
        steps.store(a, hn::Zero(d));
    }
    batch.signals.reset();
}

// The step that starts at `step` x timeStep. A whole run (kWhole) keeps the step's
// inflows and delay vehicles and always moves the occupancies on; the delay period's
// evaluation stops after the outflows of its last step, as nothing later is summed.
template <class D, bool kWhole>
HWY_INLINE void Step(D d, LaneBatch& batch, int32_t step) {
    const LaneProgram& program = batch.program;
    const DelayLayout& delay = batch.delay;
    const int32_t t = step * batch.network.timeStep;
    const Rows<D> n(batch.occupancy.row(0));
    const Rows<D> y(batch.outflow.row(0));
    const Rows<D> x(batch.inflow.row(0));
    const Rows<D> steps(batch.approachDelaySteps.row(0));
    AdvanceSignals(d, batch.signals, t);
    ComputeOutflows(d, program, batch.signals, n, y);
    if (step >= delay.firstStep && step <= delay.lastStep) {
        SumDelays(program, n, y, steps);
    }
    if constexpr (kWhole) {
        const Rows<D> stay(batch.delayVehicles.row(0));
        for (const int c : program.staying) {
            stay.store(c, DelayVehicles(n[c], y[c]));
        }
    } else if (step == batch.lastStep) {
        return;
    }
    UpdateOccupancy<D, kWhole>(d, program, batch.inputs, t, n, y, x);
}

// Each approach's delay in seconds and the TWD from the sums so far.
template <class D>
void FinishRun(D d, LaneBatch& batch) {
    const DelayLayout& delay = batch.delay;
    const float dt = float(batch.network.timeStep);
    const Rows<D> steps(batch.approachDelaySteps.row(0));
    const Rows<D> seconds(batch.approachDelaySeconds.row(0));
    auto total = hn::Zero(d);
    for (int a = 1; a <= delay.numApproaches; ++a) {
        const auto s = hn::Mul(steps[a], hn::Set(d, dt));
        seconds.store(a, s);
        total = hn::Add(total, hn::Mul(hn::Set(d, delay.approaches[size_t(a)].weight), s));
    }
    hn::Store(total, d, batch.totalWeightedDelay.row(0));
}

template <size_t kLanes>
void RunBatch(LaneBatch& batch) {
    const hn::CappedTag<float, kLanes> d;
    StartRun(d, batch);
    for (int32_t step = 0; step <= batch.lastStep; ++step) {
        Step<hn::CappedTag<float, kLanes>, false>(d, batch, step);
    }
    FinishRun(d, batch);
}

template <size_t kLanes>
void AddKernel(std::vector<LaneKernel>& kernels) {
    const hn::CappedTag<float, kLanes> d;
    if (hn::Lanes(d) == kLanes) {
        kernels.push_back({hwy::TargetName(HWY_TARGET), int(kLanes), &RunBatch<kLanes>});
    }
}

}  // namespace

// This instruction set's kernels, widest first: its full vector width, then capped to
// 8, 4 and 1 lanes where those are narrower.
std::vector<LaneKernel> TargetKernels() {
    std::vector<LaneKernel> kernels;
    AddKernel<16>(kernels);
    AddKernel<8>(kernels);
    AddKernel<4>(kernels);
    AddKernel<1>(kernels);
    return kernels;
}

// One lane, step by step, with its signals brought to the time of its occupancies after
// each call, so that what the next step runs under can be read (and overridden) first.
using OneLane = hn::CappedTag<float, 1>;

void StartLane(LaneBatch& batch) {
    StartRun(OneLane(), batch);
    AdvanceSignals(OneLane(), batch.signals, 0);
}

void StepLane(LaneBatch& batch, int32_t step) {
    Step<OneLane, true>(OneLane(), batch, step);
    AdvanceSignals(OneLane(), batch.signals, (step + 1) * batch.network.timeStep);
}

void FinishLane(LaneBatch& batch) {
    FinishRun(OneLane(), batch);
}

}  // namespace HWY_NAMESPACE
}  // namespace talvo
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace talvo {

HWY_EXPORT(TargetKernels);
HWY_EXPORT(StartLane);
HWY_EXPORT(StepLane);
HWY_EXPORT(FinishLane);

std::vector<LaneKernel> OfferedLaneKernels(int maxWidth) {
    std::vector<LaneKernel> kernels = HWY_DYNAMIC_DISPATCH(TargetKernels)();
    if (maxWidth > 0) {
        kernels.erase(std::remove_if(kernels.begin(), kernels.end() - 1,
                                     [&](const LaneKernel& k) { return k.width > maxWidth; }),
                      kernels.end() - 1);  // one lane stays
    }
    return kernels;
}

LaneKernel WidestLaneKernel(int maxWidth) {
    return OfferedLaneKernels(maxWidth).front();
}

std::vector<LaneKernel> AvailableLaneKernels() {
    std::vector<LaneKernel> kernels;
    for (const int64_t target : hwy::SupportedAndGeneratedTargets()) {
        hwy::SetSupportedTargetsForTest(target);
        const std::vector<LaneKernel> own = HWY_DYNAMIC_DISPATCH(TargetKernels)();
        kernels.insert(kernels.end(), own.begin(), own.end());
    }
    hwy::SetSupportedTargetsForTest(0);
    std::stable_sort(kernels.begin(), kernels.end(),
                     [](const LaneKernel& a, const LaneKernel& b) { return a.width > b.width; });
    return kernels;
}

namespace {

void RequireWholeLane(const LaneBatch& batch) {
    if (batch.width != 1 || batch.lastStep != batch.network.stepCount - 1) {
        throw std::logic_error("a run step by step takes one lane over the whole run");
    }
}

}  // namespace

void StartLaneRun(LaneBatch& batch) {
    RequireWholeLane(batch);
    HWY_DYNAMIC_DISPATCH(StartLane)(batch);
}

void StepLaneRun(LaneBatch& batch, int32_t step) {
    RequireWholeLane(batch);
    HWY_DYNAMIC_DISPATCH(StepLane)(batch, step);
}

void FinishLaneRun(LaneBatch& batch) {
    RequireWholeLane(batch);
    HWY_DYNAMIC_DISPATCH(FinishLane)(batch);
}

}  // namespace talvo
#endif  // HWY_ONCE
