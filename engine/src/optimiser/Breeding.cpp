#include "optimiser/Breeding.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "EngineError.h"
#include "input/TokenReader.h"

namespace talvo {

void ScaleFitness(std::vector<float>& fitness, float genMax, float bestTwd, int32_t fitnessIndex) {
    const size_t size = fitness.size();
    if (size == 0)
        return;
    const double range = static_cast<double>(genMax) - static_cast<double>(bestTwd);
    if (range == 0.0) {
        std::fill(fitness.begin(), fitness.end(), static_cast<float>(1.0 / double(size)));
        return;
    }
    const double index = fitnessIndex;
    double largest = -std::numeric_limits<double>::infinity();
    for (const float twd : fitness) {
        largest = std::max(largest, index * (double(genMax) - double(twd)) / range);
    }
    // A large power of function would overflow exp() or round every term to zero; the
    // terms are then taken relative to the largest, which leaves the shares as they are.
    constexpr double kSafeExponent = 60.0;
    const double shift = std::fabs(largest) > kSafeExponent ? largest : 0.0;
    float sum = 0;
    for (float& f : fitness) {
        const double exponent = index * (double(genMax) - double(f)) / range;
        f = static_cast<float>(std::exp(exponent - shift));
        sum += f;
    }
    for (float& f : fitness)
        f /= sum;
}

namespace {

void SwapPrefix(std::vector<uint8_t>& a, std::vector<uint8_t>& b, int32_t count) {
    const auto length = std::min<size_t>(static_cast<size_t>(std::max(count, 0)), a.size());
    std::swap_ranges(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(length), b.begin());
}

void Reproduce(const std::vector<Individual>& population, const std::vector<float>& share,
               std::vector<Individual>& offspring) {
    const int size = static_cast<int>(population.size());
    int next = 0;
    for (int i = 0; i < size && next < size; ++i) {
        const long copies = std::lround(static_cast<double>(share[i]) * size);
        for (long m = 0; m < copies && next < size; ++m)
            offspring[next++] = population[i];
    }
    while (next < size)
        offspring[next++] = population[0];
}

void Cross(std::vector<Individual>& offspring, UniformRandom& random,
           std::vector<uint8_t>& paired) {
    const int size = static_cast<int>(offspring.size());
    std::fill(paired.begin(), paired.end(), 0);
    int unpaired = size;
    for (int i = 0; i < size; ++i) {
        if (paired[i])
            continue;
        // With an odd population the last unpaired slot has no partner and stays as it is.
        if (unpaired < 2)
            break;
        int r = 0;
        do {
            r = random.integer(size) - 1;
        } while (r == i || paired[r]);
        Individual& a = offspring[i];
        Individual& b = offspring[r];
        const int32_t stageCut = random.integer(static_cast<int32_t>(a.stage.size()));
        const int32_t cycleCut = random.integer(static_cast<int32_t>(a.cycle.size()));
        const int32_t offsetCut = random.integer(static_cast<int32_t>(a.offset.size()));
        SwapPrefix(a.stage, b.stage, stageCut);
        SwapPrefix(a.cycle, b.cycle, cycleCut);
        SwapPrefix(a.offset, b.offset, offsetCut);
        paired[i] = 1;
        paired[r] = 1;
        unpaired -= 2;
    }
}

using Segment = std::vector<uint8_t> Individual::*;

void Mutate(std::vector<Individual>& offspring, Segment segment, float mutationRate,
            UniformRandom& random, std::vector<uint8_t>& drawn) {
    const int size = static_cast<int>(offspring.size());
    const int64_t length = static_cast<int64_t>((offspring[0].*segment).size());
    const int64_t positions = length * size;
    const int64_t count = MutationCount(positions, mutationRate);
    if (count == 0)
        return;
    drawn.assign(static_cast<size_t>(positions), 0);
    for (int64_t m = 0; m < count; ++m) {
        int64_t pos = 0;
        do {
            pos = random.integer(static_cast<int32_t>(positions)) - 1;
        } while (drawn[pos]);
        drawn[pos] = 1;
        uint8_t& bit = (offspring[pos / length].*segment)[pos % length];
        bit = static_cast<uint8_t>(1 - bit);
    }
}

}  // namespace

int64_t MutationCount(int64_t positions, float mutationRate) {
    const double wanted = static_cast<double>(positions) * static_cast<double>(mutationRate);
    // More flips than bits could never be drawn distinct.
    return wanted <= 0 ? 0 : std::min<int64_t>(static_cast<int64_t>(wanted), positions);
}

void CheckMutationCanFinish(const ChromosomeLayout& layout, int32_t populationSize,
                            float mutationRate) {
    struct Segment {
        const char* name;
        int bits;
        const char* sizedBy;
    };
    const Segment segments[] = {
        {"stage", layout.stageBits, "the stage bits (phaseCycle, the optimised stages)"},
        {"cycle", layout.cycleBits, "the cycle bits (phaseCycle, the intersections)"},
        {"offset", layout.offsetBits, "the offset bits (the intersections)"},
    };
    for (const Segment& segment : segments) {
        const int64_t positions = int64_t(segment.bits) * populationSize;
        const int64_t count = MutationCount(positions, mutationRate);
        if (positions > std::numeric_limits<int32_t>::max()) {
            throw EngineError("The " + PlanVariantName(layout.variant) + " search has " +
                              std::to_string(positions) + " " + segment.name +
                              " bit positions, more than its random draw can address; reduce "
                              "populationSize, or " +
                              segment.sizedBy);
        }
        const int64_t reachable = UniformRandom::ReachableIntegers(static_cast<int32_t>(positions));
        if (count > reachable) {
            throw EngineError("mutationRate " + RealText(mutationRate) + " asks the " +
                              PlanVariantName(layout.variant) + " search for " +
                              std::to_string(count) + " distinct " + segment.name +
                              " bit mutations per generation (" + std::to_string(segment.bits) +
                              " " + segment.name + " bits x populationSize " +
                              std::to_string(populationSize) +
                              "), but its random draw reaches only " + std::to_string(reachable) +
                              " of those positions, so the search would never "
                              "end; reduce mutationRate or populationSize, or " +
                              segment.sizedBy);
        }
    }
}

void BreedPopulation(std::vector<Individual>& population, const std::vector<float>& share,
                     float mutationRate, UniformRandom& random, BreedingScratch& scratch) {
    const size_t size = population.size();
    if (scratch.offspring.size() != size)
        scratch.offspring.assign(size, population[0]);
    scratch.paired.resize(size);
    Reproduce(population, share, scratch.offspring);
    Cross(scratch.offspring, random, scratch.paired);
    Mutate(scratch.offspring, &Individual::stage, mutationRate, random, scratch.mutated);
    Mutate(scratch.offspring, &Individual::cycle, mutationRate, random, scratch.mutated);
    Mutate(scratch.offspring, &Individual::offset, mutationRate, random, scratch.mutated);
    population.swap(scratch.offspring);
}

}  // namespace talvo
