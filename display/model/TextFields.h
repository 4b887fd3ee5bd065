#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvo::display {

// A field of a text file with the line it stands on (1-based).
struct TextField {
    std::string text;
    int line = 0;
};

// Reads one line without its CR LF / LF ending; false at the end of the stream.
bool ReadTextLine(std::istream& in, std::string& line);

// Splits a line at blanks, tabs and (when allowed) commas; empty fields are dropped.
std::vector<std::string> SplitFields(std::string_view line, bool commasSeparate);

// The whole stream as fields, each with its line number.
std::vector<TextField> ReadAllFields(std::istream& in, bool commasSeparate);

// Whole-field conversions: the entire text must be the number.
std::optional<int> ParseInt(std::string_view text);
std::optional<double> ParseReal(std::string_view text);

}  // namespace talvo::display
