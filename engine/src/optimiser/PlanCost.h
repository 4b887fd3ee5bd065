#pragma once
// What the optimiser minimises: the total weighted delay of a plan, given by its signal
// tables. Each evaluating thread owns one PlanCost, so implementations keep their working
// arrays to themselves and need no locking.

#include <functional>
#include <memory>

#include "SignalControl.h"

namespace talvo {

// A cost that evaluates several plans together (one per SIMD lane): a batch is started
// with its number of plans, the plans are loaded one by one into its slots, then the
// whole batch is evaluated at once.
class PlanBatch {
  public:
    virtual ~PlanBatch() = default;
    // The most plans a batch takes.
    virtual int capacity() const = 0;
    // Begins a batch of `count` plans (1..capacity); a smaller batch may run narrower.
    virtual void start(int count) = 0;
    // Takes the plan of `slot` (0..count-1); `tables` may change afterwards.
    virtual void load(int slot, const SignalTables& tables) = 0;
    // twd[k] := the TWD of the plan in slot k, for k < count (that of the last start).
    virtual void evaluate(int count, float* twd) = 0;
};

class PlanCost {
  public:
    virtual ~PlanCost() = default;
    virtual float totalWeightedDelay(const SignalTables& tables) = 0;
    // The batch side of a cost that has one; nullptr: plans one at a time.
    virtual PlanBatch* batch() { return nullptr; }
};

using PlanCostFactory = std::function<std::unique_ptr<PlanCost>()>;

}  // namespace talvo
