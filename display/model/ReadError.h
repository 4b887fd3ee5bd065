#pragma once

#include <stdexcept>
#include <string>

namespace talvo::display {

// A reader's failure: what went wrong, naming the file, line and value.
class ReadError : public std::runtime_error {
  public:
    explicit ReadError(const std::string& detail) : std::runtime_error(detail) {}
};

// "FILE, line N: WHAT" - the detail shown under a failure message.
std::string DescribeAt(const std::string& fileName, int lineNumber, const std::string& what);

}  // namespace talvo::display
