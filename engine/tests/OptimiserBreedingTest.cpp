// Fitness scaling and the breeding of a new population.
#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

#include "optimiser/Breeding.h"

namespace talvo {
namespace {

ChromosomeLayout TinyLayout(int cycle, int offset, int stage) {
    ChromosomeLayout layout;
    layout.cycleBits = cycle;
    layout.offsetBits = offset;
    layout.stageBits = stage;
    return layout;
}

int Ones(const std::vector<uint8_t>& bits) {
    return std::accumulate(bits.begin(), bits.end(), 0);
}

TEST(ScaleFitness, SharesFollowTheExponentialOfTheRelativeDelay) {
    std::vector<float> fitness{10.0f, 20.0f, 15.0f};
    ScaleFitness(fitness, 20.0f, 10.0f, 2);
    const double e2 = std::exp(2.0), e1 = std::exp(1.0);
    const double sum = e2 + 1.0 + e1;
    EXPECT_NEAR(fitness[0], e2 / sum, 1e-6);
    EXPECT_NEAR(fitness[1], 1.0 / sum, 1e-6);
    EXPECT_NEAR(fitness[2], e1 / sum, 1e-6);
}

TEST(ScaleFitness, UniformWhenTheLargestDelayEqualsTheBest) {
    std::vector<float> fitness{7.0f, 7.0f, 7.0f, 7.0f};
    ScaleFitness(fitness, 7.0f, 7.0f, 5);
    for (const float f : fitness)
        EXPECT_FLOAT_EQ(f, 0.25f);
}

TEST(ScaleFitness, LargePowerWithoutTheBestInTheGenerationStaysFinite) {
    // Every delay of the generation far above the best: exp(-450) and exp(-500) would
    // both round to zero.
    std::vector<float> fitness{19.0f, 20.0f};
    ScaleFitness(fitness, 20.0f, 10.0f, 500);
    EXPECT_FLOAT_EQ(fitness[0], 1.0f);
    EXPECT_NEAR(fitness[1], std::exp(-50.0), 1e-24);
    fitness = {11.0f, 11.0001f};
    ScaleFitness(fitness, 20.0f, 10.0f, 100);
    EXPECT_NEAR(fitness[0] + fitness[1], 1.0f, 1e-6);
    EXPECT_GT(fitness[0], fitness[1]);
}

TEST(ScaleFitness, LargePowerOfFunctionStaysFinite) {
    std::vector<float> fitness{10.0f, 20.0f};
    ScaleFitness(fitness, 20.0f, 10.0f, 500);
    EXPECT_FLOAT_EQ(fitness[0], 1.0f);
    EXPECT_FLOAT_EQ(fitness[1], 0.0f);
    fitness = {10.0f, 20.0f};
    ScaleFitness(fitness, 20.0f, 10.0f, -500);
    EXPECT_FLOAT_EQ(fitness[0], 0.0f);
    EXPECT_FLOAT_EQ(fitness[1], 1.0f);
}

// Individual j carries a one only at bit j of each segment, so that after breeding without
// mutation the ones in column j count the copies of j: crossover only swaps bits within
// a column.
std::vector<Individual> MarkedPopulation(int size, const ChromosomeLayout& layout) {
    std::vector<Individual> population(size, Individual(layout));
    for (int j = 0; j < size; ++j) {
        population[j].cycle[j] = 1;
        population[j].offset[j] = 1;
        population[j].stage[j] = 1;
    }
    return population;
}

std::vector<int> ColumnOnes(const std::vector<Individual>& population, int columns) {
    std::vector<int> ones(columns, 0);
    for (const Individual& individual : population) {
        for (int j = 0; j < columns; ++j)
            ones[j] += individual.stage[j];
    }
    return ones;
}

TEST(BreedPopulation, ReproducesByExpectedCopies) {
    const ChromosomeLayout layout = TinyLayout(4, 4, 4);
    auto population = MarkedPopulation(4, layout);
    UniformRandom random;
    BreedingScratch scratch;
    // 4 x shares: 0.4 -> 0, 1.2 -> 1, 2.0 -> 2, 0.4 -> 0 copies; one slot left for individual 1.
    BreedPopulation(population, {0.1f, 0.3f, 0.5f, 0.1f}, 0.0f, random, scratch);
    EXPECT_EQ(ColumnOnes(population, 4), (std::vector<int>{1, 1, 2, 0}));
}

TEST(BreedPopulation, CopiesPastThePopulationAreDropped) {
    const ChromosomeLayout layout = TinyLayout(3, 3, 3);
    auto population = MarkedPopulation(3, layout);
    UniformRandom random;
    BreedingScratch scratch;
    // round(1.8) = 2 copies each of the first two: the second gets only one slot.
    BreedPopulation(population, {0.6f, 0.6f, 0.0f}, 0.0f, random, scratch);
    EXPECT_EQ(ColumnOnes(population, 3), (std::vector<int>{2, 1, 0}));
}

TEST(BreedPopulation, CrossoverSwapsThePrefixesOfEachSegmentWithTheDrawnPartner) {
    const ChromosomeLayout layout = TinyLayout(5, 6, 8);
    std::vector<Individual> population(2, Individual(layout));
    population[1].cycle.assign(5, 1);
    population[1].offset.assign(6, 1);
    population[1].stage.assign(8, 1);

    // Replay the draws: partner (until not slot 1), then the stage, cycle and offset cuts.
    UniformRandom replay;
    int partner = 0;
    do {
        partner = replay.integer(2);
    } while (partner == 1);
    const int stageCut = replay.integer(8);
    const int cycleCut = replay.integer(5);
    const int offsetCut = replay.integer(6);

    UniformRandom random;
    BreedingScratch scratch;
    BreedPopulation(population, {0.5f, 0.5f}, 0.0f, random, scratch);
    EXPECT_EQ(random.state(), replay.state());  // no other draw without mutation
    for (int b = 0; b < 8; ++b)
        EXPECT_EQ(population[0].stage[b], b < stageCut ? 1 : 0) << b;
    for (int b = 0; b < 5; ++b)
        EXPECT_EQ(population[0].cycle[b], b < cycleCut ? 1 : 0) << b;
    for (int b = 0; b < 6; ++b)
        EXPECT_EQ(population[0].offset[b], b < offsetCut ? 1 : 0) << b;
    EXPECT_EQ(Ones(population[1].stage), 8 - stageCut);
}

TEST(BreedPopulation, OddPopulationLeavesTheLastUnpairedSlotUncrossed) {
    const ChromosomeLayout layout = TinyLayout(7, 7, 7);
    auto population = MarkedPopulation(5, layout);
    UniformRandom random;
    BreedingScratch scratch;
    BreedPopulation(population, {0.2f, 0.2f, 0.2f, 0.2f, 0.2f}, 0.0f, random, scratch);
    EXPECT_EQ(ColumnOnes(population, 5), (std::vector<int>{1, 1, 1, 1, 1}));
}

TEST(BreedPopulation, MutationFlipsExactlyTheDrawnNumberOfDistinctBitsPerSegment) {
    const ChromosomeLayout layout = TinyLayout(7, 14, 21);
    std::vector<Individual> population(4, Individual(layout));
    UniformRandom random;
    BreedingScratch scratch;
    // Identical zero parents: crossover changes nothing, so every one is a flip.
    BreedPopulation(population, {0.25f, 0.25f, 0.25f, 0.25f}, 0.2f, random, scratch);
    int cycle = 0, offset = 0, stage = 0;
    for (const Individual& individual : population) {
        cycle += Ones(individual.cycle);
        offset += Ones(individual.offset);
        stage += Ones(individual.stage);
    }
    EXPECT_EQ(stage, 16);   // trunc(21 x 4 x 0.2) = 16
    EXPECT_EQ(cycle, 5);    // trunc(5.6)
    EXPECT_EQ(offset, 11);  // trunc(11.2)
}

TEST(BreedPopulation, RateOneFlipsEveryBitOnce) {
    const ChromosomeLayout layout = TinyLayout(7, 7, 14);
    std::vector<Individual> population(2, Individual(layout));
    UniformRandom random;
    BreedingScratch scratch;
    BreedPopulation(population, {0.5f, 0.5f}, 1.0f, random, scratch);
    for (const Individual& individual : population) {
        EXPECT_EQ(Ones(individual.stage), 14);
        EXPECT_EQ(Ones(individual.cycle), 7);
        EXPECT_EQ(Ones(individual.offset), 7);
    }
}

TEST(BreedPopulation, TooSmallARateFlipsNothing) {
    const ChromosomeLayout layout = TinyLayout(7, 7, 7);
    std::vector<Individual> population(2, Individual(layout));
    UniformRandom random;
    BreedingScratch scratch;
    BreedPopulation(population, {0.5f, 0.5f}, 0.07f, random, scratch);  // 0.98 flips
    for (const Individual& individual : population)
        EXPECT_EQ(Ones(individual.stage), 0);
}

TEST(BreedPopulation, EmptyStageSegmentStillDrawsItsCut) {
    const ChromosomeLayout layout = TinyLayout(7, 7, 0);
    std::vector<Individual> population(2, Individual(layout));
    UniformRandom random;
    UniformRandom replay;
    BreedingScratch scratch;
    BreedPopulation(population, {0.5f, 0.5f}, 0.0f, random, scratch);
    int partner = 0;
    do {
        partner = replay.integer(2);
    } while (partner == 1);
    for (int cut = 0; cut < 3; ++cut)
        replay.next();
    EXPECT_EQ(random.state(), replay.state());
}

}  // namespace
}  // namespace talvo
