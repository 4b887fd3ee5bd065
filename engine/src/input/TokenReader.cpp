#include "input/TokenReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <system_error>

#include "EngineError.h"

namespace talvo {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == ',' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

void SkipByteOrderMark(std::string& firstLine) {
    static const char kByteOrderMark[] = "\xEF\xBB\xBF";
    if (firstLine.rfind(kByteOrderMark, 0) == 0) {
        firstLine.erase(0, sizeof kByteOrderMark - 1);
    }
}

std::string RealText(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(value));
    return text;
}

std::string Quoted(std::string_view value, size_t shownLength) {
    // Shown as a reader can take it in: a long value is cut, and control bytes (binary
    // garbage, a stray NUL) are spelled out rather than sent to the console as they are.
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.push_back('"');
    for (const char c : value.substr(0, shownLength)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            text += "\\x";
            text.push_back(kHex[byte >> 4]);
            text.push_back(kHex[byte & 0xF]);
        } else {
            text.push_back(c);
        }
    }
    if (value.size() > shownLength) {
        text += "...";
    }
    text.push_back('"');
    if (value.size() > shownLength) {
        text += " (" + std::to_string(value.size()) + " characters)";
    }
    return text;
}

TokenReader::TokenReader(std::istream& in, std::string fileName)
    : in_(in), fileName_(std::move(fileName)) {}

void TokenReader::beginStatement() {
    needNewLine_ = true;
}

bool TokenReader::loadLine() {
    if (!std::getline(in_, line_)) {
        return false;
    }
    if (lineCount_ == 0) {
        SkipByteOrderMark(line_);
    }
    ++lineCount_;
    pos_ = 0;
    return true;
}

std::string_view TokenReader::nextToken(std::string_view what) {
    if (needNewLine_) {
        needNewLine_ = false;
        pos_ = line_.size();  // the rest of the previous statement's last line is skipped
    }
    for (;;) {
        while (pos_ < line_.size() && IsSeparator(line_[pos_])) {
            ++pos_;
        }
        if (pos_ < line_.size()) {
            break;
        }
        if (!loadLine()) {
            failAt(std::max(lineCount_, 1),
                   "expected " + std::string(what) + ", found the end of the file");
        }
    }
    const size_t start = pos_;
    while (pos_ < line_.size() && !IsSeparator(line_[pos_])) {
        ++pos_;
    }
    valueLine_ = lineCount_;
    return std::string_view(line_).substr(start, pos_ - start);
}

int32_t TokenReader::readInt(std::string_view what) {
    const std::string_view token = nextToken(what);
    std::string_view digits = token;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    int64_t value = 0;
    bool valid = !digits.empty();
    for (const char c : digits) {
        if (!IsDigit(c)) {
            valid = false;
            break;
        }
        value = value * 10 + (c - '0');
        if (value > int64_t(std::numeric_limits<int32_t>::max()) + 1) {
            valid = false;
            break;
        }
    }
    if (valid) {
        value = negative ? -value : value;
        valid = value >= std::numeric_limits<int32_t>::min() &&
                value <= std::numeric_limits<int32_t>::max();
    }
    if (!valid) {
        fail("expected an integer for " + std::string(what) + ", found " + Quoted(token));
    }
    return int32_t(value);
}

int32_t TokenReader::readInt(std::string_view what, int32_t lo, int32_t hi) {
    const int32_t value = readInt(what);
    if (value < lo || value > hi) {
        fail(std::string(what) + " is " + std::to_string(value) + ", expected " +
             std::to_string(lo) + " to " + std::to_string(hi));
    }
    return value;
}

float TokenReader::readReal(std::string_view what) {
    return toReal(nextToken(what), what);
}

float TokenReader::readReal(std::string_view what, const RealRange& range) {
    const std::string_view token = nextToken(what);
    const float value = toReal(token, what);
    if (!range.contains(value)) {
        // A number as written, unless it is too long to show whole.
        const std::string shown = token.size() <= 40 ? std::string(token) : Quoted(token);
        fail(std::string(what) + " is " + shown + ", expected " + range.describe());
    }
    return value;
}

float TokenReader::toReal(std::string_view token, std::string_view what) const {
    std::string text(token);
    size_t start = 0;
    if (!text.empty() && text[0] == '+') {
        start = 1;  // from_chars takes no plus sign
    }
    for (char& c : text) {
        if (c == 'd' || c == 'D') {
            c = 'e';  // the D exponent of double-precision constants
        }
    }
    const char* first = text.data() + start;
    const char* last = text.data() + text.size();
    // A real begins with a digit or a point after its sign: no "inf" or "nan".
    const char* body = (first < last && *first == '-') ? first + 1 : first;
    float value = 0;
    if (body < last && (IsDigit(*body) || *body == '.')) {
        const auto [end, error] = std::from_chars(first, last, value);
        if (end == last && error == std::errc() && std::isfinite(value)) {
            return value;
        }
        if (end == last && error == std::errc::result_out_of_range) {
            // A number all the same, but not one a 32-bit real holds.
            const bool huge = std::fabs(std::strtod(first, nullptr)) > 1.0;
            fail("found " + Quoted(token) + " for " + std::string(what) +
                 (huge ? ", a number beyond the range of a 32-bit real (about 3.4E+38 at most)"
                       : ", a number too close to 0 for a 32-bit real (write 0 for zero)"));
        }
    }
    fail("expected a real number for " + std::string(what) + ", found " + Quoted(token));
}

std::string TokenReader::readText(std::string_view what, size_t width) {
    std::string text(nextToken(what).substr(0, width));
    text.resize(width, ' ');
    return text;
}

void TokenReader::failAt(int line, const std::string& message) const {
    throw EngineError("Error in " + fileName_ + ", line " + std::to_string(line) + ": " + message);
}

}  // namespace talvo
