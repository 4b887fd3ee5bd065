#include "optimiser/DelayCosts.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>

#include "Delay.h"
#include "EngineError.h"
#include "lanes/LaneDelayEvaluator.h"
#include "lanes/LaneKernels.h"

namespace talvo {

namespace {

class OnePlanDelay : public PlanCost {
  public:
    OnePlanDelay(const Scenario& scenario, const TimeTables& inputs)
        : evaluator_(scenario, inputs) {}
    float totalWeightedDelay(const SignalTables& tables) override {
        return evaluator_.evaluate(tables);
    }

  private:
    DelayEvaluator evaluator_;
};

class LaneDelay : public PlanCost, public PlanBatch {
  public:
    LaneDelay(const Scenario& scenario, const TimeTables& inputs, const LaneKernel& kernel)
        : evaluator_(scenario, inputs, kernel) {}
    float totalWeightedDelay(const SignalTables& tables) override {
        float twd = 0;
        evaluator_.load(0, tables);
        evaluator_.evaluate(1, &twd);
        return twd;
    }
    PlanBatch* batch() override { return this; }
    int capacity() const override { return evaluator_.width(); }
    void load(int slot, const SignalTables& tables) override { evaluator_.load(slot, tables); }
    void evaluate(int count, float* twd) override { evaluator_.evaluate(count, twd); }

  private:
    LaneDelayEvaluator evaluator_;
};

}  // namespace

int LanesFromEnvironment() {
    const char* value = std::getenv("TALVO_LANES");
    if (value == nullptr || *value == '\0') {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const long lanes = std::strtol(value, &end, 10);
    if (*end != '\0' || lanes < 1) {
        throw EngineError(std::string("TALVO_LANES is \"") + value +
                          "\", expected a whole number of at least 1");
    }
    return errno == ERANGE || lanes > INT_MAX ? INT_MAX : int(lanes);
}

PlanCostFactory DelayCosts(const Scenario& scenario, const TimeTables& inputs, int maxLanes) {
    const std::optional<LaneKernel> kernel =
        maxLanes == 1 ? std::nullopt : WidestLaneKernel(maxLanes);
    if (!kernel) {
        return [&scenario, &inputs] { return std::make_unique<OnePlanDelay>(scenario, inputs); };
    }
    return [&scenario, &inputs, kernel = *kernel] {
        return std::make_unique<LaneDelay>(scenario, inputs, kernel);
    };
}

}  // namespace talvo
