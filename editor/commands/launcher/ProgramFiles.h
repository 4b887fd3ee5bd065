#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace talvo {

// Files of the program directory that the run command uses: the engine, its start script
// and the run-directory file the engine reads at start.
#ifdef _WIN32
inline constexpr const char* kEngineFileName = "TALVO.EXE";
#else
inline constexpr const char* kEngineFileName = "TALVO";
#endif
inline constexpr const char* kStartScriptName = "Talvo.sh";
inline constexpr const char* kRunDirectoryFileName = "inout.dir";

// The start script: it changes to the program directory (its own) and starts the engine
// there, with its console output line-buffered so that a run's progress shows as it comes.
std::string StartScriptText();

// Writes the start script when it is missing; an existing one is left as it is. Returns the
// error message when it cannot be written.
std::optional<std::string> EnsureStartScript(const std::filesystem::path& programDir);

// The one line of the run-directory file: the run directory followed by the separator.
std::string RunDirectoryLine(const std::filesystem::path& runDir);

// Rewrites the run-directory file in the program directory. Returns the error message
// when it cannot be written.
std::optional<std::string> WriteRunDirectoryFile(const std::filesystem::path& programDir,
                                                 const std::filesystem::path& runDir);

bool IsWritableDirectory(const std::filesystem::path& dir);

// Writes text to a file through a temporary file beside it, so that a failed write never
// leaves a half-written file. Returns the error message naming the file and the reason.
std::optional<std::string> WriteFileWhole(const std::filesystem::path& file,
                                          const std::string& text);

}  // namespace talvo
