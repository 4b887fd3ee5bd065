#pragma once
// Reads a project file as a stream of fields separated by commas or line ends. Line
// structure carries no meaning; each field remembers its line for error messages. A
// leading UTF-8 byte-order mark is skipped.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

namespace talvo {

// A field that is missing or does not convert; what() names the line and the value.
class FieldFormatError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class FieldReader {
  public:
    explicit FieldReader(std::string text);

    // Each read takes the next field; what names the value in error messages.
    int readInt(const char* what);
    // An integer that must lie in [low, high] (a count or a code).
    int readInt(const char* what, int low, int high);
    double readReal(const char* what);
    bool readBool(const char* what);
    std::string readString(const char* what);  // quoted or bare text

    int line() const { return line_; }

  private:
    struct Field {
        std::string text;
        bool quoted = false;
        int line = 0;
    };

    Field next(const char* what);
    [[noreturn]] void fail(const Field& field, const char* what, const char* expected) const;
    void skipBlanks();
    bool atLineEnd() const;
    void skipLineEnd();

    std::string text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace talvo
