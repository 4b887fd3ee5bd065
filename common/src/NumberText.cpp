#include "common/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace talvo {

std::string FormatReal(double value) {
    if (value == 0 || !std::isfinite(value)) {
        return "0";  // also folds -0; non-finite values never enter the model
    }
    // Fixed notation keeps readers that do not know exponents happy; 330 characters hold
    // the longest fixed form of any finite double.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (result.ec != std::errc()) {
        return "0";
    }
    return std::string(buffer, result.ptr);
}

std::string FormatFixed2(double value) {
    // Scale in double and round halves away from zero, so that 0.615 gives 0.62 as a
    // user who typed 0.615 expects, rather than following its binary approximation.
    const double hundredths = std::round(value * 100.0);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", hundredths / 100.0);
    std::string text(buffer);
    if (text == "-0.00") {
        text = "0.00";
    }
    return text;
}

}  // namespace talvo
