#include "model/NumberParsers.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

#include "platform/Prompter.h"

namespace talvo {

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A plain decimal number (sign, digits, point, exponent) filling the whole text.
bool ToNumber(std::string_view text, double& value) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            return false;
        }
    }
    if (text.empty()) {
        return false;
    }
    const auto result =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() &&
           std::isfinite(value);
}

}  // namespace

ParsedInteger ParseInteger(const std::string& text, int largest) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        return {0, {}};
    }
    double number = 0;
    if (!ToNumber(trimmed, number)) {
        return {-1, kEnterNumber};
    }
    const double truncated = std::trunc(number);
    if (truncated > largest || truncated < -1.0 - largest) {
        return {-1, kEnterNumber};  // does not fit the field
    }
    if (number < 0) {
        return {-1, kEnterPositive};
    }
    if (trimmed.find('.') != std::string_view::npos) {
        return {-1, kNoDecimal};
    }
    return {static_cast<int>(truncated), {}};
}

ParsedReal ParseReal(const std::string& text) {
    const std::string_view trimmed = Trim(text);
    if (trimmed.empty()) {
        return {0.0, {}};
    }
    if (text.find('-') != std::string::npos) {
        return {-1.0, kEnterPositive};
    }
    double number = 0;
    std::string withZero = "0";
    withZero.append(trimmed);
    if (!ToNumber(withZero, number)) {
        return {-1.0, kEnterNumber};
    }
    return {number, {}};
}

int ParseInteger(const std::string& text, Prompter& prompter) {
    const ParsedInteger parsed = ParseInteger(text);
    if (!parsed.message.empty()) {
        prompter.caution(parsed.message);
    }
    return parsed.value;
}

double ParseReal(const std::string& text, Prompter& prompter) {
    const ParsedReal parsed = ParseReal(text);
    if (!parsed.message.empty()) {
        prompter.caution(parsed.message);
    }
    return parsed.value;
}

}  // namespace talvo
