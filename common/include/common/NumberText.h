#pragma once
// Number texts shared by the project file and the engine input: reals in their shortest
// decimal form with a point (never an exponent, a 0 before the point below 1).

#include <string>

namespace talvo {

// Shortest decimal text that reads back as exactly the same double: 0.25, 1800, 1.5.
std::string FormatReal(double value);

// Two decimals, halves rounded away from zero ("0.60").
std::string FormatFixed2(double value);

}  // namespace talvo
