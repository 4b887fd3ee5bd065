#pragma once
// The parsers behind every numeric text box: a blank box means 0; a refused text gives
// -1 and the message the box shows in a "Caution!" box before putting its value back.

#include <string>

namespace talvo {

class Prompter;

struct ParsedInteger {
    int value = 0;        // -1 when refused
    std::string message;  // empty unless refused with a message
    bool refused() const { return value == -1; }
};

struct ParsedReal {
    double value = 0;  // -1.0 when refused
    std::string message;
    bool refused() const { return value == -1.0; }
};

inline constexpr const char* kEnterNumber = "You must enter a number in this field.";
inline constexpr const char* kEnterPositive = "You must enter a positive number in this field.";
inline constexpr const char* kNoDecimal = "You cannot enter a decimal number in this field.";

// A whole number 0..largest (32767 unless a field holds more): blank gives 0; text that is
// no number, or above largest, gives kEnterNumber; a negative value kEnterPositive; a text
// with "." kNoDecimal.
inline constexpr int kLargest16Bit = 32767;
ParsedInteger ParseInteger(const std::string& text, int largest = kLargest16Bit);

// A real >= 0: blank gives 0; a text with "-" gives kEnterPositive; otherwise "0" and the
// text are read as one number (".5" is 0.5), else kEnterNumber.
ParsedReal ParseReal(const std::string& text);

// The same, showing a refusal's message through the prompter.
int ParseInteger(const std::string& text, Prompter& prompter);
double ParseReal(const std::string& text, Prompter& prompter);

}  // namespace talvo
