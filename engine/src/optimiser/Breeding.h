#pragma once
// Selection shares from the generation's delays, and the next population from the
// current one: reproduction by expected copies, crossover of each segment, mutation.

#include <cstdint>
#include <vector>

#include "optimiser/Chromosome.h"
#include "optimiser/UniformRandom.h"

namespace talvo {

// Turns each individual's TWD in `fitness` into its share of the population (summing to 1):
// exp(fitnessIndex * (genMax - TWD) / (genMax - bestTwd)), normalised. When genMax equals
// the best TWD every share is 1 / size.
void ScaleFitness(std::vector<float>& fitness, float genMax, float bestTwd, int32_t fitnessIndex);

// Working space of BreedPopulation, kept from one generation to the next.
struct BreedingScratch {
    std::vector<Individual> offspring;
    std::vector<uint8_t> paired;
    std::vector<uint8_t> mutated;
};

// The number of distinct positions that mutation flips among `positions` bits: the
// truncation of positions x mutationRate, at most all of them.
int64_t MutationCount(int64_t positions, float mutationRate);

// Throws EngineError, naming the settings to reduce, when a segment of `layout` would ask
// the mutation for more distinct positions than the random draw can reach: its redrawing
// would never end.
void CheckMutationCanFinish(const ChromosomeLayout& layout, int32_t populationSize,
                            float mutationRate);

// Replaces `population` by its offspring. `share` holds the normalised fitness.
void BreedPopulation(std::vector<Individual>& population, const std::vector<float>& share,
                     float mutationRate, UniformRandom& random, BreedingScratch& scratch);

}  // namespace talvo
