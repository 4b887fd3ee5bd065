#pragma once
// The physical range of every real that the scenario file holds. A value outside it (a
// negative lane count, a W/V ratio above 1, a flow of 3e38) would carry through the
// simulation as infinities and NaN into every result file, so the reader refuses it.

#include <string>

namespace talvo {

struct RealRange {
    float low;
    float high;
    bool lowIncluded;
    bool highIncluded;

    bool contains(float value) const {
        return (lowIncluded ? value >= low : value > low) &&
               (highIncluded ? value <= high : value < high);
    }
    // "0 to 1", "above 0 and at most 20".
    std::string describe() const;
};

namespace ranges {

inline constexpr RealRange kWvRatio{0.0f, 1.0f, false, true};
inline constexpr RealRange kJamDensity{0.0f, 1000.0f, false, true};       // veh/km/lane
inline constexpr RealRange kSaturationFlow{0.0f, 10000.0f, false, true};  // veh/h/lane
inline constexpr RealRange kPercentage{0.0f, 100.0f, true, true};         // preload, fFULL
inline constexpr RealRange kMutationRate{0.0f, 1.0f, true, true};
inline constexpr RealRange kLaneNum{0.0f, 20.0f, false, true};
inline constexpr RealRange kShare{0.0f, 1.0f, true, true};     // fTURN, split1, split2, priority
inline constexpr RealRange kSpeed{0.0f, 200.0f, false, true};  // fMax, km/h
inline constexpr RealRange kLoadRate{0.0f, 100000.0f, true, true};  // veh/h
inline constexpr RealRange kVolMultiplier{0.0f, 100.0f, true, true};
inline constexpr RealRange kWeight{0.0f, 1000.0f, true, true};  // approachWeight

}  // namespace ranges

}  // namespace talvo
