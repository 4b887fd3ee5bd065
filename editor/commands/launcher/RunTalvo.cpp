#include "RunTalvo.h"

#include <system_error>

#include "ProgramFiles.h"
#include "model/RunInProgress.h"

namespace talvo {

namespace fs = std::filesystem;

std::string EngineMissingMessage() {
    return std::string("'") + kEngineFileName +
           "' not found in the program directory!  It is neccessary to run CTM correctly.";
}

std::string ProgramDirectoryNotWritableMessage(const fs::path& programDir) {
    return "The program directory '" + programDir.string() +
           "' is not writable.  The engine finds its run directory through '" +
           kRunDirectoryFileName +
           "' there, so it cannot be started.  Install the programs in a directory you can "
           "write to.";
}

RunOutcome RunTalvo(const fs::path& programDir, const RunSteps& steps) {
    std::error_code ec;
    if (!fs::is_directory(programDir, ec)) {
        steps.caution(ProgramDirectoryNotWritableMessage(programDir));
        return RunOutcome::Stopped;
    }
    // A program directory the user cannot write to (a system-wide install) takes neither the
    // start script nor the run-directory file: the engine is then told its run directory on
    // its command line, and nothing is written beside the programs.
    const bool writable = IsWritableDirectory(programDir);
    if (writable) {
        if (auto error = EnsureStartScript(programDir)) {
            steps.caution(*error);
            return RunOutcome::Stopped;
        }
    }
    if (steps.validateStops()) {
        return RunOutcome::Stopped;
    }
    const std::string chosen = steps.askRunDirectory();
    if (!fs::exists(programDir / kEngineFileName, ec)) {
        steps.caution(EngineMissingMessage());
        return RunOutcome::Stopped;
    }
    if (chosen.empty()) {
        return RunOutcome::Stopped;
    }
    const fs::path runDir(chosen);
    if (!fs::is_directory(runDir, ec)) {
        steps.caution(kInvalidRunDirectory);
        return RunOutcome::Stopped;
    }
    // The running engine reads its plan file late and rewrites its results until it ends.
    if (RunInProgress(runDir)) {
        steps.caution(RunInProgressMessage(runDir));
        return RunOutcome::Stopped;
    }
    // Every write is checked: an engine started on stale or missing input would report
    // results that do not belong to the network on screen.
    if (auto error = steps.writeRunFiles(runDir)) {
        steps.caution(*error);
        return RunOutcome::Stopped;
    }
    if (!writable) {
        steps.startEngine(fs::path(), runDir);
        return RunOutcome::Started;
    }
    if (auto error = WriteRunDirectoryFile(programDir, runDir)) {
        steps.caution(*error);
        return RunOutcome::Stopped;
    }
    steps.startEngine(programDir / kStartScriptName, runDir);
    return RunOutcome::Started;
}

}  // namespace talvo
