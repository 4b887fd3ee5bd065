#include "optimiser/GaStage.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "optimiser/Breeding.h"

namespace talvo {

namespace {

constexpr char kRowFormat[] = "(I5,6X,F10.2,2X,F10.2,2X,F10.2,2X,F15.2)";

std::vector<Individual> DrawPopulation(const ChromosomeLayout& layout, int size,
                                       UniformRandom& random) {
    std::vector<Individual> population(static_cast<size_t>(size), Individual(layout));
    for (Individual& individual : population) {
        for (uint8_t& bit : individual.offset)
            bit = static_cast<uint8_t>(random.bit());
        for (uint8_t& bit : individual.stage)
            bit = static_cast<uint8_t>(random.bit());
        for (uint8_t& bit : individual.cycle)
            bit = static_cast<uint8_t>(random.bit());
    }
    return population;
}

void SaveBest(const Scenario& scenario, const ChromosomeLayout& layout,
              const Individual& individual, float twd, BestPlan& best) {
    best.twd = twd;
    best.found = true;
    best.variant = layout.variant;
    best.chromosome = individual;
    DecodeIndividual(scenario, layout, individual, best.plan, best.tables);
}

// Ties count, so that a later plan equal to the best replaces it.
bool Improves(float twd, const BestPlan& best) {
    if (!best.found)
        return true;
    if (std::isnan(best.twd))
        return !std::isnan(twd);
    return twd <= best.twd;
}

void ReportGeneration(const GaOutput& output, int generation, float genMax, float genMin,
                      float best) {
    const double elapsed = output.elapsedSeconds();
    if (output.console) {
        WriteConsoleLine(*output.console, {int32_t(generation), genMax, genMin, best});
        WriteConsoleLine(*output.console, {elapsed});
    }
    if (output.report) {
        output.report->write(kRowFormat, {int32_t(generation), genMax, genMin, best, elapsed});
        output.report->writeListDirected();
    }
}

void ReportSearchEnd(const GaOutput& output, float best) {
    const double elapsed = output.elapsedSeconds();
    if (output.console) {
        WriteConsoleLine(*output.console, {std::string("Min Total Weighted Delay: "), best});
        WriteConsoleLine(*output.console, {std::string("RUN TIME (sec):"), elapsed});
    }
    if (output.report) {
        output.report->write("(' ')");
        output.report->write("('TOTAL RUN TIME (sec):',F15.2)", {elapsed});
        output.report->write("(' ')");
    }
}

}  // namespace

StageResult RunGaStage(const Scenario& scenario, const ChromosomeLayout& layout,
                       GenerationEvaluator& evaluator, GaState& state, const SeedPopulation& seed,
                       const GaOutput& output, const std::function<void()>& alongsideFirst) {
    std::vector<Individual> population =
        DrawPopulation(layout, scenario.populationSize, state.random);
    if (seed)
        seed(population);

    BestPlan& best = *state.best;
    std::vector<float> twd;
    std::vector<float> fitness;
    BreedingScratch scratch;
    StageResult result;

    int generation = 1;
    int stall = 1;
    while (generation <= scenario.generationNum && stall <= scenario.terminationNum) {
        // Not the best's start value: a network whose delays all exceed it must still see
        // its true minimum and keep a best plan.
        float genMin = std::numeric_limits<float>::infinity();
        evaluator.evaluate(layout, population, twd,
                           generation == 1 ? alongsideFirst : std::function<void()>());
        // Applied in individual order, exactly as one evaluation after the other would.
        for (size_t i = 0; i < population.size(); ++i) {
            genMin = std::min(genMin, twd[i]);
            state.genMax = std::max(state.genMax, twd[i]);
            if (Improves(twd[i], best)) {
                SaveBest(scenario, layout, population[i], twd[i], best);
                stall = 1;
            }
        }
        if (best.twd < genMin || generation == 1)
            ++stall;

        ReportGeneration(output, generation, state.genMax, genMin, best.twd);

        fitness = twd;
        ScaleFitness(fitness, state.genMax, best.twd, scenario.fitnessIndex);
        if (generation < scenario.generationNum) {
            BreedPopulation(population, fitness, scenario.mutationRate, state.random, scratch);
        }
        state.genMax = best.twd;
        result.generations = generation;
        ++generation;
    }

    ReportSearchEnd(output, best.twd);
    return result;
}

}  // namespace talvo
