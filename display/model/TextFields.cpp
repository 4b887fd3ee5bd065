#include "model/TextFields.h"

#include <charconv>
#include <cmath>

#include "common/TextInput.h"

namespace talvo::display {

bool ReadTextLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

std::vector<std::string> SplitFields(std::string_view line, bool commasSeparate) {
    std::vector<std::string> fields;
    std::string current;
    for (const char c : line) {
        const bool separator =
            c == ' ' || c == '\t' || c == '\r' || c == '\n' || (commasSeparate && c == ',');
        if (separator) {
            if (!current.empty()) {
                fields.push_back(std::move(current));
                current.clear();
            }
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty()) {
        fields.push_back(std::move(current));
    }
    return fields;
}

bool FieldStream::isSeparator(char c) const {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || (commas_ && c == ',');
}

std::optional<TextField> FieldStream::next() {
    while (true) {
        while (position_ < line_.size() && isSeparator(line_[position_])) {
            ++position_;
        }
        if (position_ < line_.size()) {
            const size_t start = position_;
            while (position_ < line_.size() && !isSeparator(line_[position_])) {
                ++position_;
            }
            return TextField{line_.substr(start, position_ - start), lineNumber_};
        }
        if (!ReadTextLine(in_, line_)) {
            return std::nullopt;
        }
        if (lineNumber_ == 0) {
            SkipByteOrderMark(line_);
        }
        ++lineNumber_;
        position_ = 0;
    }
}

std::optional<int> ParseInt(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseReal(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc{} || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace talvo::display
