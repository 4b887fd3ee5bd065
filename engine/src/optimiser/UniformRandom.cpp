#include "optimiser/UniformRandom.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace talvo {

namespace {
constexpr int32_t kMultiplier = 48271;
constexpr int32_t kModulus = 2147483647;
constexpr int32_t kQuotient = 44488;  // kModulus / kMultiplier
constexpr int32_t kRemainder = 3399;  // kModulus % kMultiplier
constexpr double kScale = 1.0 / 2147483648.0;
}  // namespace

float UniformRandom::next() {
    // Schrage's method keeps every product within 32 bits.
    const int32_t high = state_ / kQuotient;
    const int32_t low = state_ % kQuotient;
    int32_t t = kMultiplier * low - kRemainder * high;
    if (t <= 0)
        t += kModulus;
    state_ = t;
    return static_cast<float>(static_cast<double>(state_) * kScale);
}

int32_t UniformRandom::bit() {
    return next() >= 0.5f ? 1 : 0;
}

int32_t UniformRandom::integer(int32_t n) {
    const double u = next();
    const int32_t drawn = 1 + static_cast<int32_t>(static_cast<double>(n) * u);
    return std::clamp(drawn, 1, std::max(n, 1));
}

int64_t UniformRandom::ReachableIntegers(int32_t n) {
    constexpr int32_t kExactLimit = 1 << 24;  // every interval [j/n, (j+1)/n) holds a draw
    if (n <= kExactLimit) {
        return std::max(n, 0);
    }
    // The draws are every 32-bit real in [2^-31, 1) (below 2^-7 only the multiples of
    // 2^-31, which are the states themselves), and 1.0, which is kept at n. Binade by
    // binade: where the step times n is at most 1 every integer of the binade's range is
    // hit, elsewhere each draw is counted on its own.
    std::vector<bool> hit(static_cast<size_t>(n), false);
    for (int e = -31; e <= -1; ++e) {
        const double low = std::ldexp(1.0, e);
        const double high = std::ldexp(1.0, e + 1);
        const double step = std::ldexp(1.0, std::max(e - 23, -31));
        if (double(n) * step <= 1.0) {
            const auto first = static_cast<size_t>(double(n) * low);
            const auto last = static_cast<size_t>(double(n) * (high - step));
            std::fill(hit.begin() + static_cast<std::ptrdiff_t>(first),
                      hit.begin() + static_cast<std::ptrdiff_t>(last) + 1, true);
        } else {
            for (double u = low; u < high; u += step) {
                hit[static_cast<size_t>(double(n) * u)] = true;
            }
        }
    }
    hit[static_cast<size_t>(n) - 1] = true;
    return std::count(hit.begin(), hit.end(), true);
}

}  // namespace talvo
