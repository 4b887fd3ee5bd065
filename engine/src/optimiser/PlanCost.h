#pragma once
// What the optimiser minimises: the total weighted delay of a plan, given by its signal
// tables. Each evaluating thread owns one PlanCost, so implementations keep their working
// arrays to themselves and need no locking.

#include <functional>
#include <memory>

#include "SignalControl.h"

namespace talvo {

class PlanCost {
  public:
    virtual ~PlanCost() = default;
    virtual float totalWeightedDelay(const SignalTables& tables) = 0;
};

using PlanCostFactory = std::function<std::unique_ptr<PlanCost>()>;

}  // namespace talvo
