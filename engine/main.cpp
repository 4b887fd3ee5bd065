// TALVO: one engine run, in the run directory named on the command line or by inout.dir in
// the current directory (see run/CommandLine.h).
#include <iostream>

#include "run/CommandLine.h"

int main(int argc, char** argv) {
    return talvo::RunEngineCommandLine(argc, argv, std::cout, std::cerr);
}
