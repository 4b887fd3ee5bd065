#pragma once
// The optimiser's one random source: the minimal standard generator (multiplier 48271,
// modulus 2^31 - 1) started from state 1, so that every run on the same input draws the
// same numbers in the same order.

#include <cstdint>

namespace talvo {

class UniformRandom {
  public:
    UniformRandom() = default;
    // Started from `seed` instead, a state in 1..2^31 - 2.
    explicit UniformRandom(int32_t seed) : state_(seed) {}

    // The next number in [0, 1) as a 32-bit real: state * 2^-31 after advancing.
    float next();

    // 0 or 1: the next number rounded half away from zero.
    int32_t bit();

    // An integer in 1..n: 1 + truncation of n times the next number. Kept within 1..n
    // even where the 32-bit real of a state close to the modulus rounds up to 1.0.
    int32_t integer(int32_t n);

    int32_t state() const { return state_; }

    // How many of 1..n integer(n) can ever return. All of them up to 2^24; beyond that the
    // 32-bit real's steps near 1 are wider than 1/n, and some integers are never drawn.
    static int64_t ReachableIntegers(int32_t n);

  private:
    int32_t state_ = 1;
};

}  // namespace talvo
