#include "FieldEditing.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace talvo {
namespace {

void AppendAsterisks(std::string& out, int width) {
    out.append(static_cast<size_t>(width), '*');
}

// Right-aligns `text` in `width` columns; asterisks when it is wider. Width 0: as it stands.
void AppendRightAligned(std::string& out, std::string_view text, int width) {
    if (width == 0) {
        out.append(text);
        return;
    }
    const auto columns = static_cast<size_t>(width);
    if (text.size() > columns) {
        AppendAsterisks(out, width);
        return;
    }
    out.append(columns - text.size(), ' ');
    out.append(text);
}

// The words a field holds for the values that are not numbers.
std::string_view NonFiniteText(double value, int width) {
    if (std::isnan(value)) {
        return "NaN";
    }
    const bool negative = std::signbit(value);
    const bool roomForWord = width == 0 || width >= (negative ? 9 : 8);
    if (negative) {
        return roomForWord ? "-Infinity" : "-Inf";
    }
    return roomForWord ? "Infinity" : "Inf";
}

// True when `magnitude` lies exactly halfway between two values of `decimals` decimals:
// written as odd × 2^e, that is when e = -(decimals + 1), since then magnitude × 2 × 10^d
// is an odd integer.
bool IsExactHalf(double magnitude, int decimals) {
    if (magnitude == 0 || decimals > 1100) {
        return false;
    }
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    const auto mantissa = static_cast<uint64_t>(std::ldexp(fraction, 53));
    const int oddExponent = exponent - 53 + std::countr_zero(mantissa);
    return oddExponent == -(decimals + 1);
}

// Adds one unit in the last place to a string of digits with a decimal point.
void IncrementLastDigit(std::string& digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '.') {
            continue;
        }
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// |value| rounded to `decimals` decimals, halves away from zero as report readers expect
// (0.625 in F4.2 reads "0.63").
std::string RoundedDigits(double value, int decimals) {
    const double magnitude = std::fabs(value);
    const bool half = IsExactHalf(magnitude, decimals);
    // A half has exactly decimals + 1 decimals, so that many digits hold it exactly.
    const int precision = half ? decimals + 1 : decimals;
    std::string digits(340 + static_cast<size_t>(precision), '\0');
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude,
                                      std::chars_format::fixed, precision);
    digits.resize(static_cast<size_t>(result.ptr - digits.data()));
    if (half) {
        digits.pop_back();  // the final 5
        if (decimals == 0) {
            digits.pop_back();  // the decimal point
        }
        IncrementLastDigit(digits);
    }
    return digits;
}

template <typename Real>
std::string ShortestReal(Real value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Infinity" : "Infinity";
    }
    if (value == 0) {
        return "0.0";
    }
    // Fixed notation reads best in reports and consoles; only values far from the
    // engine's range (vehicles, seconds, delays) take an exponent.
    const Real magnitude = std::fabs(value);
    const bool useExponent = magnitude >= Real(1e16) || magnitude < Real(1e-5);
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value,
                      useExponent ? std::chars_format::scientific : std::chars_format::fixed);
    std::string text(buffer, result.ptr);
    if (useExponent) {
        const auto e = text.find('e');
        if (e != std::string::npos) {
            text[e] = 'E';
            if (text.find('.') == std::string::npos) {
                text.insert(e, ".0");
            }
        }
    } else if (text.find('.') == std::string::npos) {
        text += ".0";
    }
    return text;
}

}  // namespace

void AppendIntegerField(std::string& out, int32_t value, int width, int minDigits, bool widen) {
    // Widened so that the most negative value has a magnitude.
    const int64_t wide = value;
    const uint64_t magnitude = static_cast<uint64_t>(wide < 0 ? -wide : wide);
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, magnitude);
    std::string text;
    if (wide < 0) {
        text += '-';
    }
    const auto digitCount = static_cast<int>(result.ptr - digits);
    if (minDigits == 0 && magnitude == 0) {
        // Iw.0 writes a zero as blanks only.
        text.clear();
    } else {
        if (minDigits > digitCount) {
            text.append(static_cast<size_t>(minDigits - digitCount), '0');
        }
        text.append(digits, result.ptr);
    }
    if (widen && text.size() > static_cast<size_t>(width)) {
        out.append(text);
        return;
    }
    AppendRightAligned(out, text, width);
}

void AppendRealField(std::string& out, double value, int width, int decimals) {
    if (!std::isfinite(value)) {
        AppendRightAligned(out, NonFiniteText(value, width), width);
        return;
    }
    // The exact binary value is rounded once to the requested decimals.
    std::string digits = RoundedDigits(value, decimals);
    if (decimals == 0) {
        digits += '.';
    }
    bool allZero = true;
    for (const char c : digits) {
        if (c >= '1' && c <= '9') {
            allZero = false;
            break;
        }
    }
    const bool negative = std::signbit(value) && !allZero;
    const bool optionalZero = decimals > 0 && digits.size() > 1 && digits[0] == '0';
    size_t needed = digits.size() + (negative ? 1 : 0);
    if (width > 0 && needed > static_cast<size_t>(width) && optionalZero) {
        digits.erase(0, 1);
        --needed;
    }
    if (negative) {
        digits.insert(digits.begin(), '-');
    }
    AppendRightAligned(out, digits, width);
}

void AppendTextField(std::string& out, std::string_view text, int width) {
    if (width < 0) {
        out.append(text);
        return;
    }
    const auto columns = static_cast<size_t>(width);
    if (text.size() >= columns) {
        out.append(text.substr(0, columns));
        return;
    }
    out.append(columns - text.size(), ' ');
    out.append(text);
}

std::string ListDirectedInteger(int32_t value) {
    return std::to_string(value);
}

std::string ListDirectedReal(float value) {
    return ShortestReal(value);
}

std::string ListDirectedReal(double value) {
    return ShortestReal(value);
}

}  // namespace talvo
