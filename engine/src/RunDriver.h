#pragma once
// One engine run: reads inout.dir in the current directory, then the scenario of the run
// directory it names, simulates the existing plan or optimises, and writes the results.

#include <ostream>
#include <string>

namespace talvo {

// Returns the process exit status: 0 after a complete run, non-zero after a failure
// (whose message has been printed on the console).
int RunEngine();

// The same with the console and the inout.dir file given (for tests).
int RunEngine(std::ostream& console, const std::string& inoutPath);

}  // namespace talvo
