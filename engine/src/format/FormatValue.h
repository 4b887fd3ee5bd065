#pragma once
// The items of an output list written by the record writer.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace talvo {

// One item of an output list: an integer, a 32-bit real (as the engine keeps its reals),
// a double (for values formed in extended precision) or a text.
using FormatValue = std::variant<int32_t, float, double, std::string>;
using FormatValues = std::vector<FormatValue>;

}  // namespace talvo
