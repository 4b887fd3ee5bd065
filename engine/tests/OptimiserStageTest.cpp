// The generation loop of a GA stage against stand-in costs: stall counting, the best-plan
// record, and the same outcome with any number of evaluating threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <sstream>

#include "EngineError.h"
#include "OptimiserTestScenario.h"
#include "optimiser/GaStage.h"

namespace talvo {
namespace {

using testing::AddIntersection;
using testing::AddSignal;
using testing::MakeTimingScenario;

std::unique_ptr<Scenario> SmallNetwork() {
    auto scenario = MakeTimingScenario(10, 100, 3);
    AddIntersection(*scenario, 7, {{25, true}, {20, false}, {15, false}});
    AddIntersection(*scenario, 23, {{30, false}, {15, true}, {15, false}});
    AddSignal(*scenario, 1, "YYN");
    AddSignal(*scenario, 1, "NNY");
    AddSignal(*scenario, 2, "YNN");
    AddSignal(*scenario, 2, "NYY");
    return scenario;
}

// Green seconds of each movement before second 300, compared with a target per movement:
// a smooth stand-in for the delay that depends on the whole signal table.
class GreenTargetCost : public PlanCost {
  public:
    explicit GreenTargetCost(const Scenario& scenario) : scenario_(scenario) {}
    float totalWeightedDelay(const SignalTables& tables) override {
        float cost = 0;
        const float target[] = {0, 150, 90, 120, 140};
        for (const int s : scenario_.signalNumbers) {
            const SwitchingSequence& sequence = tables.sequences[s];
            int green = 0;
            for (int t = 0; t < 300; ++t)
                green += SignalStateAt(sequence, t);
            cost += std::fabs(static_cast<float>(green) - target[s]) * static_cast<float>(s);
        }
        return 1000.0f + cost;
    }

  private:
    const Scenario& scenario_;
};

// GreenTargetCost in batches of `capacity` plans, recording the sizes of the batches started.
class BatchedGreenTargetCost : public PlanCost, public PlanBatch {
  public:
    BatchedGreenTargetCost(const Scenario& scenario, int capacity)
        : single_(scenario), capacity_(capacity), slots_(size_t(capacity)) {}
    float totalWeightedDelay(const SignalTables& tables) override {
        return single_.totalWeightedDelay(tables);
    }
    PlanBatch* batch() override { return this; }
    int capacity() const override { return capacity_; }
    void start(int count) override { started_ = count; }
    void load(int slot, const SignalTables& tables) override {
        ASSERT_LT(slot, started_);
        slots_[size_t(slot)] = single_.totalWeightedDelay(tables);
    }
    void evaluate(int count, float* twd) override {
        ASSERT_EQ(count, started_);
        std::copy(slots_.begin(), slots_.begin() + count, twd);
    }

  private:
    GreenTargetCost single_;
    int capacity_;
    int started_ = 0;
    std::vector<float> slots_;
};

// Returns script[n / populationSize] for its n-th call: one value per generation.
class ScriptedCost : public PlanCost {
  public:
    ScriptedCost(std::vector<float> script, int populationSize)
        : script_(std::move(script)), populationSize_(populationSize) {}
    float totalWeightedDelay(const SignalTables&) override {
        const size_t generation = calls_++ / populationSize_;
        return script_[std::min(generation, script_.size() - 1)];
    }

  private:
    std::vector<float> script_;
    size_t populationSize_;
    size_t calls_ = 0;
};

struct StageRun {
    std::string report;
    std::string console;
    StageResult result;
    float bestTwd = 0;
    Individual bestChromosome;
    int32_t randomState = 0;
};

StageRun RunStage(const Scenario& scenario, PlanVariant variant, const PlanCostFactory& makeCost,
                  unsigned threads) {
    GenerationEvaluator evaluator(scenario, makeCost, threads);
    GaState state;
    std::ostringstream report, console;
    RecordWriter writer(report);
    GaOutput output;
    output.console = &console;
    output.report = &writer;
    output.elapsedSeconds = [] { return 1.25; };
    const ChromosomeLayout layout = MakeLayout(scenario, variant);
    StageRun run;
    run.result = RunGaStage(scenario, layout, evaluator, state, nullptr, output);
    run.report = report.str();
    run.console = console.str();
    run.bestTwd = state.best->twd;
    run.bestChromosome = state.best->chromosome;
    run.randomState = state.random.state();
    return run;
}

PlanCostFactory Scripted(std::vector<float> script, int populationSize) {
    return
        [script, populationSize] { return std::make_unique<ScriptedCost>(script, populationSize); };
}

TEST(GaStageStall, TerminationOneStopsAfterTheFirstGeneration) {
    auto scenario = SmallNetwork();
    scenario->terminationNum = 1;
    scenario->generationNum = 10;
    const StageRun run = RunStage(*scenario, PlanVariant::FGFC, Scripted({50, 40, 30}, 8), 1);
    EXPECT_EQ(run.result.generations, 1);
    EXPECT_EQ(run.bestTwd, 50.0f);
}

TEST(GaStageStall, TerminationTwoStopsAfterAnUnimprovingSecondGeneration) {
    auto scenario = SmallNetwork();
    scenario->terminationNum = 2;
    scenario->generationNum = 10;
    const StageRun run = RunStage(*scenario, PlanVariant::FGFC, Scripted({50, 60, 30}, 8), 1);
    EXPECT_EQ(run.result.generations, 2);
}

TEST(GaStageStall, TerminationTwoNeedsTwoUnimprovingGenerationsAfterAnImprovement) {
    auto scenario = SmallNetwork();
    scenario->terminationNum = 2;
    scenario->generationNum = 10;
    const StageRun run =
        RunStage(*scenario, PlanVariant::FGFC, Scripted({50, 40, 45, 45, 10}, 8), 1);
    EXPECT_EQ(run.result.generations, 4);
    EXPECT_EQ(run.bestTwd, 40.0f);
}

TEST(GaStageStall, AGenerationEqualToTheBestCountsAsImprovement) {
    auto scenario = SmallNetwork();
    scenario->terminationNum = 2;
    scenario->generationNum = 5;
    const StageRun run = RunStage(*scenario, PlanVariant::FGFC, Scripted({50, 50, 50, 50}, 8), 1);
    EXPECT_EQ(run.result.generations, 5);  // stops at the generation limit instead
}

TEST(GaStageStall, DelaysAboveTheInitialBestStillGiveABestPlan) {
    auto scenario = SmallNetwork();
    scenario->terminationNum = 1;
    const StageRun run = RunStage(*scenario, PlanVariant::FGFC, Scripted({2.5e7f}, 8), 1);
    EXPECT_EQ(run.bestTwd, 2.5e7f);
    EXPECT_NE(run.console.find(" 1 "), std::string::npos);
}

TEST(GaStageReport, RowsCarryTheLargestDelayFromTheBestOnward) {
    auto scenario = SmallNetwork();
    scenario->terminationNum = 5;
    scenario->generationNum = 3;
    const StageRun run = RunStage(*scenario, PlanVariant::FGFC, Scripted({50, 20, 30}, 8), 1);
    EXPECT_EQ(run.report,
              "    1           50.00       50.00       50.00             1.25\r\n"
              "\r\n"
              "    2           50.00       20.00       20.00             1.25\r\n"
              "\r\n"
              "    3           30.00       30.00       20.00             1.25\r\n"
              "\r\n"
              " \r\n"
              "TOTAL RUN TIME (sec):           1.25\r\n"
              " \r\n");
    EXPECT_EQ(run.console,
              " 1 50.0 50.0 50.0\n 1.25\n 2 50.0 20.0 20.0\n 1.25\n 3 30.0 30.0 20.0\n 1.25\n"
              " Min Total Weighted Delay:  20.0\n RUN TIME (sec): 1.25\n");
}

TEST(GaStageDeterminism, SameOutcomeWithOneOrSeveralThreads) {
    auto scenario = SmallNetwork();
    scenario->populationSize = 12;
    scenario->generationNum = 8;
    scenario->terminationNum = 8;
    scenario->mutationRate = 0.02f;
    for (const PlanVariant variant : {PlanVariant::FGFC, PlanVariant::VGVC}) {
        const PlanCostFactory makeCost = [&] {
            return std::make_unique<GreenTargetCost>(*scenario);
        };
        const StageRun serial = RunStage(*scenario, variant, makeCost, 1);
        const StageRun parallel = RunStage(*scenario, variant, makeCost, 3);
        EXPECT_EQ(serial.report, parallel.report);
        EXPECT_EQ(serial.console, parallel.console);
        EXPECT_EQ(serial.bestChromosome, parallel.bestChromosome);
        EXPECT_EQ(serial.randomState, parallel.randomState);
        EXPECT_LT(serial.bestTwd, 10000.0f);
    }
}

TEST(GaStageDeterminism, SameOutcomeInBatchesOnAnyNumberOfThreads) {
    auto scenario = SmallNetwork();
    scenario->populationSize = 21;
    scenario->generationNum = 6;
    scenario->terminationNum = 6;
    scenario->mutationRate = 0.02f;
    const PlanCostFactory plain = [&] { return std::make_unique<GreenTargetCost>(*scenario); };
    const StageRun serial = RunStage(*scenario, PlanVariant::VGVC, plain, 1);
    for (const unsigned threads : {1u, 2u, 5u}) {
        const PlanCostFactory batched = [&] {
            return std::make_unique<BatchedGreenTargetCost>(*scenario, 4);
        };
        const StageRun run = RunStage(*scenario, PlanVariant::VGVC, batched, threads);
        EXPECT_EQ(serial.report, run.report) << threads;
        EXPECT_EQ(serial.bestChromosome, run.bestChromosome) << threads;
        EXPECT_EQ(serial.randomState, run.randomState) << threads;
    }
}

// Workers beyond the number of batches would only wait (and each holds an evaluator).
TEST(GenerationEvaluatorWorkers, NoMoreThanThePopulationHasBatches) {
    struct Case {
        unsigned threads;
        int capacity, population;
        unsigned workers;
    };
    for (const Case c : {Case{1024, 1, 20, 20}, Case{1024, 8, 20, 3}, Case{2, 16, 100, 2},
                         Case{4, 16, 16, 1}, Case{3, 4, 2, 1}}) {
        auto scenario = SmallNetwork();
        scenario->populationSize = c.population;
        unsigned made = 0;
        GenerationEvaluator evaluator(
            *scenario,
            [&] {
                ++made;
                return std::make_unique<BatchedGreenTargetCost>(*scenario, c.capacity);
            },
            c.threads);
        EXPECT_EQ(evaluator.threadCount(), c.workers) << c.threads << " for " << c.population;
        EXPECT_EQ(made, c.workers) << c.threads << " for " << c.population;
    }
}

TEST(GaStageDeterminism, TheSearchImprovesOnTheFirstGeneration) {
    auto scenario = SmallNetwork();
    scenario->populationSize = 20;
    scenario->generationNum = 15;
    scenario->terminationNum = 15;
    const PlanCostFactory makeCost = [&] { return std::make_unique<GreenTargetCost>(*scenario); };
    const StageRun run = RunStage(*scenario, PlanVariant::FGFC, makeCost, 2);
    // First row's best against the last: the GA must have found something better.
    const std::string firstRow = run.report.substr(0, run.report.find('\r'));
    const float firstBest = std::stof(firstRow.substr(35, 10));
    EXPECT_LT(run.bestTwd, firstBest);
}

TEST(GaStageErrors, AFailingEvaluationReachesTheCaller) {
    class Failing : public PlanCost {
      public:
        float totalWeightedDelay(const SignalTables&) override { throw EngineError("boom"); }
    };
    auto scenario = SmallNetwork();
    EXPECT_THROW(RunStage(
                     *scenario, PlanVariant::FGFC, [] { return std::make_unique<Failing>(); }, 2),
                 EngineError);
}

}  // namespace
}  // namespace talvo
