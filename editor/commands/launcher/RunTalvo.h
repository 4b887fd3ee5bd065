#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace talvo {

// What the run command needs from the rest of the editor. The window binds these to the
// model's export, the run-directory dialog, the engine console and the message boxes;
// tests bind them to recorders.
struct RunSteps {
    // The export checks with their messages and warnings: true when the run must stop.
    std::function<bool()> validateStops;
    // The run directory the user chose, or the empty string when cancelled.
    std::function<std::string()> askRunDirectory;
    // Writes "input.fin", then "plan.tpl" into the run directory: the error message, or
    // nothing on success.
    std::function<std::optional<std::string>(const std::filesystem::path& runDir)> writeRunFiles;
    // Starts the engine through the start script without waiting; with an empty script (a
    // program directory that is not writable), the engine itself on the run directory.
    std::function<void(const std::filesystem::path& script, const std::filesystem::path& runDir)>
        startEngine;
    std::function<void(const std::string&)> caution;
};

enum class RunOutcome { Started, Stopped };

std::string EngineMissingMessage();
inline constexpr const char* kInvalidRunDirectory = "The output directory is invalid.";
std::string ProgramDirectoryNotWritableMessage(const std::filesystem::path& programDir);

// "&TALVO ...": writes the start script when missing, runs the export checks, asks for the
// run directory (refused while an engine still runs there), writes "input.fin" and
// "plan.tpl" there and the run-directory file into the program directory, and starts the
// engine. A program directory that is not writable gets neither file; the engine is started
// on the run directory instead. Any refusal or write error is shown and the engine is not
// started.
RunOutcome RunTalvo(const std::filesystem::path& programDir, const RunSteps& steps);

}  // namespace talvo
