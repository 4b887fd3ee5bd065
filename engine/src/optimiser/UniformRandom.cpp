#include "optimiser/UniformRandom.h"

#include <algorithm>

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

}  // namespace talvo
