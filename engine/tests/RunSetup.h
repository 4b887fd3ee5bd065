#pragma once
// A scratch run of the engine: a run directory holding a scenario and the small
// scenario's plan, and a program directory whose inout.dir names the run directory.

#include <filesystem>
#include <sstream>
#include <string>

#include "TestFiles.h"
#include "talvo/Engine.h"

namespace talvo::test {

struct RunSetup {
    ScratchDir runDir;
    ScratchDir programDir;

    explicit RunSetup(const std::string& scenario, const std::string& inoutLineEnd = "\r\n") {
        WriteFileText(runDir.path() / "input.fin", scenario);
        // The small scenario's one signal record is number 4.
        WriteFileText(runDir.path() / "plan.tpl", "4\r\n0\t10000\r\n");
        WriteFileText(inout(), runDir.withSeparator() + inoutLineEnd);
    }
    std::filesystem::path inout() const { return programDir.path() / "inout.dir"; }
    std::filesystem::path file(const char* name) const { return runDir.path() / name; }

    int run(std::string& console) const {
        std::ostringstream out;
        const int status = RunEngine(out, inout().string());
        console = out.str();
        return status;
    }
};

}  // namespace talvo::test
