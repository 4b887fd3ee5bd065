#include "common/FieldReader.h"

#include "common/TextInput.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace talvo {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

FieldReader::FieldReader(std::string text) : text_(std::move(text)) {
    SkipByteOrderMark(text_);
}

void FieldReader::skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) {
        ++pos_;
    }
}

bool FieldReader::atLineEnd() const {
    return pos_ < text_.size() && (text_[pos_] == '\r' || text_[pos_] == '\n');
}

void FieldReader::skipLineEnd() {
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') {
        ++pos_;
    }
    ++pos_;
    ++line_;
}

FieldReader::Field FieldReader::next(const char* what) {
    // Blank lines and the line end after a field's comma separate nothing further.
    for (;;) {
        skipBlanks();
        if (atLineEnd()) {
            skipLineEnd();
            continue;
        }
        break;
    }
    Field field;
    field.line = line_;
    if (pos_ >= text_.size()) {
        throw FieldFormatError("line " + std::to_string(line_) + ": the file ends where " + what +
                               " was expected");
    }
    if (text_[pos_] == '"') {
        // A name never spans lines, so a lost quote is reported where it happened.
        const std::size_t close = text_.find_first_of("\"\r\n", pos_ + 1);
        if (close == std::string::npos || text_[close] != '"') {
            throw FieldFormatError("line " + std::to_string(line_) + ": " + what +
                                   " has no closing quote");
        }
        field.text = text_.substr(pos_ + 1, close - pos_ - 1);
        field.quoted = true;
        pos_ = close + 1;
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd()) {
            throw FieldFormatError("line " + std::to_string(line_) + ": unexpected text after " +
                                   what);
        }
    } else {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && !atLineEnd()) {
            ++pos_;
        }
        field.text = std::string(Trim(std::string_view(text_).substr(start, pos_ - start)));
    }
    if (pos_ < text_.size() && text_[pos_] == ',') {
        ++pos_;
    }
    return field;
}

void FieldReader::fail(const Field& field, const char* what, const char* expected) const {
    throw FieldFormatError("line " + std::to_string(field.line) + ": " + what + " should be " +
                           expected + ", found " + QuotedValue(field.text));
}

int FieldReader::readInt(const char* what) {
    return readInt(what, -32768, 32767);  // the records hold 16-bit integers
}

int FieldReader::readInt(const char* what, int low, int high) {
    const Field field = next(what);
    std::string_view digits = field.text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    int value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (field.quoted || digits.empty() || result.ec != std::errc() ||
        result.ptr != digits.data() + digits.size()) {
        fail(field, what, "a whole number");
    }
    if (value < low || value > high) {
        throw FieldFormatError("line " + std::to_string(field.line) + ": " + what + " " +
                               field.text + " is outside " + std::to_string(low) + " to " +
                               std::to_string(high));
    }
    return value;
}

double FieldReader::readReal(const char* what) {
    const Field field = next(what);
    std::string_view digits = field.text;
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (field.quoted || digits.empty() || result.ec != std::errc() ||
        result.ptr != digits.data() + digits.size() || !std::isfinite(value)) {
        fail(field, what, "a number");
    }
    return value;
}

bool FieldReader::readBool(const char* what) {
    const Field field = next(what);
    if (!field.quoted && EqualsIgnoringCase(field.text, "#TRUE#")) {
        return true;
    }
    if (!field.quoted && EqualsIgnoringCase(field.text, "#FALSE#")) {
        return false;
    }
    fail(field, what, "#TRUE# or #FALSE#");
}

std::string FieldReader::readString(const char* what) {
    return next(what).text;
}

}  // namespace talvo
