#include "optimiser/Refinement.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "SignalControl.h"
#include "optimiser/GaOutput.h"
#include "run/Console.h"

namespace talvo {

namespace {

// A delay that is not a number never improves; any number improves on one.
bool Better(float twd, float than) {
    return !std::isnan(twd) && (std::isnan(than) || twd < than);
}

constexpr char kBlank[] = "(' ')";
constexpr char kRowFormat[] = "(A18,F12.2,2X,F12.2,2X,I11)";

int32_t Count(long long value) {
    return static_cast<int32_t>(std::min<long long>(value, INT32_MAX));
}

}  // namespace

long long RefinementBudget(long long gaEvaluations) {
    return std::max<long long>(1000, gaEvaluations / 2);
}

LocalSearchResult LocalSearch(const Scenario& scenario, PlanVariant variant,
                              MoveEvaluator& evaluator, const DecodedPlan& start, float startTwd,
                              long long budget) {
    LocalSearchResult result;
    result.startTwd = startTwd;
    result.twd = startTwd;
    result.plan = std::make_unique<DecodedPlan>(start);
    std::vector<float> twd;
    while (result.evaluations < budget) {
        const std::vector<PlanMove> moves = Neighbourhood(scenario, variant, *result.plan);
        const size_t count =
            static_cast<size_t>(std::min<long long>(budget - result.evaluations, moves.size()));
        if (count == 0)
            break;
        evaluator.evaluate(*result.plan, moves, count, twd);
        result.evaluations += static_cast<long long>(count);
        size_t best = count;
        for (size_t i = 0; i < count; ++i) {
            if (Better(twd[i], best == count ? result.twd : twd[best]))
                best = i;
        }
        if (best == count)
            break;
        ApplyMove(scenario, variant, moves[best], *result.plan);
        result.twd = twd[best];
        ++result.moves;
    }
    return result;
}

RefinementResult RefinePlan(const Scenario& scenario, PlanVariant variant, MoveEvaluator& evaluator,
                            const DecodedPlan& gaPlan, float gaTwd, long long budget) {
    RefinementResult result;
    result.fromGa = LocalSearch(scenario, variant, evaluator, gaPlan, gaTwd, budget - budget / 2);
    result.evaluations = result.fromGa.evaluations;

    auto existing = std::make_unique<DecodedPlan>();
    if (auto reason = ExistingPlanAsVariant(scenario, variant, *existing)) {
        result.existingSkipped = *reason;
        return result;
    }
    const float existingTwd = evaluator.evaluate(*existing);
    ++result.evaluations;
    result.fromExisting = LocalSearch(scenario, variant, evaluator, *existing, existingTwd,
                                      std::max<long long>(0, budget - result.evaluations));
    result.evaluations += result.fromExisting->evaluations;
    result.existingChosen = Better(result.fromExisting->twd, result.fromGa.twd);
    return result;
}

void WriteRefinementSection(RecordWriter& report, const RefinementResult& result) {
    report.write("('>> Refinement: local search in whole seconds')");
    report.write(kBlank);
    report.write("('Start plan',12X,'TWD before',5X,'TWD after',2X,'Evaluations')");
    const auto row = [&report](const char* name, const LocalSearchResult& search) {
        std::string label(name);
        label.resize(18, ' ');  // left-aligned in its column
        report.write(kRowFormat, {label, search.startTwd, search.twd, Count(search.evaluations)});
    };
    row("GA best plan", result.fromGa);
    if (result.fromExisting) {
        row("Existing plan", *result.fromExisting);
    } else {
        report.write("('Existing plan     not refined: ',A)", {result.existingSkipped});
    }
    report.write(kBlank);
    report.write("('Refined plan from the ',A,', TWD',F12.2)",
                 {std::string(result.existingChosen ? "existing plan" : "GA best plan"),
                  result.chosen().twd});
    report.write("('Evaluations in all:',I11)", {Count(result.evaluations)});
    report.write(kBlank);
}

long long RefineBestPlan(const Scenario& scenario, const PlanCostFactory& makeCost,
                         WorkerPool& pool, long long budget, BestPlan& best, std::ostream& console,
                         RecordWriter* report) {
    ConsoleLine(console, "Refining the best plan...");
    MoveEvaluator evaluator(scenario, best.variant, makeCost, pool);
    const RefinementResult result =
        RefinePlan(scenario, best.variant, evaluator, best.plan, best.twd, budget);
    const LocalSearchResult& chosen = result.chosen();
    if (Better(chosen.twd, best.twd)) {
        best.plan = *chosen.plan;
        best.twd = chosen.twd;
        BuildSignalTable(scenario, best.plan.stages, best.tables);
    }
    WriteConsoleLine(console, {std::string("Refined Total Weighted Delay: "), best.twd});
    WriteConsoleLine(console, {std::string("Refinement evaluations:"), Count(result.evaluations)});
    if (report != nullptr)
        WriteRefinementSection(*report, result);
    return result.evaluations;
}

}  // namespace talvo
