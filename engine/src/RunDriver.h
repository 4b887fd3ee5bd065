#pragma once
// One engine run: finds its run directory (named on the command line, or through inout.dir
// in the current directory), reads the scenario there, simulates the existing plan or
// optimises, and writes the results.

#include <ostream>
#include <string>

namespace talvo {

// How a run is started: where it finds its run directory, and how many threads evaluate
// the GA's plans.
struct RunRequest {
    std::string inoutPath = "inout.dir";  // read when no run directory is given
    std::string runDirectory;             // given: used as it stands, inout.dir is not read
    unsigned threads = 0;                 // 0: one per processor core
    bool refine = false;                  // refine the GA's best plan (optimisation runs)
};

// Returns the process exit status: 0 after a complete run, 1 after a failure (whose
// message has been printed on the console).
int RunEngine();

// The same with the console and the inout.dir file given (for tests).
int RunEngine(std::ostream& console, const std::string& inoutPath);

int RunEngine(std::ostream& console, const RunRequest& request);

}  // namespace talvo
