#pragma once
// The engine's command line: "TALVO [--threads N] [--refine] [RUN_DIR]". Without arguments the
// engine reads its run directory from inout.dir in the current directory, as the editor's start
// script expects; with RUN_DIR it runs there and reads no inout.dir.

#include <ostream>
#include <string>
#include <vector>

#include "talvo/Engine.h"

namespace talvo {

struct EngineCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    RunRequest request;
    std::string error;  // for Action::Error: what is wrong, in one sentence
};

// The arguments after the program name. A named run directory must exist.
EngineCommandLine ParseEngineCommandLine(const std::vector<std::string>& arguments);

std::string EngineUsageLine();
std::string EngineHelpText();
std::string EngineVersionText();

// Parses, then runs, prints the help or version text (on `out`), or prints the error with
// the usage line (on `err`). Returns the exit status: 0, 1 for a failed run, 2 for a wrong
// command line.
int RunEngineCommandLine(int argc, const char* const argv[], std::ostream& out, std::ostream& err);

}  // namespace talvo
