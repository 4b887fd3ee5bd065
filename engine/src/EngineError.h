#pragma once
// A run that cannot go on: bad input, an unreadable or unwritable file, a table bound.
// The message is printed on the console as it stands and the engine exits non-zero.

#include <stdexcept>
#include <string>

namespace talvo {

class EngineError : public std::runtime_error {
public:
    explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace talvo
