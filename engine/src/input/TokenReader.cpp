#include "input/TokenReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

std::string Quoted(std::string_view value) {
    std::string text;
    text.reserve(value.size() + 2);
    text.push_back('"');
    text.append(value);
    text.push_back('"');
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
    const std::string_view token = nextToken(what);
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
    bool valid = body < last && (IsDigit(*body) || *body == '.');
    if (valid) {
        const auto [end, error] = std::from_chars(first, last, value);
        valid = error == std::errc() && end == last && std::isfinite(value);
    }
    if (!valid) {
        fail("expected a real number for " + std::string(what) + ", found " + Quoted(token));
    }
    return value;
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
