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

// The fields of a stream, each with its line number, taken one at a time so that what is
// held in memory is one line, however large the file. A leading UTF-8 byte-order mark is
// skipped.
class FieldStream {
  public:
    FieldStream(std::istream& in, bool commasSeparate) : in_(in), commas_(commasSeparate) {}

    // The next field, or nothing at the end of the stream.
    std::optional<TextField> next();

  private:
    bool isSeparator(char c) const;

    std::istream& in_;
    bool commas_;
    std::string line_;
    size_t position_ = 0;
    int lineNumber_ = 0;
};

// Whole-field conversions: the entire text must be the number.
std::optional<int> ParseInt(std::string_view text);
std::optional<double> ParseReal(std::string_view text);

}  // namespace talvo::display
