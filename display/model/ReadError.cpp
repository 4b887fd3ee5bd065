#include "model/ReadError.h"

namespace talvo::display {

std::string DescribeAt(const std::string& fileName, int lineNumber, const std::string& what) {
    return fileName + ", line " + std::to_string(lineNumber) + ": " + what;
}

}  // namespace talvo::display
