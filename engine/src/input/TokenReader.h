#pragma once
// Reads the values of a scenario or plan file statement by statement. A statement starts
// on a new line and takes as many values as it needs, going on to the following lines when
// its first line runs short; values left on the line where it is satisfied are skipped.
// Values are separated by blanks, tabs or commas (a run of separators counts as one);
// CR LF and LF line ends are both read, and a leading UTF-8 byte-order mark is skipped.
// Every failure throws EngineError with a message
// that names the file, the line, the value found and what was expected.

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "input/RealRanges.h"

namespace talvo {

class TokenReader {
  public:
    // `fileName` is the name used in messages (usually the path as opened).
    TokenReader(std::istream& in, std::string fileName);

    // The next value is taken from the beginning of a new line.
    void beginStatement();

    // An integer without decimal point, optionally signed, within 32 bits.
    int32_t readInt(std::string_view what);
    // An integer that must lie in lo..hi.
    int32_t readInt(std::string_view what, int32_t lo, int32_t hi);
    // A real, with or without decimal point and exponent (E or D), within 32 bits.
    float readReal(std::string_view what);
    // A real that must lie in `range`.
    float readReal(std::string_view what, const RealRange& range);
    // A text value cut or padded with blanks to `width` characters.
    std::string readText(std::string_view what, size_t width);

    // The line of the value read last (1-based; 0 before any value).
    int lineNumber() const { return valueLine_; }
    const std::string& fileName() const { return fileName_; }

    // Throws EngineError "Error in <file>, line <line>: <message>".
    [[noreturn]] void failAt(int line, const std::string& message) const;
    // The same for the line of the value read last.
    [[noreturn]] void fail(const std::string& message) const { failAt(valueLine_, message); }

  private:
    std::string_view nextToken(std::string_view what);
    float toReal(std::string_view token, std::string_view what) const;
    bool loadLine();

    std::istream& in_;
    std::string fileName_;
    std::string line_;
    size_t pos_ = 0;
    int lineCount_ = 0;  // lines loaded so far
    int valueLine_ = 0;  // line of the value read last
    bool needNewLine_ = true;
};

// The text of an error message's "found" part: the value in quotes, its control bytes
// written \xNN, cut after `shownLength` characters with its length given.
std::string Quoted(std::string_view value, size_t shownLength = 40);

// Drops a UTF-8 byte-order mark (written by some editors) from the start of a file's first
// line.
void SkipByteOrderMark(std::string& firstLine);

// A real as messages show it: its shortest form.
std::string RealText(float value);

}  // namespace talvo
